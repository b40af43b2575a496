// The list view's pure pieces: row records, styles from data, and what each property write
// stores and asks of the form engine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "modules/listview/list_item_records.h"
#include "modules/listview/listview_styles.h"
#include "modules/listview/property_rules.h"

namespace {
using lv::Apply;
using lv::StoreProperty;
namespace prop = lv::prop;

TEST(ListItemRecords, RoundTripKeepsKindsTextsAndTipsAndRefusesCutRecords) {
  std::vector<lv::ListItemRecord> rows = {{0, 2, 1, 77, 3, "电影名称", "提示一"}, {1, -1, -1, 0, 0, "10001", ""},
                                          {0, -1, -1, 0, 0, "", "提示二"}};
  std::string packed = lv::EncodeListItems(rows);
  EXPECT_EQ(packed.size(), 3 * 17 + 9 + 7 + 6 + 1 + 1 + 7);
  auto back = lv::DecodeListItems(packed);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->size(), 3u);
  EXPECT_EQ((*back)[0].image, 2);
  EXPECT_EQ((*back)[0].stateImage, 1);
  EXPECT_EQ((*back)[0].itemData, 77u);
  EXPECT_EQ((*back)[0].indent, 3);
  EXPECT_EQ((*back)[1].kind, 1);
  EXPECT_EQ((*back)[1].text, "10001");
  EXPECT_EQ(lv::RowTips(*back), (std::vector<std::string>{"提示一", "提示二"}));
  EXPECT_FALSE(lv::DecodeListItems(packed.substr(0, packed.size() - 1)).has_value());  // tip unterminated
  EXPECT_FALSE(lv::DecodeListItems(packed.substr(0, 10)).has_value());
  EXPECT_TRUE(lv::DecodeListItems("")->empty());
}

TEST(ListViewStyles, ReportViewOfTheMainWindow) {
  forms::ListViewData d;
  d.view = 3;
  uint32_t s = lv::WindowStyleFor(d, WS_TABSTOP);
  EXPECT_EQ(s & LVS_TYPEMASK, static_cast<uint32_t>(LVS_REPORT));
  EXPECT_EQ(s & 0x46000000u, 0x46000000u);
  EXPECT_TRUE(s & WS_TABSTOP);
  EXPECT_TRUE(s & LVS_SINGLESEL);
  EXPECT_FALSE(s & (LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER | LVS_EDITLABELS | LVS_SHOWSELALWAYS));
  EXPECT_FALSE(s & (LVS_AUTOARRANGE | LVS_SORTASCENDING | LVS_SORTDESCENDING));  // auto arrange is for icon views
  EXPECT_EQ(lv::ExtendedStyleFor(d), 0x402u);
}

TEST(ListViewStyles, OptionsOnlyCountInTheirViews) {
  forms::ListViewData d;
  d.view = 0;
  d.iconAlignment = 1;
  d.wrapLabels = 0;
  d.hideColumnHeader = 1;
  d.fullRowSelect = 1;
  d.sortOrder = 7;
  uint32_t icon = lv::WindowStyleFor(d, 0);
  EXPECT_EQ(icon & LVS_TYPEMASK, static_cast<uint32_t>(LVS_ICON));
  EXPECT_TRUE(icon & LVS_ALIGNLEFT && icon & LVS_AUTOARRANGE && icon & LVS_NOLABELWRAP);
  EXPECT_FALSE(icon & LVS_NOCOLUMNHEADER);
  EXPECT_TRUE(icon & LVS_SORTDESCENDING);
  EXPECT_FALSE(lv::ExtendedStyleFor(d) & LVS_EX_FULLROWSELECT);
  d.view = 9;  // unknown views are reports
  d.clickableHeader = 0;
  d.dragColumnHeaders = 1;
  uint32_t report = lv::WindowStyleFor(d, 0);
  EXPECT_EQ(report & LVS_TYPEMASK, static_cast<uint32_t>(LVS_REPORT));
  EXPECT_FALSE(report & (LVS_ALIGNLEFT | LVS_NOLABELWRAP));
  EXPECT_TRUE(report & LVS_NOCOLUMNHEADER);
  EXPECT_FALSE(report & LVS_NOSORTHEADER);  // a hidden header is not also made unclickable
  EXPECT_FALSE(lv::ExtendedStyleFor(d) & LVS_EX_HEADERDRAGDROP);  // nothing to drag without a header
  d.hideColumnHeader = 0;
  EXPECT_TRUE(lv::WindowStyleFor(d, 0) & LVS_NOSORTHEADER);
  d.hotTracking = 1;
  d.underlineHot = 0;
  d.checkBoxes = 1;
  uint32_t ex = lv::ExtendedStyleFor(d);
  EXPECT_TRUE(ex & LVS_EX_HEADERDRAGDROP && ex & LVS_EX_FULLROWSELECT && ex & LVS_EX_TRACKSELECT);
  EXPECT_TRUE(ex & LVS_EX_ONECLICKACTIVATE && ex & LVS_EX_UNDERLINECOLD && ex & LVS_EX_CHECKBOXES);
  EXPECT_FALSE(ex & LVS_EX_UNDERLINEHOT);
}

TEST(ListViewStyles, BorderKinds) {
  EXPECT_EQ(lv::BorderStyleFor(1).exStyle, static_cast<uint32_t>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(lv::BorderStyleFor(4).exStyle, static_cast<uint32_t>(WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME));
  EXPECT_EQ(lv::BorderStyleFor(5).style, static_cast<uint32_t>(WS_BORDER));
  EXPECT_EQ(lv::BorderStyleFor(5).exStyle, 0u);
  EXPECT_EQ(lv::BorderStyleFor(0).exStyle | lv::BorderStyleFor(0).style, 0u);
}

TEST(PropertyRules, RangesAreClamped) {
  forms::ListViewData d;
  EXPECT_EQ(StoreProperty(d, prop::Border, 9, "").apply, Apply::Border);
  EXPECT_EQ(d.border, 5u);
  StoreProperty(d, prop::Border, static_cast<uint32_t>(-3), "");
  EXPECT_EQ(d.border, 0u);
  EXPECT_TRUE(StoreProperty(d, prop::View, 7, "").recreate);
  EXPECT_EQ(d.view, 3u);
  StoreProperty(d, prop::IconAlignment, 4, "");
  EXPECT_EQ(d.iconAlignment, 1u);
  StoreProperty(d, prop::IconAlignment, static_cast<uint32_t>(-4), "");
  EXPECT_EQ(d.iconAlignment, 0u);
  EXPECT_TRUE(StoreProperty(d, prop::SortOrder, 5, "").recreate);
  EXPECT_EQ(d.sortOrder, 2u);
  EXPECT_EQ(StoreProperty(d, prop::SelectedRow, static_cast<uint32_t>(-9), "").apply, Apply::Selection);
  EXPECT_EQ(d.selectedRow, -1);
  StoreProperty(d, prop::SelectedRow, 4, "");
  EXPECT_EQ(d.selectedRow, 4);
  StoreProperty(d, prop::GridLines, 7, "");
  EXPECT_EQ(d.gridLines, 1u);
}

TEST(PropertyRules, RecreationDependsOnTheView) {
  forms::ListViewData report;
  report.view = 3;
  forms::ListViewData icons;
  icons.view = 1;
  EXPECT_FALSE(StoreProperty(report, prop::IconAlignment, 1, "").recreate);
  EXPECT_TRUE(StoreProperty(icons, prop::IconAlignment, 1, "").recreate);
  EXPECT_FALSE(StoreProperty(report, prop::AutoArrange, 0, "").recreate);
  EXPECT_TRUE(StoreProperty(icons, prop::AutoArrange, 0, "").recreate);
  EXPECT_EQ(StoreProperty(icons, prop::WrapLabels, 0, "").apply, Apply::WrapLabels);
  EXPECT_EQ(StoreProperty(report, prop::WrapLabels, 0, "").apply, Apply::Nothing);
  for (uint32_t k : {prop::Columns, prop::ClickableHeader, prop::FullRowSelect, prop::GridLines, prop::DragHeaders}) {
    EXPECT_TRUE(StoreProperty(report, k, 1, "").recreate) << k;
    EXPECT_FALSE(StoreProperty(icons, k, 1, "").recreate) << k;
  }
  EXPECT_EQ(StoreProperty(report, prop::HideHeader, 1, "").apply, Apply::HideHeader);
  EXPECT_EQ(StoreProperty(icons, prop::HideHeader, 1, "").apply, Apply::Nothing);
  EXPECT_EQ(StoreProperty(report, prop::HeaderImages, 0, "x").apply, Apply::HeaderImages);
  EXPECT_EQ(report.headerImages, "x");
  for (uint32_t k : {prop::HotTracking, prop::EditLabels, prop::CheckBoxes, prop::FlatScrollBars,
                     prop::SingleSelection, prop::AlwaysShowSelection})
    EXPECT_TRUE(StoreProperty(icons, k, 1, "").recreate) << k;
}

TEST(PropertyRules, HotOptionsRecreateOnlyWithHotTracking) {
  forms::ListViewData d;
  for (uint32_t k : {prop::HandCursor, prop::UnderlineCold, prop::UnderlineHot})
    EXPECT_FALSE(StoreProperty(d, k, 0, "").recreate) << k;
  EXPECT_EQ(d.handCursorWhenHot, 0u);
  d.hotTracking = 1;
  for (uint32_t k : {prop::HandCursor, prop::UnderlineCold, prop::UnderlineHot})
    EXPECT_TRUE(StoreProperty(d, k, 1, "").recreate) << k;
}

TEST(PropertyRules, ImmediateChangesAndTheReadOnlyText) {
  forms::ListViewData d;
  EXPECT_EQ(StoreProperty(d, prop::Background, 0xFF000000u, "").apply, Apply::Background);
  EXPECT_EQ(d.background, 0xFF000000u);
  EXPECT_EQ(StoreProperty(d, prop::Rows, 0, "rows").apply, Apply::Rows);
  EXPECT_EQ(d.rows, "rows");
  EXPECT_EQ(StoreProperty(d, prop::Images, 0, "i").apply, Apply::Images);
  EXPECT_EQ(StoreProperty(d, prop::StateImages, 0, "s").apply, Apply::StateImages);
  EXPECT_EQ(StoreProperty(d, prop::Font, 0, "f").apply, Apply::Font);
  lv::WriteOutcome o = StoreProperty(d, prop::EditedText, 5, "");
  EXPECT_FALSE(o.recreate);
  EXPECT_EQ(o.apply, Apply::Nothing);
}

}  // namespace
