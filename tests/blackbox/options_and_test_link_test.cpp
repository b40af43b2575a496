// The shipped program with its start-up options, and the debug command that scans ID 10000
// against a movie site on loopback.
#include <gtest/gtest.h>

#include "tests/blackbox/driver/driver.h"
#include "tools/loopback_http/http_server.h"

#include <commctrl.h>

#include <memory>
#include <string>

namespace {

constexpr int kCommandTestLink = 20000 + 7;  // 调试 → 测试链接, the eighth menu record

bool AnyMainWindow(const driver::Program& program) {
  for (HWND w : program.TopLevelWindows())
    if (driver::ClassName(w) == "WTWindow") return true;
  return false;
}

TEST(StartupOptionsBlackBox, UnknownOptionsAndMalformedHostsAreRefusedBeforeAnyWindow) {
  for (const char* arguments : {"--bogus", "--site-host bad/host", "--site-host"}) {
    driver::Program program(driver::ShippedExe(), arguments);
    ASSERT_TRUE(program.started());
    HWND box = program.WaitForMessageBox(20000);
    ASSERT_NE(box, nullptr) << arguments;
    EXPECT_EQ(driver::WindowText(box), "Reelscout");
    EXPECT_NE(driver::MessageBoxText(box).find("--site-host"), std::string::npos) << arguments;
    EXPECT_FALSE(AnyMainWindow(program));
    driver::Answer(box, IDOK);
    EXPECT_EQ(program.WaitForExit(20000), 2u) << arguments;
  }
}

class TestLinkBlackBox : public ::testing::Test {
 protected:
  void Start(const std::string& host) {
    program_ = std::make_unique<driver::Program>(driver::ShippedExe(), "--site-host " + host);
    ASSERT_TRUE(program_->started());
    HWND box = program_->WaitForMessageBox(20000);
    ASSERT_NE(box, nullptr);
    driver::Answer(box, IDOK);
    for (int i = 0; i < 200 && !main_; ++i) {
      for (HWND w : program_->TopLevelWindows())
        if (driver::ClassName(w) == "WTWindow" && driver::WindowText(w) == "Reelscout") main_ = w;
      Sleep(50);
    }
    ASSERT_NE(main_, nullptr);
    list_ = FindWindowExA(main_, nullptr, "SysListView32", nullptr);
    log_ = FindWindowExA(main_, nullptr, "_WU_LogView", nullptr);
    ASSERT_TRUE(list_ && log_);
  }
  int Rows() { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
  int LogLines() {
    std::string log = driver::WindowText(log_);
    int lines = 0;
    for (size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2)) ++lines;
    return lines;
  }
  void WaitForLogLines(int n) {
    for (int i = 0; i < 200 && LogLines() < n; ++i) Sleep(50);
  }
  void TearDown() override {
    if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
    if (program_) {
      EXPECT_EQ(program_->WaitForExit(20000), 0u);
    }
  }
  std::unique_ptr<driver::Program> program_;
  HWND main_ = nullptr, list_ = nullptr, log_ = nullptr;
};

TEST_F(TestLinkBlackBox, TwiceAddsTwoRowsForTheMovieWithItsNameIdAndLink) {
  int port = driver::FreeLoopbackPort();
  driver::Program site(driver::DemoSiteExe(), "--port " + std::to_string(port));
  ASSERT_TRUE(site.started());
  ASSERT_TRUE(loopback::WaitUntilAccepting(static_cast<uint16_t>(port), 20000)) << "the demo site never accepted";
  Start("127.0.0.1:" + std::to_string(port));
  PostMessageA(main_, WM_COMMAND, kCommandTestLink, 0);
  WaitForLogLines(1);
  PostMessageA(main_, WM_COMMAND, kCommandTestLink, 0);
  WaitForLogLines(2);
  ASSERT_EQ(Rows(), 2);
  for (int row = 0; row < 2; ++row) {
    std::string name = driver::ListViewCellText(list_, program_->pid(), row, 0);
    EXPECT_NE(name.find("10000"), std::string::npos) << name;
    EXPECT_EQ(name.find("在线高清下载"), std::string::npos) << "the site's twelve-byte title suffix is cut";
    EXPECT_EQ(driver::ListViewCellText(list_, program_->pid(), row, 1), "10000");
    std::string link = driver::ListViewCellText(list_, program_->pid(), row, 2);
    EXPECT_EQ(link.rfind("thunder://", 0), 0u) << link;
    EXPECT_EQ(link.find('"'), std::string::npos) << "the closing quote is dropped: " << link;
  }
  std::string log = driver::WindowText(log_);
  EXPECT_NE(log.find(": 序号为10000 的文件链接获取成功！\r\n"), std::string::npos) << log;
}

TEST_F(TestLinkBlackBox, ASiteThatIsNotThereGivesAFailureLineAndNoRow) {
  Start("127.0.0.1:" + std::to_string(driver::FreeLoopbackPort()));
  PostMessageA(main_, WM_COMMAND, kCommandTestLink, 0);
  WaitForLogLines(1);
  EXPECT_EQ(Rows(), 0);
  EXPECT_NE(driver::WindowText(log_).find(": 序号为10000 的文件获取信息失败！\r\n"), std::string::npos);
}

}  // namespace
