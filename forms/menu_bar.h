// Menu bars and pop-up menus built from a window's menu records, and the choice of an item.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/menu_plan.h"
#include "forms/window_set.h"

namespace forms {

// Index of the first menu record and how many follow it (0 when the window has none).
struct MenuRun {
  uint32_t first = 0;
  uint32_t count = 0;
};
MenuRun MenuRunOf(const WindowTemplate& window);
std::vector<MenuItemInfo> MenuItemsOf(const WindowTemplate& window);

struct BuiltMenu {
  HMENU menu = nullptr;
  HACCEL shortcuts = nullptr;
};
// The menu bar of the window's records (nothing when it has none); drop-down handles go into
// their records' first run-time slot.
BuiltMenu BuildMenuBar(WindowTemplate& window);
// After a menu property write: a new bar and shortcut table for the loaded window.
void RebuildMenuBar(uint32_t windowId);
// A command id from the window's menu or shortcut table; true when it was a menu item's.
bool ChooseMenuCommand(uint32_t windowId, uint32_t commandId);

}  // namespace forms
