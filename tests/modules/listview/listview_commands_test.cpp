// The four list view commands, from the UI thread and from a worker while the UI thread pumps.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/modules/listview/listview_fixture.h"
#include "tests/support/error_capture.h"

namespace {
using namespace lvtest;

CmdArg None() { return CmdArg{0, 0, 0}; }

TEST_F(ListViewTest, InsertRowAppendsInsertsAtTheTopAndAppendsForNegativePositions) {
  void* unit = Create(MainListBlock());
  ASSERT_NE(unit, nullptr);
  // As the scan calls it: all seven arguments, 2 to 7 omitted.
  CmdArg first = Call(0, {None(), None(), None(), None(), None(), None()});
  EXPECT_EQ(first.type, tc::Integer);
  EXPECT_EQ(first.lo, 0u);
  EXPECT_EQ(Call(0, {}).lo, 1u);  // only the unit: appended, the previous count
  Call(1, {MakeInt(1), MakeInt(0), MakeText("second")});
  EXPECT_EQ(Call(0, {MakeInt(0), MakeText("top")}).lo, 0u);
  EXPECT_EQ(Call(0, {MakeInt(-5), MakeText("tail")}).lo, 3u);
  EXPECT_EQ(Call(0, {MakeInt(99), MakeText("beyond")}).lo, 4u);  // past the end: the platform appends
  CmdArg count = Call(3, {});
  EXPECT_EQ(count.type, tc::Integer);
  EXPECT_EQ(count.lo, 5u);
  EXPECT_EQ(TakeText(Call(2, {MakeInt(0)})), "top");
  EXPECT_EQ(TakeText(Call(2, {MakeInt(2), MakeInt(0)})), "second");
  EXPECT_EQ(TakeText(Call(2, {MakeInt(3)})), "tail");
}

TEST_F(ListViewTest, InsertRowTakesImageStateIndentAndItemData) {
  void* unit = Create(MainListBlock());
  HWND w = WindowOf(unit);
  Call(0, {None(), MakeText("行"), MakeInt(-7), MakeInt(0), MakeInt(-3), MakeInt(1234)});
  LVITEMA item{};
  item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT | LVIF_STATE;
  item.stateMask = LVIS_STATEIMAGEMASK;
  SendMessageA(w, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, -1);
  EXPECT_EQ(item.iIndent, 0);
  EXPECT_EQ(item.lParam, 1234);
  EXPECT_EQ(item.state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
}

TEST_F(ListViewTest, CellTextsRoundTripLongTextsAndMissingCellsAreEmpty) {
  void* unit = Create(MainListBlock());
  ASSERT_NE(unit, nullptr);
  Call(0, {});
  std::string longText;
  for (int i = 0; i < 700; ++i) longText += static_cast<char>('a' + i % 26);
  Call(1, {MakeInt(0), MakeInt(2), MakeText(longText.c_str())});
  EXPECT_EQ(TakeText(Call(2, {MakeInt(0), MakeInt(2)})), longText);
  std::string exact(511, 'x');  // fills the first buffer exactly: read again in a larger one
  Call(1, {MakeInt(0), MakeInt(1), MakeText(exact.c_str())});
  EXPECT_EQ(TakeText(Call(2, {MakeInt(0), MakeInt(1)})), exact);
  Call(1, {MakeInt(0), MakeInt(0), MakeText("电影名称")});
  EXPECT_EQ(TakeText(Call(2, {MakeInt(0)})), "电影名称");

  CmdArg missing = Call(2, {MakeInt(1), MakeInt(0)});  // row = row count
  EXPECT_EQ(missing.type, tc::Text);
  EXPECT_EQ(missing.lo, 0u);
  EXPECT_EQ(Call(2, {MakeInt(-1)}).lo, 0u);
  Call(1, {MakeInt(0), MakeInt(1)});  // no text: the cell is emptied
  EXPECT_EQ(Call(2, {MakeInt(0), MakeInt(1)}).lo, 0u);
  Call(1, {MakeInt(5), MakeInt(0), MakeText("nowhere")});  // a row that does not exist is left alone
  Call(1, {MakeInt(-1), MakeInt(0), MakeText("every")});
  EXPECT_EQ(Call(3, {}).lo, 1u);
  EXPECT_EQ(TakeText(Call(2, {MakeInt(0)})), "电影名称");
}

TEST_F(ListViewTest, AWorkerReachesTheControlWhileTheUiThreadPumps) {
  void* unit = Create(MainListBlock());
  ASSERT_NE(unit, nullptr);
  constexpr int kRows = 40;
  std::atomic<bool> done{false};
  std::atomic<int> wrong{0};
  std::thread worker([&] {
    for (int i = 0; i < kRows; ++i) {
      CmdArg row = Call(0, {CmdArg{0, 0, 0}, CmdArg{0, 0, 0}, CmdArg{0, 0, 0}, CmdArg{0, 0, 0}, CmdArg{0, 0, 0},
                            CmdArg{0, 0, 0}});
      std::string id = std::to_string(10000 + i);
      Call(1, {MakeInt(static_cast<int32_t>(row.lo)), MakeInt(0), MakeText("电影")});
      Call(1, {MakeInt(static_cast<int32_t>(row.lo)), MakeInt(1), MakeText(id.c_str())});
      if (TakeText(Call(2, {MakeInt(static_cast<int32_t>(row.lo)), MakeInt(1)})) != id) ++wrong;
      if (static_cast<int32_t>(Call(3, {}).lo) != i + 1) ++wrong;
    }
    done = true;
  });
  DWORD start = GetTickCount();
  while (!done && GetTickCount() - start < 20000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  worker.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(Call(3, {}).lo, static_cast<uint32_t>(kRows));
  EXPECT_EQ(TakeText(Call(2, {MakeInt(kRows - 1), MakeInt(1)})), std::to_string(10000 + kRows - 1));
}

// The vertical scroll range the control shows, once its messages have run for up to three seconds.
int VerticalRangeAfterPumping(HWND list, int wanted) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  DWORD start = GetTickCount();
  do {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    info.nMax = 0;
    GetScrollInfo(list, SB_VERT, &info);
  } while (info.nMax < wanted && GetTickCount() - start < 3000);
  return info.nMax;
}

TEST_F(ListViewTest, RowsOfABurstAreThereAtOnceAndTheScrollBarCatchesUpWhenItEnds) {
  void* unit = Create(MainListBlock());
  HWND w = WindowOf(unit);
  ASSERT_TRUE(IsWindowVisible(w));
  for (int i = 0; i < 100; ++i) Call(0, {None(), MakeText(std::to_string(i).c_str())});
  EXPECT_EQ(Call(3, {}).lo, 100u);
  EXPECT_EQ(TakeText(Call(2, {MakeInt(99)})), "99");
  EXPECT_TRUE(IsWindowVisible(w));  // held drawing must not hide the control from the mouse
  EXPECT_GE(VerticalRangeAfterPumping(w, 99), 99);
  // A second burst later on is drawn too.
  for (int i = 0; i < 50; ++i) Call(0, {None(), MakeText("more")});
  EXPECT_GE(VerticalRangeAfterPumping(w, 149), 149);
}

TEST_F(ListViewTest, DrawingSwitchedOffByTheCallerStaysOffThroughABurst) {
  void* unit = Create(MainListBlock());
  HWND w = WindowOf(unit);
  SendMessageA(w, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < 100; ++i) Call(0, {None(), MakeText("row")});
  Sleep(1000);  // twice the burst's delay
  EXPECT_LT(VerticalRangeAfterPumping(w, 99), 99);
  SendMessageA(w, WM_SETREDRAW, TRUE, 0);
  EXPECT_GE(VerticalRangeAfterPumping(w, 99), 99);
  EXPECT_EQ(Call(3, {}).lo, 100u);
}

TEST_F(ListViewTest, AUnitThatIsNotLoadedEndsTheProgram) {
  Create(MainListBlock());
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        Call(3, {}, 0x16019999);
      },
      ::testing::ExitedWithCode(-1), "runtime error 0: ");
}

}  // namespace
