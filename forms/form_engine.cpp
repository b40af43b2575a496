// The form engine's side of the runtime port. The template reader and the window registry
// are not built yet: the window set is empty, so every window lookup finds nothing and a
// load answers -1.
#include "runtime/form_engine_port.h"

namespace forms {

bool ReadTemplates(const uint8_t* data, uint32_t length) { return length == 0; }
void RelocateHandlers(const void*) {}
void InstallWindowSet() {}
uint32_t TemplateWindowCount() { return 0; }
bool CreateStartupWindow(uint32_t) { return false; }
int32_t LoadWindow(uint32_t, void*, bool) { return -1; }
bool AnyWindowAlive() { return false; }
void ReleaseWindows() {}
void* Registry() { return nullptr; }
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
