#include "runtime/core_module.h"

#include "runtime/abi/module_kit.h"
#include "runtime/commands/core_commands.h"

namespace {
// 51 slots; unused ones stay zero so the numbers of the used types are stable.
// Property tables come with the form engine; the counts are those of each type.
constexpr UnitTypeInfo kEmpty{};
const UnitTypeInfo kCoreTypes[51] = {
    MakeUnitType("窗口", "window", 0x800000D0, 32),               // 1
    kEmpty,                                                       // 2
    MakeUnitType("菜单", "menu", 0x80000004, 4),                  // 3
    kEmpty,                                                       // 4
    MakeUnitType("编辑框", "EditBox", 0x80000040, 29),            // 5
    kEmpty, kEmpty, kEmpty, kEmpty,                               // 6-9
    MakeUnitType("标签", "Label", 0x84012040, 29),                // 10
    MakeUnitType("按钮", "Button", 0x80000840, 14),               // 11
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,       // 12-18
    MakeUnitType("进度条", "ProcessBar", 0x84010040, 14),         // 19
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,  // 20-30
    MakeUnitType("通用对话框", "CommonDlg", 0x80008040, 30),      // 31
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,  // 32-39
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,  // 40-47
    MakeUnitType("对象", "ComObject", 0x80000000),                // 48
    MakeUnitType("变体型", "Variant", 0x80000000),                // 49
    kEmpty, kEmpty,                                               // 50-51
};

RuntimeServiceFn g_service = nullptr;

uint32_t __cdecl Notify(uint32_t message, uint32_t arg1, uint32_t) {
  if (message == notify::Startup) g_service = reinterpret_cast<RuntimeServiceFn>(arg1);
  return 0;
}
}  // namespace

const ModuleDescriptor kCoreLibDescriptor = MakeModuleDescriptor(
    "{5B1C7A3E-2F64-4C8D-9E21-7A0B3D4C5E61}", "Reelscout core", 0, 51, kCoreTypes, core::kCount, kCoreCommands, Notify);
