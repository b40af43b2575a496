// What a window's menu records make: the tree of a menu bar or a pop-up menu with command ids,
// shortcut names and the shortcut list. Pure logic, so the rules (hidden items keep their ids,
// separators, hidden drop-downs) can be checked without menus on the screen.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace forms {

constexpr uint32_t kFirstMenuCommand = 20000;
constexpr uint32_t kFirstSystemCommand = 57600;  // ids from here on belong to the system

// Shortcut key numbers 1 to 76; any other number has no name and no key.
std::string ShortcutName(uint32_t number);
struct ShortcutKey {
  bool control = false;
  bool shift = false;
  uint16_t virtualKey = 0;  // 0: no shortcut
};
ShortcutKey ShortcutOf(uint32_t number);

struct MenuItemInfo {
  uint32_t shortcut = 0;
  uint32_t level = 0;
  uint32_t flags = 0;  // bit 0 hidden, bit 1 disabled, bit 2 checked
  std::string caption;
};

struct MenuNode {
  uint32_t position = 0;  // in the window's run of menu records
  uint32_t commandId = 0;
  std::string text;  // caption, and a tab and the shortcut name when there is one
  bool separator = false;
  bool disabled = false;
  bool checked = false;
  bool dropDown = false;
  std::vector<MenuNode> children;
};

struct Shortcut {
  uint32_t commandId;
  ShortcutKey key;
};

struct MenuPlan {
  std::vector<MenuNode> items;
  std::vector<Shortcut> shortcuts;
};

// The menu made of run[first, end) whose items are at run[first].level; positions count from
// the start of the run, command ids are kFirstMenuCommand + position.
MenuPlan PlanMenu(const std::vector<MenuItemInfo>& run, uint32_t first = 0);
// The pop-up of item's sub-items; empty when the item has none.
MenuPlan PlanSubMenu(const std::vector<MenuItemInfo>& run, uint32_t item);

}  // namespace forms
