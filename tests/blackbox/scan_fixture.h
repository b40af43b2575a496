// The shipped program started against a movie site on loopback, with the main window's list,
// log, label and bar found, and the steps of a scan as a user takes them.
#pragma once
#include <gtest/gtest.h>

#include "tests/blackbox/driver/driver.h"
#include "tests/blackbox/driver/test_site.h"

#include <commctrl.h>

#include <memory>
#include <string>

namespace {

// Menu commands are numbered from 20000 in the order of the main window's menu records.
constexpr int kStart = 20001, kPause = 20002, kResume = 20003, kStop = 20004;

struct Site {
  explicit Site(int delayMs = 0)
      : port(driver::FreeLoopbackPort()),
        process(driver::DemoSiteExe(), "--port " + std::to_string(port) + " --delay-ms " + std::to_string(delayMs)) {
    Sleep(400);
  }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
  int port;
  driver::Program process;
};

class ScanBlackBox : public ::testing::Test {
 protected:
  template <class AnySite>
  void Start(const AnySite& site) {
    program_ = std::make_unique<driver::Program>(driver::ShippedExe(), "--site-host " + site.Host());
    ASSERT_TRUE(program_->started());
    HWND box = program_->WaitForMessageBox(20000);
    ASSERT_NE(box, nullptr);
    driver::Answer(box, IDOK);
    main_ = WaitForWindow("Reelscout");
    ASSERT_NE(main_, nullptr);
    list_ = FindWindowExA(main_, nullptr, "SysListView32", nullptr);
    log_ = FindWindowExA(main_, nullptr, "_WU_LogView", nullptr);
    label_ = FindWindowExA(main_, nullptr, "_WU_Label", nullptr);
    bar_ = FindWindowExA(main_, nullptr, "msctls_progress32", nullptr);
    ASSERT_TRUE(list_ && log_ && label_ && bar_);
  }
  void TearDown() override {
    if (!program_) return;
    // Answer whatever box is still up, then close.
    if (HWND box = program_->WaitForMessageBox(200)) driver::Answer(box, IDOK);
    if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
    program_->WaitForExit(10000);
  }
  HWND WaitForWindow(const char* caption) {
    for (int i = 0; i < 200; ++i) {
      for (HWND w : program_->TopLevelWindows())
        if (driver::ClassName(w) == "WTWindow" && driver::WindowText(w) == caption) return w;
      Sleep(50);
    }
    return nullptr;
  }
  // Opens the range window, types the two IDs and presses 确定.
  HWND EnterRange(const std::string& from, const std::string& to) {
    PostMessageA(main_, WM_COMMAND, kStart, 0);
    HWND range = WaitForWindow("请选择开始ID和结束ID");
    if (!range) return nullptr;
    HWND first = FindWindowExA(range, nullptr, "Edit", nullptr);
    HWND second = FindWindowExA(range, first, "Edit", nullptr);
    // Units are created from the last record back, so the end box comes first among the children.
    RECT a, b;
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    if (a.top > b.top) std::swap(first, second);
    SendMessageA(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(from.c_str()));
    SendMessageA(second, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(to.c_str()));
    PostMessageA(FindWindowExA(range, nullptr, "Button", nullptr), BM_CLICK, 0, 0);
    return range;
  }
  // An accepted range closes the window and starts the scan.
  bool StartScan(const std::string& from, const std::string& to) {
    HWND range = EnterRange(from, to);
    for (int i = 0; range && i < 200 && IsWindow(range); ++i) Sleep(25);
    return range && !IsWindow(range);
  }
  int Rows() { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
  std::string Cell(int row, int column) { return driver::ListViewCellText(list_, program_->pid(), row, column); }
  std::string Log() { return driver::WindowText(log_); }
  int LogLines() {
    std::string log = Log();
    int n = 0;
    for (size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2)) ++n;
    return n;
  }
  // The summary box of a finished scan: its text, answered with OK.
  std::string TakeSummary(DWORD timeoutMs = 20000) {
    HWND box = program_->WaitForMessageBox(timeoutMs);
    if (!box) return "";
    EXPECT_EQ(driver::WindowText(box), "完成！");
    std::string text = driver::MessageBoxText(box);
    driver::Answer(box, IDOK);
    Sleep(200);
    return text;
  }
  bool WindowAnswersWithin(DWORD ms) {
    DWORD_PTR result = 0;
    DWORD start = GetTickCount();
    LRESULT ok = SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &result);
    return ok != 0 && GetTickCount() - start <= ms;
  }
  std::unique_ptr<driver::Program> program_;
  HWND main_ = nullptr, list_ = nullptr, log_ = nullptr, label_ = nullptr, bar_ = nullptr;
};

}  // namespace
