// What the runtime asks of the form engine (template reading, the window registry, event
// handler lookup, unit properties). The form engine in forms/ provides these.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/abi/interface.h"

namespace forms {

// Reads the whole form segment into the window set; false when it cannot be read.
bool ReadTemplates(const uint8_t* data, uint32_t length);
// Offsets of 0xFFFFFFFF become 0 (no handler); any other offset v names the code table entry at
// codeBase + v.
void RelocateHandlers(const void* codeBase);
// Hands the window set just read to the registry.
void InstallWindowSet();
uint32_t TemplateWindowCount();

// Creates the window with no owner as the start-up window; false if unknown or not creatable.
bool CreateStartupWindow(uint32_t windowId);
// 0 when loaded, -1 when the id is unknown or the window cannot be created.
int32_t LoadWindow(uint32_t windowId, void* ownerObject, bool modal);
bool AnyWindowAlive();
void ReleaseWindows();

void* Registry();
void* FindUnit(uint32_t windowId, uint32_t unitId);
HWND WindowHandle(uint32_t windowId);
bool IsUnitWindow(HWND window);
// Service 2000; returns true when the unit was the window itself.
bool UnitDestroyed(uint32_t windowId, uint32_t unitId);
bool AttachWindow(HWND window, void* object);

// The entry of the code table that handles this event, or null.
const EventHandlerFn* FindHandler(uint32_t windowId, uint32_t unitId, int32_t eventIndex, uint32_t argCount);

uint64_t ReadProperty(uint32_t windowId, uint32_t unitId, int32_t property);
void WriteProperty(uint32_t windowId, uint32_t unitId, int32_t property, uint32_t lo, uint32_t hi);

// Offers a message to the window objects from its target up to the main window; true when consumed.
bool PreTranslateMessage(MSG* message);

struct LiveWindow {
  uint32_t windowId;
  uint32_t ownUnitId;
};
// Windows whose live object exists, in registry order.
std::vector<LiveWindow> LiveWindows();

}  // namespace forms

namespace forms {
// What the core window commands need of the form engine.
// Marks the window closed by code and destroys it at once, or posts it the close message.
void CloseWindowByCode(uint32_t windowId, bool immediate);
// Removes a unit from its window.
void DestroyUnitOfWindow(uint32_t windowId, uint32_t unitId);
// The live control window of a unit, or null.
HWND UnitWindow(uint32_t windowId, uint32_t unitId);
// Shows the sub-items of a menu item as a pop-up menu owned by the window.
void ShowPopupMenu(uint32_t windowId, uint32_t itemId, bool hasX, int32_t x, bool hasY, int32_t y);
// Runs a file dialog unit's dialog; true when the user confirmed a choice.
bool RunFileDialog(uint32_t windowId, uint32_t unitId);
}  // namespace forms
