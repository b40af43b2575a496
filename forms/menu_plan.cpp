#include "forms/menu_plan.h"

namespace forms {
namespace {
constexpr uint16_t kVkF1 = 0x70, kVkInsert = 0x2D, kVkDelete = 0x2E;
constexpr uint32_t kHidden = 1, kDisabled = 2, kChecked = 4;

// Builds the items at `level` starting at i; returns the index of the first record that is
// not part of this menu (a shallower one, or the end).
uint32_t Build(const std::vector<MenuItemInfo>& run, uint32_t i, uint32_t level, std::vector<MenuNode>& out,
               std::vector<Shortcut>& shortcuts) {
  const uint32_t n = static_cast<uint32_t>(run.size());
  while (i < n) {
    const MenuItemInfo& r = run[i];
    if (r.level < level) return i;
    if (r.level > level) {  // deeper than any opener: nothing to hang it on
      ++i;
      continue;
    }
    bool opens = i + 1 < n && run[i + 1].level > r.level;
    if (opens) {
      if (r.flags & kHidden) {
        ++i;
        while (i < n && run[i].level > r.level) ++i;
        continue;
      }
      MenuNode node;
      node.position = i;
      node.commandId = kFirstMenuCommand + i;
      node.text = r.caption;
      node.dropDown = true;
      node.disabled = (r.flags & kDisabled) != 0;
      i = Build(run, i + 1, run[i + 1].level, node.children, shortcuts);
      out.push_back(std::move(node));
      continue;
    }
    if (!(r.flags & kHidden)) {
      MenuNode node;
      node.position = i;
      node.commandId = kFirstMenuCommand + i;
      if (r.caption == "-") {
        node.separator = true;
      } else {
        node.text = r.caption;
        std::string name = ShortcutName(r.shortcut);
        if (!name.empty()) node.text += "\t" + name;
        node.disabled = (r.flags & kDisabled) != 0;
        node.checked = (r.flags & kChecked) != 0;
        ShortcutKey key = ShortcutOf(r.shortcut);
        if (key.virtualKey) shortcuts.push_back({node.commandId, key});
      }
      out.push_back(std::move(node));
    }
    ++i;
  }
  return i;
}
}  // namespace

std::string ShortcutName(uint32_t n) {
  if (n >= 1 && n <= 26) return std::string("Ctrl+") + static_cast<char>('A' + n - 1);
  if (n >= 27 && n <= 74) {
    static const char* const kPrefix[4] = {"", "Ctrl+", "Shift+", "Ctrl+Shift+"};
    uint32_t group = (n - 27) / 12, key = (n - 27) % 12 + 1;
    return std::string(kPrefix[group]) + "F" + std::to_string(key);
  }
  if (n == 75) return "Ins";
  if (n == 76) return "Del";
  return "";
}

ShortcutKey ShortcutOf(uint32_t n) {
  ShortcutKey k;
  if (n >= 1 && n <= 26) {
    k.control = true;
    k.virtualKey = static_cast<uint16_t>('A' + n - 1);
  } else if (n >= 27 && n <= 74) {
    uint32_t group = (n - 27) / 12;
    k.control = group == 1 || group == 3;
    k.shift = group == 2 || group == 3;
    k.virtualKey = static_cast<uint16_t>(kVkF1 + (n - 27) % 12);
  } else if (n == 75) {
    k.virtualKey = kVkInsert;
  } else if (n == 76) {
    k.virtualKey = kVkDelete;
  }
  return k;
}

MenuPlan PlanMenu(const std::vector<MenuItemInfo>& run, uint32_t first) {
  MenuPlan plan;
  if (first < run.size()) Build(run, first, run[first].level, plan.items, plan.shortcuts);
  return plan;
}

MenuPlan PlanSubMenu(const std::vector<MenuItemInfo>& run, uint32_t item) {
  if (item + 1 >= run.size() || run[item + 1].level <= run[item].level) return {};
  MenuPlan plan;
  Build(run, item + 1, run[item + 1].level, plan.items, plan.shortcuts);
  return plan;
}

}  // namespace forms
