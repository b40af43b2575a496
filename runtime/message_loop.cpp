#include "runtime/message_loop.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "runtime/events.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace rt {
namespace {
DWORD g_idleStart = 0;
std::vector<uint32_t> g_declined;  // windows that asked for no more idle events this period
int32_t g_quitCode = 0;
POINT g_lastMouse = {-1, -1};
UINT g_lastMouseMessage = 0;

// Messages that do not start a new idle period: repeated mouse moves on the same spot, paints,
// and the system timer that blinks the caret.
bool RearmsIdle(const MSG& m) {
  if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
    POINT pt = m.pt;
    bool same = g_lastMouseMessage == m.message && pt.x == g_lastMouse.x && pt.y == g_lastMouse.y;
    g_lastMouse = pt;
    g_lastMouseMessage = m.message;
    return !same;
  }
  return m.message != WM_PAINT && m.message != 0x0118 /* WM_SYSTIMER */;
}

// Paints come in rounds, at most one round every kPaintIntervalMs. A worker that writes to the
// windows many times a second would otherwise have the window's thread repaint the log, the list
// and the progress after every write, and wait for those paints with each of its next writes.
// A window invalidated after a quiet spell is still painted at once.
constexpr DWORD kPaintIntervalMs = 40;
DWORD g_lastPaintRound = 0;
bool g_roundOpen = false;
std::vector<HWND> g_paintedThisRound;  // a round paints each window once

void EndPaintRound() {
  if (!g_paintedThisRound.empty()) g_lastPaintRound = GetTickCount();
  g_roundOpen = false;
  g_paintedThisRound.clear();
}

bool PaintedThisRound(HWND window) {
  return std::find(g_paintedThisRound.begin(), g_paintedThisRound.end(), window) != g_paintedThisRound.end();
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Paints, before the round ends, every window of this thread that still has something to show and
// that the round has not painted. The queue offers its windows one at a time in one fixed order,
// so a window painted this round and invalidated again since (a worker may do so between two
// paints) would stand before the rest each time; and under Wine the queue at times offers no
// paint at all for a window whose update region is not empty (a label a scan kept setting went
// unpainted for half a second and more while its neighbours were painted).
void PaintTheRestOfTheRound() {
  std::vector<HWND> tops, windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&tops));
  for (HWND top : tops) {
    if (!IsWindowVisible(top)) continue;
    windows.push_back(top);
    EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  }
  for (HWND window : windows) {
    if (PaintedThisRound(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ||
        !GetUpdateRect(window, nullptr, FALSE))
      continue;
    g_paintedThisRound.push_back(window);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
  }
}

// The next paint of the open round; false when the round is over.
bool TakeRoundPaint(MSG* msg) {
  if (PeekMessageA(msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_PAINT) && msg->message == WM_PAINT &&
      !PaintedThisRound(msg->hwnd) && PeekMessageA(msg, msg->hwnd, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT)) {
    g_paintedThisRound.push_back(msg->hwnd);
    return true;
  }
  PaintTheRestOfTheRound();
  return false;
}

// GetMessage, with paints held back between rounds.
void TakeMessage(MSG* msg) {
  constexpr UINT kAllButPaint = PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
  for (;;) {
    if (PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE | kAllButPaint)) return;
    if (g_roundOpen || GetTickCount() - g_lastPaintRound >= kPaintIntervalMs) {
      g_roundOpen = true;
      if (TakeRoundPaint(msg)) return;
      EndPaintRound();
    }
    DWORD since = GetTickCount() - g_lastPaintRound;
    if (since >= kPaintIntervalMs)
      MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    else
      MsgWaitForMultipleObjectsEx(0, nullptr, kPaintIntervalMs - since, QS_ALLINPUT & ~QS_PAINT, MWMO_INPUTAVAILABLE);
  }
}

// Returns false when the quit message was taken (the loop must end).
bool PumpOne() {
  MSG msg;
  TakeMessage(&msg);
  if (msg.message == WM_QUIT) {
    g_quitCode = static_cast<int32_t>(msg.wParam);
    return false;
  }
  if (!forms::PreTranslateMessage(&msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

bool QuitWaiting() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

void Loop(bool modal) {
  RuntimeApp& app = App();
  bool idle = true;
  int32_t idleCount = 0;
  MSG msg;
  for (;;) {
    while (idle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      RunIdleCallbacks();
      if (!IdleProcessing(idleCount++)) idle = false;
      if (modal && app.modalMarker == 0) return;
    }
    do {
      // A quit message ends the modal loop first and is left for the main loop.
      if (modal && QuitWaiting()) return;
      if (!PumpOne()) {
        if (modal) PostQuitMessage(g_quitCode);
        return;
      }
      if (modal && app.modalMarker == 0) return;
      if (RearmsIdle(msg)) {
        idle = true;
        idleCount = 0;
      }
    } while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}
}  // namespace

void RunMessageLoop() {
  App().messageLoopEntered = true;
  if (!forms::AnyWindowAlive()) return;
  Loop(false);
}

void RunModalLoop(uint32_t windowId) {
  RuntimeApp& app = App();
  uint32_t previous = app.modalMarker;
  app.modalMarker = windowId;
  Loop(true);
  app.modalMarker = previous;
}

void WindowDestroyed(uint32_t windowId) {
  if (App().modalMarker == windowId) App().modalMarker = 0;
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // left for the loop that owns it
      break;
    }
    if (!forms::PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

bool AddIdleCallback(const IdleCallbackRecord& record) {
  HWND window = static_cast<HWND>(record.window);
  if (!window || !IsWindow(window) || !record.function) return false;
  AppLock hold;
  auto& list = App().idleCallbacks;
  for (auto& e : list)
    if (e.window == window) return false;
  list.push_back({window, record.function, record.parameter});
  return true;
}

void RemoveIdleCallback(void* window) {
  AppLock hold;
  auto& list = App().idleCallbacks;
  list.erase(std::remove_if(list.begin(), list.end(), [&](const IdleEntry& e) { return e.window == window; }),
             list.end());
}

void RunIdleCallbacks() {
  // Copy first: a callback may add or remove entries.
  std::vector<IdleEntry> entries;
  {
    AppLock hold;
    entries = App().idleCallbacks;
  }
  for (size_t i = entries.size(); i-- > 0;) {
    if (IsWindow(entries[i].window))
      entries[i].function(entries[i].parameter);
    else
      RemoveIdleCallback(entries[i].window);
  }
}

bool IdleProcessing(int32_t count) {
  if (count == 0) {
    g_idleStart = GetTickCount();
    g_declined.clear();
  }
  if (count < 2) return true;
  bool more = false;
  for (const forms::LiveWindow& w : forms::LiveWindows()) {
    if (std::find(g_declined.begin(), g_declined.end(), w.windowId) != g_declined.end()) continue;
    EventRecord r{};
    r.windowId = w.windowId;
    r.unitId = w.ownUnitId;
    r.eventIndex = 7;
    r.argCount = 1;
    r.args[0] = GetTickCount() - g_idleStart;
    RaiseEvent(r);
    if (r.hasResult && r.result != 0)
      more = true;
    else
      g_declined.push_back(w.windowId);
  }
  return more;
}

int32_t QuitCode() { return g_quitCode; }

}  // namespace rt
