#include "runtime/ui_thread_calls.h"

#include <windows.h>

#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace rt {
namespace {

struct Job {
  void (*function)(void*);
  void* context;
  DWORD thread;  // the thread that asked
  bool done;     // a job from the visit's slot has run (under the visit's lock); the UI thread
                 // touches the job no more
};

// A worker's commands come in bursts (a row, its cells, a log line, the progress), a few
// microseconds apart, and each window message that carries one costs several round trips to the
// window server. So after running a sent job the UI thread answers the message at once and stays
// a moment for the same thread's next jobs, which it takes through a slot guarded by a slim lock
// and condition variables (no window-server round trip). It leaves when no job came for
// kVisitIdleMs or the visit has lasted kVisitLongestMs, so its own messages wait no longer.
// (Staying longer, to span a scan's wait for its next page, did not make scans measurably faster
// and doubled the window's slowest answers.)
constexpr DWORD kVisitIdleMs = 1;
constexpr DWORD kVisitLongestMs = 4;

struct Visit {
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE posted = CONDITION_VARIABLE_INIT;  // a job was put in the slot
  CONDITION_VARIABLE ran = CONDITION_VARIABLE_INIT;     // a job from the slot has run
  bool open = false;
  DWORD guest = 0;  // the thread whose jobs the UI thread waits for
  Job* slot = nullptr;
};
Visit g_visit;
bool g_visiting = false;  // UI thread only: a visit is open further up its stack

class VisitLock {
 public:
  VisitLock() { AcquireSRWLockExclusive(&g_visit.lock); }
  ~VisitLock() { ReleaseSRWLockExclusive(&g_visit.lock); }
  VisitLock(const VisitLock&) = delete;
  VisitLock& operator=(const VisitLock&) = delete;
};

// Hands the job to a UI thread that waits for this thread's next job and waits until it has
// run; false when the UI thread is not waiting for this thread.
bool PostToVisit(Job* job) {
  {
    VisitLock hold;
    if (!g_visit.open || g_visit.guest != job->thread || g_visit.slot) return false;
    g_visit.slot = job;
  }
  WakeConditionVariable(&g_visit.posted);
  VisitLock hold;
  while (!job->done) SleepConditionVariableSRW(&g_visit.ran, &g_visit.lock, INFINITE, 0);
  return true;
}

// On the UI thread: opens the slot to the guest's next job before the first job's message is
// answered, then takes the guest's jobs until its burst ends.
void StayForBurst(DWORD guest) {
  g_visiting = true;
  {
    VisitLock hold;
    g_visit.open = true;
    g_visit.guest = guest;
    g_visit.slot = nullptr;
  }
  ReplyMessage(1);
  DWORD start = GetTickCount();
  for (;;) {
    Job* job = nullptr;
    {
      VisitLock hold;
      if (!g_visit.slot && GetTickCount() - start < kVisitLongestMs)
        SleepConditionVariableSRW(&g_visit.posted, &g_visit.lock, kVisitIdleMs, 0);
      job = g_visit.slot;
      g_visit.slot = nullptr;
      if (!job) {
        g_visit.open = false;  // nothing came: later jobs go by message again
        break;
      }
    }
    job->function(job->context);
    {
      VisitLock hold;
      job->done = true;
    }
    WakeAllConditionVariable(&g_visit.ran);
  }
  g_visiting = false;
}

bool OwnedByUiThread(HWND window) {
  return window && GetWindowThreadProcessId(window, nullptr) == App().uiThreadId;
}

bool OffUiThread() {
  const RuntimeApp& app = App();
  return app.uiThreadId != 0 && app.hiddenOwner && GetCurrentThreadId() != app.uiThreadId;
}

// The control an argument stands for: a unit is (window id, unit id); a window or a menu item
// carries the window id first. Anything else (texts, numbers, expressions) names no control.
HWND ControlOf(const CmdArg& arg) {
  if (tc::ClassOf(arg.type) != 3 || tc::IsArray(arg.type)) return nullptr;
  if (HWND unit = forms::UnitWindow(arg.lo, arg.hi)) return unit;
  return arg.type == tc::Window || arg.type == tc::Menu ? forms::WindowHandle(arg.lo) : nullptr;
}

}  // namespace

bool ArgumentsNeedUiThread(int32_t count, const CmdArg* args) {
  if (!OffUiThread() || !args) return false;
  for (int32_t i = 0; i < count; ++i)
    if (OwnedByUiThread(ControlOf(args[i]))) return true;
  return false;
}

bool UnitNeedsUiThread(uint32_t windowId, uint32_t unitId) {
  if (!OffUiThread()) return false;
  HWND control = forms::UnitWindow(windowId, unitId);
  return OwnedByUiThread(control ? control : forms::WindowHandle(windowId));
}

void RunOnUiThread(void (*function)(void*), void* context) {
  Job job{function, context, GetCurrentThreadId(), false};
  if (PostToVisit(&job)) return;
  HWND owner = App().hiddenOwner;
  if (owner && SendMessageA(owner, kMsgRunOnUiThread, 0, reinterpret_cast<LPARAM>(&job)) == 1) return;
  function(context);
}

LRESULT RunSentJob(LPARAM lp) {
  auto job = reinterpret_cast<Job*>(lp);
  DWORD guest = job->thread;
  job->function(job->context);
  // A job that waits on another thread may get a job sent in meanwhile; that one only runs.
  if (g_visiting || !InSendMessage()) return 1;
  StayForBurst(guest);
  return 1;
}

}  // namespace rt
