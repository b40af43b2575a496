// Menu plans from menu records: ids, shortcut names and keys, hidden items and drop-downs.
#include <gtest/gtest.h>

#include "forms/menu_plan.h"

namespace {
using forms::MenuItemInfo;

TEST(ShortcutKeys, NamesAndKeysOfEveryGroup) {
  EXPECT_EQ(forms::ShortcutName(1), "Ctrl+A");
  EXPECT_EQ(forms::ShortcutName(26), "Ctrl+Z");
  EXPECT_EQ(forms::ShortcutName(27), "F1");
  EXPECT_EQ(forms::ShortcutName(38), "F12");
  EXPECT_EQ(forms::ShortcutName(39), "Ctrl+F1");
  EXPECT_EQ(forms::ShortcutName(51), "Shift+F1");
  EXPECT_EQ(forms::ShortcutName(74), "Ctrl+Shift+F12");
  EXPECT_EQ(forms::ShortcutName(75), "Ins");
  EXPECT_EQ(forms::ShortcutName(76), "Del");
  EXPECT_EQ(forms::ShortcutName(77), "");
  EXPECT_EQ(forms::ShortcutName(0), "");
  auto k = forms::ShortcutOf(74);
  EXPECT_TRUE(k.control && k.shift);
  EXPECT_EQ(k.virtualKey, 0x7B);
  k = forms::ShortcutOf(19);
  EXPECT_TRUE(k.control && !k.shift);
  EXPECT_EQ(k.virtualKey, 'S');
  EXPECT_EQ(forms::ShortcutOf(77).virtualKey, 0);
}

TEST(MenuPlan, HiddenItemsKeepTheirIdsAndSeparatorsHaveNoShortcut) {
  std::vector<MenuItemInfo> run = {{0, 0, 0, "File"}, {27, 1, 0, "Open"}, {0, 1, 1, "Hidden"}, {0, 1, 0, "-"},
                                   {77, 1, 6, "Last"}};
  forms::MenuPlan plan = forms::PlanMenu(run);
  ASSERT_EQ(plan.items.size(), 1u);
  const auto& drop = plan.items[0];
  EXPECT_TRUE(drop.dropDown);
  ASSERT_EQ(drop.children.size(), 3u);
  EXPECT_EQ(drop.children[0].text, "Open\tF1");
  EXPECT_EQ(drop.children[0].commandId, 20001u);
  EXPECT_TRUE(drop.children[1].separator);
  EXPECT_EQ(drop.children[2].commandId, 20004u);  // the hidden item still took 20002
  EXPECT_EQ(drop.children[2].text, "Last");       // 77 has no name
  EXPECT_TRUE(drop.children[2].disabled && drop.children[2].checked);
  ASSERT_EQ(plan.shortcuts.size(), 1u);
  EXPECT_EQ(plan.shortcuts[0].commandId, 20001u);
}

TEST(MenuPlan, AHiddenDropDownTitleTakesItsWholeDropDownAway) {
  std::vector<MenuItemInfo> run = {{0, 0, 1, "Gone"}, {1, 1, 0, "Inner"}, {0, 2, 0, "Deeper"},
                                   {0, 0, 0, "Kept"}, {2, 1, 0, "Item"}};
  forms::MenuPlan plan = forms::PlanMenu(run);
  ASSERT_EQ(plan.items.size(), 1u);
  EXPECT_EQ(plan.items[0].text, "Kept");
  EXPECT_EQ(plan.items[0].children[0].commandId, 20004u);
  ASSERT_EQ(plan.shortcuts.size(), 1u);  // the hidden drop-down's shortcut went with it
}

TEST(MenuPlan, SubMenuOfAnItemKeepsTheMenuBarIdsAndAnItemWithoutSubItemsGivesNothing) {
  std::vector<MenuItemInfo> run = {{0, 0, 0, "A"}, {0, 1, 0, "A1"}, {0, 0, 0, "B"}, {0, 1, 0, "B1"}, {0, 1, 0, "B2"}};
  forms::MenuPlan sub = forms::PlanSubMenu(run, 2);
  ASSERT_EQ(sub.items.size(), 2u);
  EXPECT_EQ(sub.items[0].commandId, 20003u);
  EXPECT_EQ(sub.items[1].text, "B2");
  EXPECT_TRUE(forms::PlanSubMenu(run, 1).items.empty());
  EXPECT_TRUE(forms::PlanSubMenu(run, 4).items.empty());
}

}  // namespace
