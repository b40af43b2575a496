// The form engine's side of the runtime port. Start-up reads the form segment into a pending
// set, relocates its handlers and installs it; the lookups then work on the installed set.
// Window creation, event dispatch and property access are not built yet: a load answers -1,
// the start-up window cannot be created, no handler is found and properties read as 0.
#include <utility>

#include "forms/form_segment_reader.h"
#include "forms/template_store.h"
#include "forms/unit_types.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace forms {

namespace {
WindowSet g_pending;    // read but not yet handed to the registry
WindowSet g_installed;  // the registry's windows
}  // namespace

WindowSet& InstalledWindows() { return g_installed; }

const UnitTypeInfo* UnitType(uint32_t typeCode) {
  const auto& modules = rt::App().modules;
  return LookupUnitType(typeCode, modules.data(), static_cast<uint32_t>(modules.size()));
}

bool ReadTemplates(const uint8_t* data, uint32_t length) {
  if (length == 0) {
    g_pending = WindowSet{};
    return true;
  }
  if (!data) return false;
  auto set = ReadFormSegment(data, length);
  if (!set) return false;
  g_pending = std::move(*set);
  return true;
}

void RelocateHandlers(const void* codeBase) {
  RelocateHandlers(g_pending, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(codeBase)));
}

void InstallWindowSet() {
  g_installed = std::move(g_pending);
  g_pending = WindowSet{};
}

uint32_t TemplateWindowCount() { return g_installed.Count(); }

// Window creation comes with the window registry; until then neither the start-up window nor
// any other can be loaded.
bool CreateStartupWindow(uint32_t) { return false; }
int32_t LoadWindow(uint32_t, void*, bool) { return -1; }
bool AnyWindowAlive() { return false; }
void ReleaseWindows() {}
void* Registry() { return &g_installed; }
void* FindUnit(uint32_t, uint32_t) { return nullptr; }
HWND WindowHandle(uint32_t) { return nullptr; }
bool IsUnitWindow(HWND) { return false; }
bool UnitDestroyed(uint32_t, uint32_t unitId) { return unitId == 0; }
bool AttachWindow(HWND, void*) { return false; }
const EventHandlerFn* FindHandler(uint32_t, uint32_t, int32_t, uint32_t) { return nullptr; }
uint64_t ReadProperty(uint32_t, uint32_t, int32_t) { return 0; }
void WriteProperty(uint32_t, uint32_t, int32_t, uint32_t, uint32_t) {}
bool PreTranslateMessage(MSG*) { return false; }
std::vector<LiveWindow> LiveWindows() { return {}; }

}  // namespace forms
