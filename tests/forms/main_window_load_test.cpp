// The program's own main window, loaded from the generated form segment: its units, its menu
// bar with the captions and shortcut keys of its records.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_ids.h"
#include "app/image/program_image.h"
#include "forms/units/unit_base.h"
#include "image_constants.h"
#include "runtime/form_engine_port.h"
#include "tests/forms/engine_image.h"
#include "tests/support/box_watcher.h"
#include "tests/support/error_capture.h"

namespace {
const uint8_t kRealForms[image::kFormSegmentSize] = {
#include "form_segment.inc"
};

std::string ClassOf(HWND w) {
  char name[64] = {0};
  GetClassNameA(w, name, sizeof name);
  return name;
}
std::string MenuText(HMENU menu, int position) {
  char text[128] = {0};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT* g_sink = nullptr;
WNDPROC g_original = nullptr;
LRESULT CALLBACK Catch(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_COMMAND) *g_sink = LOWORD(wp);
  return CallWindowProcA(g_original, h, m, wp, lp);
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testerr::PrintErrorsInsteadOfBox();
    engineimg::Start(std::vector<uint8_t>(kRealForms, kRealForms + sizeof kRealForms), &kAppCodeTable[1]);
    // The application's created handler shows its start-up warning; answer it as a user would.
    testbox::Watcher okToWarning(IDOK);
    ASSERT_TRUE(forms::CreateStartupWindow(ids::kMainWindow));
    EXPECT_EQ(okToWarning.Result().caption, "警告");
    window = forms::WindowHandle(ids::kMainWindow);
    ASSERT_NE(window, nullptr);
  }
  HWND window = nullptr;
};

TEST_F(MainWindow, UnitsAreCreatedWithTheirClassesStylesAndTexts) {
  EXPECT_EQ(ClassOf(window), "WTWindow");
  EXPECT_EQ(forms::WindowTextOf(window), "Reelscout");
  EXPECT_TRUE(IsWindowVisible(window));
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 780);
  EXPECT_EQ(r.bottom - r.top, 704);

  HWND log = forms::UnitWindow(ids::kMainWindow, ids::kMainLogBox);
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(ClassOf(log), "_WU_LogView");
  LONG logStyle = GetWindowLongA(log, GWL_STYLE);
  EXPECT_TRUE(logStyle & ES_MULTILINE);
  EXPECT_TRUE(logStyle & ES_READONLY);
  EXPECT_TRUE(logStyle & WS_TABSTOP);
  EXPECT_TRUE(IsWindowVisible(log));
  EXPECT_EQ(GetParent(log), window);

  HWND label = forms::UnitWindow(ids::kMainWindow, ids::kMainProgressLabel);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(ClassOf(label), "_WU_Label");
  EXPECT_EQ(forms::WindowTextOf(label), "进度：");
  HWND bar = forms::UnitWindow(ids::kMainWindow, ids::kMainProgressBar);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(ClassOf(bar), "msctls_progress32");
  HWND dialog = forms::UnitWindow(ids::kMainWindow, ids::kMainFileDialog);
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog));  // never visible at run time
  ASSERT_NE(forms::UnitWindow(ids::kMainWindow, ids::kMainList), nullptr);

  // Control ids in creation order, from the last record back: list 100, bar 110, label 120, log 130, dialog 140.
  EXPECT_EQ(GetDlgCtrlID(forms::UnitWindow(ids::kMainWindow, ids::kMainList)), 100);
  EXPECT_EQ(GetDlgCtrlID(label), 120);
  EXPECT_EQ(GetDlgCtrlID(dialog), 140);
  // Z-order follows the records: the dialog (record 1) lies on top of the log box (record 2).
  EXPECT_EQ(GetWindow(window, GW_CHILD), dialog);
}

TEST_F(MainWindow, MenuBarHoldsTheTwentyOneItemsWithTheirShortcuts) {
  HMENU bar = GetMenu(window);
  ASSERT_NE(bar, nullptr);
  const char* titles[7] = {"开始", "调试", "搜索", "下载", "载入", "更新", "收藏夹"};
  ASSERT_EQ(GetMenuItemCount(bar), 7);
  int total = 7;
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(MenuText(bar, i), titles[i]);
    HMENU drop = GetSubMenu(bar, i);
    ASSERT_NE(drop, nullptr);
    total += GetMenuItemCount(drop);
  }
  EXPECT_EQ(total, 21);
  HMENU start = GetSubMenu(bar, 0);
  EXPECT_EQ(MenuText(start, 0), "开始\tF1");
  EXPECT_EQ(MenuText(start, 1), "暂停\tF5");
  EXPECT_EQ(MenuText(start, 4), "保存\tCtrl+S");
  EXPECT_EQ(GetMenuItemID(start, 1), 20002u);  // position 2 of the menu records
  EXPECT_EQ(MenuText(GetSubMenu(bar, 2), 0), "在已知目录搜索（尚未更新）\tCtrl+F");
  EXPECT_EQ(MenuText(GetSubMenu(bar, 4), 0), "载入列表文件（尚未更新）");
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 6), 0), 20020u);
}

TEST_F(MainWindow, ShortcutKeysDeliverTheMenuCommands) {
  // F10 through the window's shortcut table becomes the command of "结束" (which, with no scan
  // started, does nothing).
  MSG msg{window, WM_KEYDOWN, VK_F10, 0x00440001, 0, {0, 0}};
  UINT seen = 0;
  // The command is sent straight to the window procedure; catch it by subclassing for a moment.
  g_sink = &seen;
  g_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Catch)));
  EXPECT_TRUE(forms::PreTranslateMessage(&msg));
  EXPECT_EQ(seen, 20004u);
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
}

}  // namespace

namespace {

HWND WindowOf(uint32_t id) { return forms::WindowHandle(id); }

TEST_F(MainWindow, TheRangeAndSearchWindowsLoadNonModallyWithTheirUnitsAndCloseByCode) {
  for (uint32_t id : {ids::kRangeWindow, ids::kSearchWindow}) {
    ASSERT_EQ(forms::LoadWindow(id, nullptr, false), 0);
    HWND w = WindowOf(id);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(IsWindowEnabled(window)) << "a non-modal load leaves the main window usable";
    forms::CloseWindowByCode(id, true);
    EXPECT_EQ(WindowOf(id), nullptr);
  }
  HWND startBox = nullptr;
  ASSERT_EQ(forms::LoadWindow(ids::kRangeWindow, nullptr, false), 0);
  startBox = forms::UnitWindow(ids::kRangeWindow, ids::kRangeStartBox);
  ASSERT_NE(startBox, nullptr);
  EXPECT_EQ(forms::WindowTextOf(forms::UnitWindow(ids::kRangeWindow, ids::kRangeOk)), "确定");
  EXPECT_EQ(forms::WindowTextOf(startBox), "");
  forms::CloseWindowByCode(ids::kRangeWindow, true);
}

// What the two watching threads share: the probe says when it has seen the main window
// disabled, and only then (or after five seconds) does the closer close the range window, so a
// slow machine cannot close it before the probe has looked.
struct ModalWatch {
  volatile LONG mainSeenDisabled = 0;
};

DWORD WINAPI CloseRangeOnceSeen(LPVOID p) {
  auto watch = static_cast<ModalWatch*>(p);
  for (int i = 0; i < 400; ++i) {
    Sleep(25);
    HWND range = forms::WindowHandle(ids::kRangeWindow);
    if (range && IsWindowVisible(range) && (watch->mainSeenDisabled || i > 200)) {
      PostMessageA(range, WM_CLOSE, 0, 0);
      return 0;
    }
  }
  return 1;
}

// Watches while the range window is up (the disabling follows its showing at once).
DWORD WINAPI ProbeMainDisabled(LPVOID p) {
  auto watch = static_cast<ModalWatch*>(p);
  for (int i = 0; i < 2000; ++i) {
    Sleep(5);
    HWND range = forms::WindowHandle(ids::kRangeWindow);
    if (range && IsWindowVisible(range) && !IsWindowEnabled(forms::WindowHandle(ids::kMainWindow))) {
      InterlockedExchange(&watch->mainSeenDisabled, 1);
      return 0;
    }
  }
  return 1;
}

TEST_F(MainWindow, AModalLoadOfTheRangeWindowDisablesTheMainWindowUntilItCloses) {
  ModalWatch watch;
  HANDLE closer = CreateThread(nullptr, 0, CloseRangeOnceSeen, &watch, 0, nullptr);
  HANDLE probe = CreateThread(nullptr, 0, ProbeMainDisabled, &watch, 0, nullptr);
  // The modal load returns once the window is gone.
  ASSERT_EQ(forms::LoadWindow(ids::kRangeWindow, nullptr, true), 0);
  WaitForSingleObject(probe, 15000);
  WaitForSingleObject(closer, 15000);
  CloseHandle(probe);
  CloseHandle(closer);
  EXPECT_TRUE(watch.mainSeenDisabled);
  EXPECT_EQ(forms::WindowHandle(ids::kRangeWindow), nullptr);
  EXPECT_TRUE(IsWindowEnabled(window));
}

}  // namespace
