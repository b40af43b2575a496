// Events the list view raises from its control's notifications: clicks, focus, label edits and
// check boxes.
#include <windows.h>
#include <commctrl.h>

#include "forms/listview_data.h"
#include "tests/modules/listview/listview_fixture.h"

namespace {
using namespace lvtest;

std::vector<RaisedEvent> Only(const std::vector<RaisedEvent>& all, int32_t event) {
  std::vector<RaisedEvent> out;
  for (const RaisedEvent& e : all)
    if (e.event == event) out.push_back(e);
  return out;
}

void ClickAt(HWND w, UINT down, UINT up, WPARAM key, int x, int y) {
  PostMessageA(w, down, key, MAKELPARAM(x, y));
  PostMessageA(w, up, 0, MAKELPARAM(x, y));
}

TEST_F(ListViewTest, RightClickRaisesEventFiveWithNoArguments) {
  void* unit = Create(MainListBlock());
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  Call(0, {MakeInt(0), MakeText("行")});
  Pump();
  ClearEvents();
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageA(w, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  ClickAt(w, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, r.left + 20, (r.top + r.bottom) / 2);
  Pump();
  auto right = Only(Events(), 5);
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].windowId, kWindowId);
  EXPECT_EQ(right[0].unitId, kUnitId);
  EXPECT_TRUE(right[0].args.empty());
  EXPECT_TRUE(Only(Events(), 4).empty());

  ClearEvents();
  ClickAt(w, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, r.left + 20, (r.top + r.bottom) / 2);
  Pump();
  EXPECT_EQ(Only(Events(), 4).size(), 1u);
  EXPECT_TRUE(Only(Events(), 5).empty());
}

TEST_F(ListViewTest, FocusChangesAndANewlyFocusedRowRaiseTheirEvents) {
  void* unit = Create(MainListBlock());
  HWND w = WindowOf(unit);
  Call(0, {});
  Call(0, {});
  SetFocus(parent_);
  Pump();
  ClearEvents();
  SetFocus(w);
  SetFocus(parent_);
  Pump();
  ASSERT_GE(Events().size(), 2u);
  EXPECT_EQ(Events()[0].event, -7);
  EXPECT_EQ(Events()[1].event, -8);

  ClearEvents();
  Set(unit, 27, {1, 0});
  Pump();
  EXPECT_EQ(Only(Events(), 0).size(), 1u);
  Set(unit, 27, {1, 0});  // already focused: no second event
  Pump();
  EXPECT_EQ(Only(Events(), 0).size(), 1u);
}

TEST_F(ListViewTest, ColumnHeaderClicksCarryTheColumn) {
  void* unit = Create(MainListBlock());
  HWND w = WindowOf(unit);
  NMLISTVIEW click{};
  click.hdr = {w, 100, LVN_COLUMNCLICK};
  click.iItem = -1;
  click.iSubItem = 2;
  SendMessageA(parent_, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&click));
  auto e = Only(Events(), 2);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].args, std::vector<uint32_t>{2});
}

TEST_F(ListViewTest, LabelEditsAskTheHandlerAndShowTheNewTextMeanwhile) {
  forms::ListViewData d;
  d.view = 3;
  d.editLabels = 1;
  d.columns = forms::EncodeListColumns({{0, -1, 0, 100, "a"}});
  void* unit = Create(forms::EncodeBlock(d));
  HWND w = WindowOf(unit);
  Call(0, {MakeInt(0), MakeText("旧")});
  auto send = [&](NMLVDISPINFOA& info) { return SendMessageA(parent_, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&info)); };

  NMLVDISPINFOA begin{};
  begin.hdr = {w, 100, LVN_BEGINLABELEDITA};
  begin.item.iItem = 0;
  EXPECT_EQ(send(begin), FALSE);  // no answer: the edit goes on
  Answer(6, 0);
  EXPECT_EQ(send(begin), TRUE);  // false cancels
  begin.item.iItem = -1;
  ClearEvents();
  send(begin);
  EXPECT_TRUE(Only(Events(), 6).empty());  // rows below 0 raise nothing

  std::string during;
  OnEvent(7, [&] {
    PropertyPair text = Get(unit, 30);
    during = text.first ? FromWord<const char>(text.first) : "";
  });
  char typed[] = "新名字";
  NMLVDISPINFOA end{};
  end.hdr = {w, 100, LVN_ENDLABELEDITA};
  end.item.iItem = 0;
  end.item.pszText = typed;
  EXPECT_EQ(send(end), TRUE);
  EXPECT_EQ(during, "新名字");
  EXPECT_EQ(Get(unit, 30).first, 0u);  // emptied once the event is over
  auto e = Only(Events(), 7);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].args, std::vector<uint32_t>{0});

  Answer(7, 0);
  end.item.pszText = nullptr;  // no text from the platform: the row's own
  EXPECT_EQ(send(end), FALSE);
  EXPECT_EQ(during, "旧");
}

TEST_F(ListViewTest, TheSpaceKeyTogglesACheckBoxAndRaisesEventEightWithTheNewState) {
  forms::ListViewData d;
  d.view = 3;
  d.checkBoxes = 1;
  d.columns = forms::EncodeListColumns({{0, -1, 0, 100, "a"}});
  void* unit = Create(forms::EncodeBlock(d));
  HWND w = WindowOf(unit);
  EXPECT_TRUE(SendMessageA(w, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
  Call(0, {});
  Call(0, {});
  Set(unit, 27, {1, 0});
  SetFocus(w);
  Pump();
  ClearEvents();
  SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
  Pump();
  auto e = Only(Events(), 8);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].args, (std::vector<uint32_t>{1, 1}));
  EXPECT_EQ(SendMessageA(w, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
}

}  // namespace
