// Creating the list view from its data and reading and writing its own properties on the live control.
#include <windows.h>
#include <commctrl.h>

#include "forms/listview_data.h"
#include "modules/listview/image_list_blob.h"
#include "modules/listview/list_item_records.h"
#include "modules/listview/listview_interface.h"
#include "tests/modules/listview/listview_fixture.h"

namespace {
using namespace lvtest;

std::vector<uint8_t> Block(const forms::ListViewData& d) { return forms::EncodeBlock(d); }

forms::ListViewData Decode(const std::vector<uint8_t>& bytes) {
  auto d = forms::DecodeBlock<forms::ListViewData>({bytes.data(), static_cast<uint32_t>(bytes.size())});
  EXPECT_TRUE(d.has_value());
  return d ? *d : forms::ListViewData{};
}

std::string ColumnTitle(HWND list, int i) {
  char buffer[64] = {};
  LVCOLUMNA c{};
  c.mask = LVCF_TEXT;
  c.pszText = buffer;
  c.cchTextMax = sizeof buffer;
  SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&c));
  return buffer;
}

TEST_F(ListViewTest, MainWindowDataMakesASunkenSingleSelectionReportWithItsThreeColumns) {
  std::vector<uint8_t> block = MainListBlock();
  ASSERT_FALSE(block.empty());
  void* unit = Create(block, kUnitId, WS_VISIBLE | WS_TABSTOP);
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  EXPECT_EQ(UnitOfWindow(w), unit);
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  EXPECT_STREQ(cls, "SysListView32");
  LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style & (LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER));
  EXPECT_TRUE(style & WS_CHILD && style & WS_CLIPSIBLINGS && style & WS_CLIPCHILDREN && style & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(SendMessageA(w, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
  HWND header = reinterpret_cast<HWND>(SendMessageA(w, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(w, LVM_GETCOLUMNWIDTH, 0, 0), 200);
  EXPECT_EQ(SendMessageA(w, LVM_GETCOLUMNWIDTH, 1, 0), 50);
  EXPECT_EQ(SendMessageA(w, LVM_GETCOLUMNWIDTH, 2, 0), 500);
  EXPECT_EQ(ColumnTitle(w, 0), "电影名称");
  EXPECT_EQ(ColumnTitle(w, 2), "下载链接");
  EXPECT_EQ(SendMessageA(w, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(static_cast<int32_t>(Get(unit, 27).first), -1);
  // Written back, the data are the template's.
  EXPECT_EQ(DataOf(unit), block);
}

TEST_F(ListViewTest, NewerOrCutDataCreateNothing) {
  forms::ListViewData d;
  d.version = 2;
  EXPECT_EQ(Create(Block(d)), nullptr);
  std::vector<uint8_t> cut = MainListBlock();
  cut.resize(cut.size() - 3);
  EXPECT_EQ(Create(cut), nullptr);
  EXPECT_NE(Create({}), nullptr);  // no data: all defaults, a large-icon view
}

TEST_F(ListViewTest, InitialRowsFillColumnsAndGiveTheirTips) {
  forms::ListViewData d;
  d.view = 3;
  d.singleSelection = 1;
  d.selectedRow = 1;
  d.columns = forms::EncodeListColumns({{0, -1, 0, 100, "a"}, {0, -1, 2, 100, "b"}});
  d.rows = lv::EncodeListItems({{0, 5, -1, 42, 0, "第一行", "提示一"}, {1, 0, -1, 0, 0, "甲", ""},
                                {0, -1, -1, 7, 0, "第二行", "提示二"}});
  void* unit = Create(Block(d));
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  ASSERT_EQ(SendMessageA(w, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TakeText(Call(2, {MakeInt(0), MakeInt(1)})), "甲");
  EXPECT_EQ(TakeText(Call(2, {MakeInt(1)})), "第二行");
  LVITEMA item{};
  item.mask = LVIF_IMAGE | LVIF_PARAM;
  item.iItem = 0;
  SendMessageA(w, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, -1);  // no image list: every image index is out of range
  EXPECT_EQ(item.lParam, 42);
  EXPECT_EQ(Get(unit, 27).first, 1u);  // the initial selection
  LVCOLUMNA col{};
  col.mask = LVCF_FMT;
  SendMessageA(w, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
  EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

  char tip[64] = "truncated text";
  NMLVGETINFOTIPA request{};
  request.hdr = {w, 100, LVN_GETINFOTIPA};
  request.pszText = tip;
  request.cchTextMax = sizeof tip;
  request.iItem = 1;
  SendMessageA(parent_, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&request));
  EXPECT_STREQ(tip, "提示二");

  // Writing the rows property replaces every row.
  std::string rows = lv::EncodeListItems({{0, -1, -1, 0, 0, "唯一", "新提示"}});
  EXPECT_EQ(Set(unit, 29, {Word(rows.data()), static_cast<uint32_t>(rows.size())}), 0u);
  EXPECT_EQ(SendMessageA(w, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(TakeText(Call(2, {MakeInt(0)})), "唯一");
}

TEST_F(ListViewTest, ImageIndexesAreCheckedAgainstTheLoadedList) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 2, 0);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
  ReleaseDC(nullptr, screen);
  ImageList_Add(list, bitmap, nullptr);
  DeleteObject(bitmap);
  ASSERT_EQ(ImageList_GetImageCount(list), 2);
  forms::ListViewData d;
  d.view = 3;
  d.images = lv::SaveImageListBlob(list);
  ImageList_Destroy(list);
  ASSERT_GT(d.images.size(), 8u);
  d.rows = lv::EncodeListItems({{0, 1, -1, 0, 0, "a", ""}, {0, 2, -1, 0, 0, "b", ""}});
  void* unit = Create(Block(d));
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  auto small = reinterpret_cast<HIMAGELIST>(SendMessageA(w, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(small), 2);
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = 0;
  SendMessageA(w, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 1);
  item.iItem = 1;
  SendMessageA(w, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, -1);
  // A blob without the mark is no list.
  std::string unmarked = "XXXX" + d.images.substr(4);
  EXPECT_EQ(Set(unit, 16, {Word(unmarked.data()), static_cast<uint32_t>(unmarked.size())}), 0u);
  EXPECT_EQ(SendMessageA(w, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

TEST_F(ListViewTest, PropertyWritesClampApplyAndAskForRecreation) {
  void* unit = Create(MainListBlock());
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  EXPECT_EQ(Set(unit, 0, {9, 0}), 0u);
  EXPECT_EQ(Get(unit, 0).first, 5u);
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_BORDER);
  EXPECT_FALSE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  Set(unit, 0, {static_cast<uint32_t>(-2), 0});
  EXPECT_EQ(Get(unit, 0).first, 0u);
  EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_BORDER);

  EXPECT_EQ(Set(unit, 1, {0x0000FF, 0}), 0u);
  EXPECT_EQ(SendMessageA(w, LVM_GETTEXTCOLOR, 0, 0), 0x0000FF);
  EXPECT_EQ(Set(unit, 3, {0xFF000000u, 0}), 0u);
  EXPECT_EQ(Get(unit, 3).first, GetSysColor(COLOR_BTNFACE));  // read from the control
  EXPECT_EQ(Decode(DataOf(unit)).background, 0xFF000000u);    // kept as written

  EXPECT_EQ(Set(unit, 10, {1, 0}), 0u);  // hide the header: at once in report view
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & LVS_NOCOLUMNHEADER);
  Set(unit, 10, {0, 0});
  EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & LVS_NOCOLUMNHEADER);

  EXPECT_EQ(Set(unit, 6, {3, 0}), 0u);  // icon alignment counts only in icon views
  EXPECT_EQ(Get(unit, 6).first, 1u);
  EXPECT_EQ(Set(unit, 8, {0, 0}), 0u);
  EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & LVS_NOLABELWRAP);
  EXPECT_EQ(Set(unit, 14, {1, 0}), 1u);  // grid lines
  EXPECT_EQ(Set(unit, 19, {0, 0}), 0u);  // hand cursor without hot tracking
  EXPECT_EQ(Set(unit, 18, {1, 0}), 1u);
  EXPECT_EQ(Set(unit, 19, {1, 0}), 1u);
  EXPECT_EQ(Set(unit, 23, {9, 0}), 1u);
  EXPECT_EQ(Get(unit, 23).first, 2u);
  EXPECT_EQ(Set(unit, 5, {6, 0}), 1u);
  EXPECT_EQ(Get(unit, 5).first, 3u);
  EXPECT_EQ(Set(unit, 30, {Word("x"), 0}), 0u);
  EXPECT_EQ(Get(unit, 30).first, 0u);  // no edit running: the empty text

  forms::ListViewData d = Decode(DataOf(unit));
  EXPECT_EQ(d.version, 1u);
  EXPECT_EQ(d.gridLines, 1u);
  EXPECT_EQ(d.hotTracking, 1u);
  EXPECT_EQ(d.sortOrder, 2u);
  EXPECT_EQ(d.iconAlignment, 1u);
  EXPECT_EQ(d.textColour, 0x0000FFu);
}

TEST_F(ListViewTest, IconViewsSwitchLabelWrappingAtOnceAndRecreateForAlignment) {
  forms::ListViewData d;
  d.view = 1;
  void* unit = Create(Block(d));
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  EXPECT_EQ(Set(unit, 8, {0, 0}), 0u);
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & LVS_NOLABELWRAP);
  EXPECT_EQ(Set(unit, 6, {1, 0}), 1u);
  EXPECT_EQ(Set(unit, 7, {0, 0}), 1u);
  EXPECT_EQ(Set(unit, 9, {0, 0}), 0u);   // columns only matter in report view
  EXPECT_EQ(Set(unit, 14, {1, 0}), 0u);
}

TEST_F(ListViewTest, SelectedRowReadsTheControlAndWritesSelectOrClear) {
  void* unit = Create(MainListBlock());
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  for (int i = 0; i < 3; ++i) Call(0, {});
  EXPECT_EQ(static_cast<int32_t>(Get(unit, 27).first), -1);
  Set(unit, 27, {1, 0});
  EXPECT_EQ(Get(unit, 27).first, 1u);
  EXPECT_EQ(SendMessageA(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
  Set(unit, 27, {static_cast<uint32_t>(-6), 0});
  EXPECT_EQ(static_cast<int32_t>(Get(unit, 27).first), -1);
  EXPECT_EQ(Decode(DataOf(unit)).selectedRow, -1);
}

TEST_F(ListViewTest, WithoutSingleSelectionWritingTheRowOnlyStoresIt) {
  forms::ListViewData d;
  d.view = 3;
  d.singleSelection = 0;
  void* unit = Create(Block(d));
  Call(0, {});
  Call(0, {});
  Set(unit, 27, {1, 0});
  EXPECT_EQ(static_cast<int32_t>(Get(unit, 27).first), -1);
  EXPECT_EQ(Decode(DataOf(unit)).selectedRow, 1);
}

TEST_F(ListViewTest, EnumerateNamesTheFontThenEveryTextAndRewritesTheData) {
  forms::ListViewData d;
  d.version = 0;
  LOGFONTA lf{};
  lf.lfHeight = -12;
  strcpy(lf.lfFaceName, "宋体");
  d.font.assign(reinterpret_cast<const char*>(&lf), sizeof lf);
  d.columns = forms::EncodeListColumns({{0, -1, 0, 10, "列"}});
  d.rows = lv::EncodeListItems({{0, -1, -1, 0, 0, "行", "提示"}, {1, -1, -1, 0, 0, "格", ""}});
  std::vector<uint8_t> block = Block(d);
  static std::vector<std::pair<std::string, uint32_t>> seen;
  seen.clear();
  auto enumerate = reinterpret_cast<lv::ListViewEnumerateFn>(lv::ListViewInterface(unitif::EnumFonts));
  HGLOBAL again = enumerate(nullptr, block.data(), static_cast<uint32_t>(block.size()),
                            [](const char* text, uint32_t flag, uint32_t user) {
                              EXPECT_EQ(user, 77u);
                              seen.push_back({text, flag});
                            },
                            77);
  ASSERT_NE(again, nullptr);
  std::vector<std::pair<std::string, uint32_t>> expected = {{"宋体", 1}, {"列", 0}, {"行", 0}, {"提示", 0}, {"格", 0}, {"", 0}};
  EXPECT_EQ(seen, expected);
  auto rewritten = Decode(std::vector<uint8_t>(static_cast<uint8_t*>(GlobalLock(again)),
                                               static_cast<uint8_t*>(GlobalLock(again)) + GlobalSize(again)));
  GlobalUnlock(again);
  GlobalUnlock(again);
  GlobalFree(again);
  EXPECT_EQ(rewritten.version, 1u);
  EXPECT_EQ(rewritten.rows, d.rows);
}

TEST_F(ListViewTest, DestroyingTheWindowReportsTheUnitGone) {
  void* unit = Create(MainListBlock(), 0x16010042);
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  DestroyWindow(w);
  auto gone = Destroyed();
  ASSERT_EQ(gone.size(), 1u);
  EXPECT_EQ(gone[0], std::make_pair(kWindowId, 0x16010042u));
  EXPECT_FALSE(IsWindow(w));
}

}  // namespace
