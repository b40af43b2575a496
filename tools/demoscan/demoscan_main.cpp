// Drives a short demo scan in a running program as a user would, for the run command when there
// is no display to watch: OK on the start-up warning, 开始, a range typed into the range window,
// 确定, and OK on the summary. It finds the program's windows by class and caption.
//   demoscan [FIRST LAST]   (default 10000 10030)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kStartCommand = 20001;  // the menu's 开始 item

std::wstring TextOf(HWND w) {
  wchar_t buffer[512] = L"";
  GetWindowTextW(w, buffer, 512);
  return buffer;
}

// A visible top-level window of this class and caption, waited for up to `ms`.
HWND WaitForWindow(const wchar_t* windowClass, const wchar_t* caption, DWORD ms) {
  DWORD start = GetTickCount();
  do {
    HWND w = FindWindowW(windowClass, caption);
    if (w && IsWindowVisible(w)) return w;
    Sleep(100);
  } while (GetTickCount() - start < ms);
  return nullptr;
}

// The message box's own text: its static control.
std::wstring BoxText(HWND box) {
  for (HWND c = FindWindowExW(box, nullptr, L"Static", nullptr); c; c = FindWindowExW(box, c, L"Static", nullptr))
    if (!TextOf(c).empty()) return TextOf(c);
  return L"";
}

void Say(const char* what) {
  std::printf("demoscan: %s\n", what);
  std::fflush(stdout);
}

void SayWide(const char* what, const std::wstring& text) {
  std::vector<char> utf8(text.size() * 4 + 1);
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
  std::printf("demoscan: %s%s\n", what, utf8.data());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::string first = argc > 2 ? argv[1] : "10000", last = argc > 2 ? argv[2] : "10030";
  HWND warning = WaitForWindow(L"#32770", L"警告", 60000);
  if (!warning) return Say("the start-up warning did not appear"), 1;
  PostMessageW(warning, WM_COMMAND, IDOK, 0);
  HWND main = WaitForWindow(L"WTWindow", L"Reelscout", 20000);
  if (!main) return Say("the main window did not appear"), 1;
  Sleep(500);
  PostMessageW(main, WM_COMMAND, kStartCommand, 0);
  HWND range = WaitForWindow(L"WTWindow", L"请选择开始ID和结束ID", 20000);
  if (!range) return Say("the range window did not appear"), 1;
  HWND a = FindWindowExW(range, nullptr, L"Edit", nullptr);
  HWND b = a ? FindWindowExW(range, a, L"Edit", nullptr) : nullptr;
  HWND ok = FindWindowExW(range, nullptr, L"Button", nullptr);
  if (!a || !b || !ok) return Say("the range window lacks its boxes or its button"), 1;
  RECT ra, rb;
  GetWindowRect(a, &ra);
  GetWindowRect(b, &rb);
  if (ra.top > rb.top) std::swap(a, b);  // the upper box takes the first ID
  SendMessageA(a, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(first.c_str()));
  SendMessageA(b, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(last.c_str()));
  std::printf("demoscan: scanning IDs %d to %s\n", std::atoi(first.c_str()) + 1, last.c_str());
  std::fflush(stdout);
  PostMessageW(ok, BM_CLICK, 0, 0);
  HWND summary = WaitForWindow(L"#32770", L"完成！", 180000);
  if (!summary) return Say("no summary within three minutes"), 1;
  SayWide("", BoxText(summary));
  PostMessageW(summary, WM_COMMAND, IDOK, 0);
  Sleep(1500);  // the list and the log draw their last rows
  return 0;
}
