// The shipped program as a user starts it: the start-up warning comes first; Cancel ends the
// program before its main window is usable, OK leaves the main window with its menu bar.
#include <gtest/gtest.h>

#include "tests/blackbox/driver/driver.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>

namespace {

const char kWarningSentence[] =
    "不得进行任何商业化，只供交流和学习，对于本软件产生的版权问题作者概不负责。检索的ID不要超过50000。"
    "软件本身有很多bug来不及修复，大家觉得软件可以做的更好可以支持下我，";

TEST(StartupWarningBlackBox, TheWarningNamesItsTermsAndCancelEndsTheProgramWithZero) {
  driver::Program program(driver::ShippedExe());
  ASSERT_TRUE(program.started());
  HWND box = program.WaitForMessageBox(20000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), "警告");
  std::string text = driver::MessageBoxText(box);
  EXPECT_NE(text.find(kWarningSentence), std::string::npos) << text;
  EXPECT_NE(text.find("。让我有做得更好的动力"), std::string::npos);
  EXPECT_EQ(driver::MessageBoxButtons(box), (std::vector<std::string>{"确定", "取消"}));
  auto mainWindowShown = [&] {
    for (HWND w : program.TopLevelWindows())
      if (driver::ClassName(w) == "WTWindow") return true;
    return false;
  };
  EXPECT_FALSE(mainWindowShown()) << "the main window waits for the answer";
  driver::Answer(box, IDCANCEL);
  for (int i = 0; i < 40 && program.Running(); ++i) {
    EXPECT_FALSE(mainWindowShown()) << "Cancel must end the program before its window shows";
    Sleep(25);
  }
  EXPECT_EQ(program.WaitForExit(20000), 0u);
}

// Menu commands are numbered from 20000 in the order of the window's menu records.
constexpr int kCommandSearchKnown = 20000 + 10;  // 搜索 → 在已知目录搜索（尚未更新）

HWND FindWindowOf(const driver::Program& program, const char* caption, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    for (HWND w : program.TopLevelWindows())
      if (driver::ClassName(w) == "WTWindow" && driver::WindowText(w) == caption) return w;
    Sleep(50);
  }
  return nullptr;
}

struct ChildSearch {
  const char* cls;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectChildOfClass(HWND w, LPARAM lp) {
  auto c = reinterpret_cast<ChildSearch*>(lp);
  if (driver::ClassName(w) == c->cls) c->found.push_back(w);
  return TRUE;
}
std::vector<HWND> ChildrenOfClass(HWND parent, const char* cls) {
  ChildSearch search{cls, {}};
  EnumChildWindows(parent, CollectChildOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class MainWindowBlackBox : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = std::make_unique<driver::Program>(driver::ShippedExe());
    ASSERT_TRUE(program_->started());
    HWND box = program_->WaitForMessageBox(20000);
    ASSERT_NE(box, nullptr);
    driver::Answer(box, IDOK);
    main_ = FindWindowOf(*program_, "Reelscout", 10000);
    ASSERT_NE(main_, nullptr);
  }
  std::unique_ptr<driver::Program> program_;
  HWND main_ = nullptr;
};

TEST_F(MainWindowBlackBox, ShowsItsListLabelLogAndMenuBar) {
  EXPECT_NE(GetMenu(main_), nullptr);
  std::vector<HWND> lists = ChildrenOfClass(main_, "SysListView32");
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(SendMessageA(lists[0], LVM_GETCOLUMNWIDTH, 0, 0), 200);
  EXPECT_EQ(SendMessageA(lists[0], LVM_GETCOLUMNWIDTH, 1, 0), 50);
  EXPECT_EQ(SendMessageA(lists[0], LVM_GETCOLUMNWIDTH, 2, 0), 500);
  EXPECT_EQ(SendMessageA(lists[0], LVM_GETITEMCOUNT, 0, 0), 0);
  std::vector<HWND> labels = ChildrenOfClass(main_, "_WU_Label");
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(driver::WindowText(labels[0]), "进度：");
  std::vector<HWND> edits = ChildrenOfClass(main_, "_WU_LogView");
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_EQ(driver::WindowText(edits[0]), "");
  EXPECT_EQ(ChildrenOfClass(main_, "msctls_progress32").size(), 1u);
}

TEST_F(MainWindowBlackBox, F1OpensTheRangeWindowModallyAndClosingItGivesTheMainWindowBack) {
  PostMessageA(main_, WM_KEYDOWN, VK_F1, 0);
  HWND range = FindWindowOf(*program_, "请选择开始ID和结束ID", 10000);
  ASSERT_NE(range, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the main window takes no input while the range window is open";
  EXPECT_EQ(ChildrenOfClass(range, "Edit").size(), 2u);
  // The start box has the focus, so the user can type the first ID at once.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  HWND focus = nullptr;
  for (int i = 0; i < 40 && !focus; ++i) {
    if (GetGUIThreadInfo(GetWindowThreadProcessId(range, nullptr), &gui)) focus = gui.hwndFocus;
    if (!focus) Sleep(50);
  }
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(driver::ClassName(focus), "Edit");
  EXPECT_EQ(GetParent(focus), range);
  RECT box;
  GetWindowRect(focus, &box);
  RECT other;
  for (HWND e : ChildrenOfClass(range, "Edit"))
    if (e != focus) GetWindowRect(e, &other);
  EXPECT_LT(box.top, other.top) << "the focus is in the start box, above the end box";
  PostMessageA(range, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindow(range); ++i) Sleep(50);
  EXPECT_FALSE(IsWindow(range));
  for (int i = 0; i < 100 && !IsWindowEnabled(main_); ++i) Sleep(50);
  EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(MainWindowBlackBox, TheSearchCommandOpensTheSearchWindow) {
  PostMessageA(main_, WM_COMMAND, kCommandSearchKnown, 0);
  HWND search = FindWindowOf(*program_, "精确搜索", 10000);
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(ChildrenOfClass(search, "Edit").size(), 3u);
  PostMessageA(search, WM_CLOSE, 0, 0);
}

TEST_F(MainWindowBlackBox, ARightClickOnTheListPopsUpTheDownloadMenuAtTheMouse) {
  std::vector<HWND> lists = ChildrenOfClass(main_, "SysListView32");
  ASSERT_EQ(lists.size(), 1u);
  RECT r;
  GetWindowRect(lists[0], &r);
  POINT at{r.left + 120, r.top + 150};
  SetCursorPos(at.x, at.y);
  POINT client = at;
  ScreenToClient(lists[0], &client);
  PostMessageA(lists[0], WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
  PostMessageA(lists[0], WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  HWND popup = driver::WaitForPopupMenu(program_->pid(), 10000);
  ASSERT_NE(popup, nullptr) << "no pop-up menu appeared";
  RECT p;
  GetWindowRect(popup, &p);
  // The menu opens a few pixels off the mouse position.
  EXPECT_LE(std::abs(p.left - at.x), 8);
  EXPECT_LE(std::abs(p.top - at.y), 8);
  PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(MainWindowBlackBox, EscOnTheMainWindowEndsTheProgramWithZero) {
  PostMessageA(main_, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(program_->WaitForExit(20000), 0u);
}

TEST_F(MainWindowBlackBox, ClosingTheMainWindowEndsTheProgramWithZero) {
  PostMessageA(main_, WM_CLOSE, 0, 0);
  EXPECT_EQ(program_->WaitForExit(20000), 0u);
}

}  // namespace
