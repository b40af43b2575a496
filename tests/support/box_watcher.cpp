#include "tests/support/box_watcher.h"

namespace testbox {
namespace {
struct Find {
  DWORD pid;
  HWND box;
};
BOOL CALLBACK FindBox(HWND hwnd, LPARAM lp) {
  auto f = reinterpret_cast<Find*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[32] = {0};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == f->pid && !lstrcmpA(cls, "#32770") && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    f->box = hwnd;
    return FALSE;
  }
  return TRUE;
}
std::string TextOf(HWND w) {
  char buf[4096] = {0};
  GetWindowTextA(w, buf, sizeof buf);
  return buf;
}
}  // namespace

Watcher::Watcher(int command, bool useEscape, DWORD timeoutMs)
    : command_(command), escape_(useEscape), timeout_(timeoutMs) {
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

Watcher::~Watcher() {
  if (thread_) {
    WaitForSingleObject(thread_, timeout_ + 2000);
    CloseHandle(thread_);
  }
}

Seen Watcher::Result() {
  WaitForSingleObject(thread_, timeout_ + 2000);
  return seen_;
}

DWORD WINAPI Watcher::Run(LPVOID p) {
  auto self = static_cast<Watcher*>(p);
  DWORD start = GetTickCount();
  while (GetTickCount() - start < self->timeout_) {
    Find f{GetCurrentProcessId(), nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&f));
    if (f.box) {
      Sleep(100);  // let the box finish showing itself
      self->seen_.found = true;
      self->seen_.caption = TextOf(f.box);
      HWND text = GetDlgItem(f.box, 0xFFFF);
      self->seen_.text = text ? TextOf(text) : "";
      self->seen_.style = GetWindowLongA(f.box, GWL_STYLE);
      if (self->escape_) {
        HWND focus = GetDlgItem(f.box, IDOK) ? GetDlgItem(f.box, IDOK) : f.box;
        PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0);
      } else {
        PostMessageA(f.box, WM_COMMAND, MAKEWPARAM(self->command_, BN_CLICKED), 0);
      }
      return 0;
    }
    Sleep(30);
  }
  return 0;
}

}  // namespace testbox
