// Commands that another thread calls on a unit run on the UI thread: in order, each finished
// before the caller goes on, a burst of them carried by few window messages, and the window
// still answering while a worker calls without pause. And a unit's window is found from its
// handle, whatever other windows keep in the same slot.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

#include "forms/form_segment_writer.h"
#include "forms/unit_data_blocks.h"
#include "runtime/abi/unit_interface.h"
#include "runtime/form_engine_port.h"
#include "runtime/interface_table.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/ui_thread_calls.h"
#include "tests/forms/engine_image.h"
#include "tests/support/error_capture.h"

namespace {
constexpr uint32_t kW = 0x52000021, kWOwn = 0x06000120, kBox = 0x16000022;

std::vector<uint8_t> Segment() {
  return engineimg::WindowWithEditBox(kW, kWOwn, kBox, "worker commands", forms::EditBoxData{}, 200, 24);
}

// A command that notes where and in which turn it ran; its argument is its turn.
std::vector<int> g_turns;   // touched by the running command only
std::atomic<int> g_offUiThread{0};
void __cdecl NoteTurn(CmdArg* result, int32_t count, CmdArg* args) {
  if (GetCurrentThreadId() != rt::App().uiThreadId) ++g_offUiThread;
  g_turns.push_back(count > 1 ? static_cast<int>(args[1].lo) : -1);
  *result = MakeInt(static_cast<int32_t>(GetCurrentThreadId()));
}

DWORD CallNoteTurn(CmdArg first, int turn) {
  CmdArg args[2] = {first, MakeInt(turn)};
  return rt::kInterfaceTable.callCoreCommand(NoteTurn, 2, args).lo;
}
CmdArg BoxArg() { return CmdArg{kW, kBox, tc::EditBox}; }

// Counts the window messages that carry jobs to the UI thread.
std::atomic<int> g_jobMessages{0};
LRESULT CALLBACK CountJobMessages(int code, WPARAM wp, LPARAM lp) {
  auto sent = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && sent->message == rt::kMsgRunOnUiThread) ++g_jobMessages;
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Runs the UI thread's message loop until done is set.
void PumpUntil(const std::atomic<bool>& done) {
  for (int i = 0; i < 3000 && !done; ++i) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    rt::ProcessPendingMessages();
  }
}

class WorkerCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    testerr::PrintErrorsInsteadOfBox();
    engineimg::Start(Segment(), nullptr);
    ASSERT_EQ(forms::LoadWindow(kW, nullptr, false), 0);
    box_ = forms::UnitWindow(kW, kBox);
    ASSERT_NE(box_, nullptr);
    g_turns.clear();
    g_offUiThread = 0;
    g_jobMessages = 0;
  }
  void TearDown() override { DestroyWindow(GetParent(box_)); }
  HWND box_ = nullptr;
};

TEST_F(WorkerCommands, ACommandNamingAUnitRunsOnTheUiThreadAndOneNamingNoneWhereItIsCalled) {
  std::atomic<bool> done{false};
  DWORD withUnit = 0, withWindow = 0, withNumber = 0, worker = 0;
  std::thread t([&] {
    worker = GetCurrentThreadId();
    withUnit = CallNoteTurn(BoxArg(), 1);
    withWindow = CallNoteTurn(CmdArg{kW, kWOwn, tc::Window}, 2);
    withNumber = CallNoteTurn(MakeInt(7), 3);
    done = true;
  });
  PumpUntil(done);
  t.join();
  EXPECT_EQ(withUnit, GetCurrentThreadId());
  EXPECT_EQ(withWindow, GetCurrentThreadId());
  EXPECT_EQ(withNumber, worker);
  // On the UI thread itself a command simply runs.
  EXPECT_EQ(CallNoteTurn(BoxArg(), 4), GetCurrentThreadId());
  EXPECT_EQ(g_turns, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(WorkerCommands, ABurstOfCommandsRunsInOrderOnTheUiThreadCarriedByFewWindowMessages) {
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountJobMessages, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  constexpr int kCommands = 3000;
  std::atomic<bool> done{false};
  std::atomic<int> wrongThread{0};
  std::thread t([&] {
    for (int i = 0; i < kCommands; ++i)
      if (CallNoteTurn(BoxArg(), i) != rt::App().uiThreadId) ++wrongThread;
    done = true;
  });
  PumpUntil(done);
  t.join();
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(g_turns.size(), static_cast<size_t>(kCommands));
  for (int i = 0; i < kCommands; ++i) ASSERT_EQ(g_turns[static_cast<size_t>(i)], i);
  EXPECT_EQ(wrongThread.load(), 0);
  EXPECT_EQ(g_offUiThread.load(), 0);
  EXPECT_GE(g_jobMessages.load(), 1);
  EXPECT_LE(g_jobMessages.load(), kCommands / 4) << "most commands should ride on an earlier message";
}

TEST_F(WorkerCommands, TheWindowAnswersWhileAWorkerCallsWithoutPause) {
  std::atomic<bool> done{false}, stop{false};
  std::atomic<int> calls{0};
  std::thread caller([&] {
    while (!stop) {
      CallNoteTurn(BoxArg(), 0);
      ++calls;
    }
    done = true;
  });
  std::vector<double> waits;
  std::thread probe([&] {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    HWND window = GetParent(box_);
    for (int i = 0; i < 60; ++i) {
      Sleep(10);
      DWORD_PTR r;
      QueryPerformanceCounter(&a);
      SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
      QueryPerformanceCounter(&b);
      waits.push_back(static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart));
    }
    stop = true;
  });
  PumpUntil(done);
  probe.join();
  caller.join();
  double longest = 0;
  for (double w : waits) longest = w > longest ? w : longest;
  EXPECT_GT(calls.load(), 100);
  // A UI thread kept by the worker's burst would answer only once the worker stopped (seconds).
  EXPECT_LT(longest, 250.0) << calls.load() << " calls";
}

TEST(UnitOfWindow, OnlyAUnitsOwnWindowIsFoundWhateverTheSlotHolds) {
  HWND a = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND b = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(a && b);
  UnitObjectHead head{kUnitObjectMagic, a, 1, 2, tc::EditBox};
  SetUnitOfWindow(a, &head);
  EXPECT_EQ(UnitOfWindow(a), &head);
  SetUnitOfWindow(b, &head);  // the head names another window
  EXPECT_EQ(UnitOfWindow(b), nullptr);

  void* page = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(page, nullptr);
  std::memset(page, 0x5A, 4096);
  const LONG_PTR hostile[] = {0x10, reinterpret_cast<LONG_PTR>(page),
                              reinterpret_cast<LONG_PTR>(static_cast<char*>(page) + 4096 - 4)};
  for (LONG_PTR value : hostile) {
    SetWindowLongPtrA(b, GWLP_USERDATA, value);
    EXPECT_EQ(UnitOfWindow(b), nullptr) << value;
  }
  DWORD old;
  VirtualProtect(page, 4096, PAGE_NOACCESS, &old);
  SetWindowLongPtrA(b, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
  EXPECT_EQ(UnitOfWindow(b), nullptr);
  VirtualFree(page, 0, MEM_RELEASE);
  SetWindowLongPtrA(b, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));  // freed
  EXPECT_EQ(UnitOfWindow(b), nullptr);
  SetUnitOfWindow(a, nullptr);
  EXPECT_EQ(UnitOfWindow(a), nullptr);
  DestroyWindow(a);
  DestroyWindow(b);
}

// A window found once is not checked again while its slot names the same object; the object's
// going (the slot cleared first, as a unit does) forgets that, so the same value put back after
// the memory is gone is checked again and refused, and a dead object is never handed out.
TEST(UnitOfWindow, AWindowFoundBeforeIsCheckedAgainOnceItsObjectHasGone) {
  HWND a = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(a);
  void* page = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(page, nullptr);
  auto head = new (page) UnitObjectHead{kUnitObjectMagic, a, 1, 2, tc::Label};
  SetUnitOfWindow(a, head);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(UnitOfWindow(a), head);
  head->magic = 0;  // a unit on its way out
  EXPECT_EQ(UnitOfWindow(a), nullptr);
  head->magic = kUnitObjectMagic;
  EXPECT_EQ(UnitOfWindow(a), head);

  SetUnitOfWindow(a, nullptr);
  VirtualFree(page, 0, MEM_RELEASE);
  SetWindowLongPtrA(a, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));  // the old value, memory gone
  EXPECT_EQ(UnitOfWindow(a), nullptr);
  DestroyWindow(a);
}

}  // namespace
