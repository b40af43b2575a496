// "下载选中的链接" as a user reaches it, F7 and the list's pop-up menu, against the stand-in
// download agent, whose record shows what the program handed over.
#include "tests/blackbox/scan_fixture.h"
#include "tests/support/standin_server.h"

namespace {

constexpr int kCommandTestDownload = 20000 + 8;  // 调试 → 测试下载, the ninth menu record

class HandOffBlackBox : public ScanBlackBox {
 protected:
  // A scan of the demo site that leaves a few rows in the list.
  void ScanAFewRows() {
    ASSERT_TRUE(agent_.registered());
    Start(site_);
    ASSERT_TRUE(StartScan("10000", "10006"));
    TakeSummary();
    ASSERT_GE(Rows(), 3);
  }
  // What the agent must have recorded for the list's row.
  std::vector<std::string> HandOffOf(int row) {
    return {"AddTask\tBSTR:" + standin_test::Utf8FromGbk(Cell(row, 2)) + "\tBSTR:" +
                standin_test::Utf8FromGbk(Cell(row, 0)) + ".mp4\tBSTR:",
            "CommitTasks2\tI4:1"};
  }
  void PressF7() { PostMessageA(main_, WM_KEYDOWN, VK_F7, 0); }
  // Nothing recorded over a while in which a hand-off would have arrived, and the window answers.
  void ExpectNothingHandedOver() {
    EXPECT_TRUE(agent_.WaitForRecords(1, 1500).empty());
    EXPECT_TRUE(WindowAnswersWithin(2000));
  }

  standin_test::StandinServer agent_;  // registered before the program starts, which inherits its record file
  Site site_;
};

TEST_F(HandOffBlackBox, F7AndThePopUpMenuHandTheSelectedRowToTheAgent) {
  ScanAFewRows();
  ASSERT_TRUE(driver::SelectListViewRow(list_, program_->pid(), 1));
  PressF7();
  std::vector<std::string> expected = HandOffOf(1);
  EXPECT_EQ(agent_.WaitForRecords(2, 10000), expected);

  // A right-click on the third row selects it and opens the download menu; its item hands it over.
  RECT row = driver::ListViewRowRect(list_, program_->pid(), 2);
  POINT at{row.left + 60, (row.top + row.bottom) / 2};
  POINT screen = at;
  ClientToScreen(list_, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(list_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageA(list_, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  HWND popup = driver::WaitForPopupMenu(program_->pid(), 10000);
  ASSERT_NE(popup, nullptr);
  PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
  std::vector<std::string> third = HandOffOf(2);
  expected.insert(expected.end(), third.begin(), third.end());
  EXPECT_EQ(agent_.WaitForRecords(4, 10000), expected);
  EXPECT_NE(third.front(), HandOffOf(1).front()) << "the rows differ, so the test tells them apart";
}

TEST_F(HandOffBlackBox, WithNoRowSelectedOrFromTestDownloadNothingIsHandedOver) {
  ScanAFewRows();
  ASSERT_TRUE(driver::SelectListViewRow(list_, program_->pid(), -1));
  PressF7();
  ExpectNothingHandedOver();
  ASSERT_TRUE(driver::SelectListViewRow(list_, program_->pid(), 0));
  PostMessageA(main_, WM_COMMAND, kCommandTestDownload, 0);
  ExpectNothingHandedOver();
}

TEST_F(HandOffBlackBox, WithNoAgentInstalledNothingVisibleHappensAndTheProgramKeepsAnswering) {
  agent_.Unregister();
  Start(site_);
  ASSERT_TRUE(StartScan("10000", "10003"));
  TakeSummary();
  ASSERT_GE(Rows(), 1);
  ASSERT_TRUE(driver::SelectListViewRow(list_, program_->pid(), 0));
  size_t windows = program_->TopLevelWindows().size();
  PressF7();
  PressF7();
  EXPECT_EQ(program_->WaitForMessageBox(1500), nullptr);
  EXPECT_EQ(program_->TopLevelWindows().size(), windows);
  EXPECT_TRUE(WindowAnswersWithin(2000));
  EXPECT_TRUE(agent_.Records().empty());
  EXPECT_TRUE(program_->Running());
}

}  // namespace
