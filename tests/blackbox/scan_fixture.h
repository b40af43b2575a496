// The shipped program started against a movie site on loopback, with the main window's list,
// log, label and bar found, and the steps of a scan as a user takes them.
#pragma once
#include <gtest/gtest.h>

#include "tests/blackbox/driver/driver.h"
#include "tests/blackbox/driver/test_site.h"
#include "tools/loopback_http/http_server.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// Menu commands are numbered from 20000 in the order of the main window's menu records.
constexpr int kStart = 20001, kPause = 20002, kResume = 20003, kStop = 20004, kSave = 20005, kSearchKnown = 20010;

// A file in the test's own temporary folder, removed first.
std::string TempFile(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::string path = std::string(folder) + "reelscout-" + name;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  return path;
}
bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

struct Site {
  explicit Site(int delayMs = 0)
      : port(driver::FreeLoopbackPort()),
        process(driver::DemoSiteExe(), "--port " + std::to_string(port) + " --delay-ms " + std::to_string(delayMs)) {
    // The site is ready once its port accepts a connection; a fixed wait is either too long or,
    // where the site starts slowly, too short.
    if (!loopback::WaitUntilAccepting(static_cast<uint16_t>(port), 20000))
      ADD_FAILURE() << "the demo site never accepted on port " << port;
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
  // What the list holds, as the list file should hold it: name "|" ID link CR LF a row.
  std::string ListAsFile() {
    std::string rows;
    for (int r = 0; r < Rows(); ++r) rows += Cell(r, 0) + "|" + Cell(r, 1) + Cell(r, 2) + "\r\n";
    return rows;
  }
  // "保存" into `path`; false when no save dialog came. A replace question is answered yes.
  bool SaveTo(const std::string& path) {
    PostMessageA(main_, WM_COMMAND, kSave, 0);
    HWND dialog = program_->WaitForFileDialog(10000);
    if (!dialog) return false;
    driver::AnswerFileDialog(dialog, path);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) {
      Sleep(50);
      HWND box = program_->WaitForMessageBox(0);
      if (box && box != dialog && driver::MessageBoxButtons(box).size() == 2) driver::Answer(box, IDYES);
    }
    return !IsWindow(dialog);
  }
  // The search window's boxes and buttons, by position: the first row above the second, the
  // result area below both.
  struct SearchWindow {
    HWND window = nullptr, patternBox = nullptr, nameBox = nullptr, result = nullptr;
    HWND patternButton = nullptr, nameButton = nullptr;
  };
  SearchWindow OpenSearchWindow() {
    SearchWindow s;
    PostMessageA(main_, WM_COMMAND, kSearchKnown, 0);
    s.window = WaitForWindow("精确搜索");
    if (!s.window) return s;
    std::vector<HWND> edits, buttons;
    for (HWND w : driver::Descendants(s.window)) {
      if (driver::ClassName(w) == "Edit") edits.push_back(w);
      if (driver::ClassName(w) == "Button") buttons.push_back(w);
    }
    auto top = [](HWND w) {
      RECT r;
      GetWindowRect(w, &r);
      return r.top;
    };
    auto byTop = [&top](HWND a, HWND b) { return top(a) < top(b); };
    std::sort(edits.begin(), edits.end(), byTop);
    std::sort(buttons.begin(), buttons.end(), byTop);
    if (edits.size() != 3 || buttons.size() != 2) return s;
    s.patternBox = edits[0], s.nameBox = edits[1], s.result = edits[2];
    s.patternButton = buttons[0], s.nameButton = buttons[1];
    return s;
  }
  // Types `text` into a row's box, presses its "搜索" and picks `path` in the file dialog (or
  // cancels it when `path` is empty); then what the result area shows.
  std::string Search(const SearchWindow& s, HWND box, HWND button, const std::string& text, const std::string& path) {
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(s.result, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    PostMessageA(button, BM_CLICK, 0, 0);
    HWND dialog = program_->WaitForFileDialog(10000);
    if (!dialog) return "(no file dialog)";
    if (path.empty()) {
      driver::Answer(dialog, IDCANCEL);
      for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(20);
      WindowAnswersWithin(5000);
      return driver::WindowText(s.result);
    }
    driver::AnswerFileDialog(dialog, path);
    for (int i = 0; i < 400 && driver::WindowText(s.result).empty(); ++i) Sleep(25);
    return driver::WindowText(s.result);
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
