#include "modules/listview/listview_module.h"

#include "runtime/abi/module_kit.h"

namespace {
RuntimeServiceFn g_service = nullptr;

uint32_t __cdecl Notify(uint32_t message, uint32_t arg1, uint32_t) {
  if (message == notify::Startup) g_service = reinterpret_cast<RuntimeServiceFn>(arg1);
  return 0;
}

// Five slots; the list view is number 4.
constexpr UnitTypeInfo kEmpty{};
const UnitTypeInfo kTypes[5] = {kEmpty, kEmpty, kEmpty, MakeUnitType("超级列表框", "ListView", 0x00000040, 39), kEmpty};
}  // namespace

RuntimeServiceFn UiExtLibService() { return g_service; }

const ModuleDescriptor kUiExtLibDescriptor = MakeModuleDescriptor(
    "{8E4F2B19-6A3D-4F70-B5C2-1D9E8A7F6C03}", "界面扩展支持库", 0xC0000000, 5, kTypes, 0, nullptr, Notify);
