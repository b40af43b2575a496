// Exit callbacks, idle callbacks, the message loop's start and the exit from another thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/exit.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "tests/support/error_capture.h"
#include "tests/support/test_image.h"

namespace {

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override { testimg::InitRuntime(); }
};

void __cdecl First() { std::fprintf(stderr, "[first]"); }
void __cdecl Second() { std::fprintf(stderr, "[second]"); }
void __cdecl OnUiThread() {
  std::fprintf(stderr, "[callback on %s thread]", GetCurrentThreadId() == rt::App().uiThreadId ? "ui" : "other");
}

TEST_F(Lifecycle, ExitCallbacksRunOnceEachInRegistrationOrder) {
  EXPECT_EXIT(
      {
        rt::RegisterExitCallback(First);
        rt::RegisterExitCallback(Second);
        rt::RegisterExitCallback(First);
        std::fprintf(stderr, "[count %u]", static_cast<unsigned>(rt::ExitCallbackCount()));
        rt::ExitProgram(3);
      },
      ::testing::ExitedWithCode(3), "\\[count 2\\]\\[first\\]\\[second\\]$");
}

TEST_F(Lifecycle, RuntimeErrorSkipsTheExitCallbacks) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        rt::RegisterExitCallback(First);
        rt::ReportRuntimeError("stop", 0);
      },
      ::testing::ExitedWithCode(-1), "runtime error 0: stop\n$");
}

DWORD WINAPI ExitFromWorker(LPVOID) {
  rt::ExitProgram(7);
}

TEST_F(Lifecycle, ExitOnAWorkerThreadCompletesOnTheUiThreadWithTheWorkersCode) {
  EXPECT_EXIT(
      {
        rt::RegisterExitCallback(OnUiThread);
        CreateThread(nullptr, 0, ExitFromWorker, nullptr, 0, nullptr);
        // The UI thread keeps taking messages; the worker's request arrives as a sent message.
        for (int i = 0; i < 500; ++i) {
          MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
          rt::ProcessPendingMessages();
        }
        std::fprintf(stderr, "[worker exit never arrived]");
        ExitProcess(99);
      },
      ::testing::ExitedWithCode(7), "\\[callback on ui thread\\]");
}

TEST_F(Lifecycle, MessageLoopReturnsAtOnceWithNoWindowAlive) {
  rt::RunMessageLoop();
  EXPECT_TRUE(rt::App().messageLoopEntered);
}

int g_calls = 0;
void __cdecl CountCall(AddrWord parameter) { g_calls += static_cast<int>(parameter); }

HWND MakeWindow() {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(Lifecycle, IdleCallbacksOfDestroyedWindowsAreRemovedUncalled) {
  HWND live = MakeWindow();
  HWND doomed = MakeWindow();
  ASSERT_TRUE(live && doomed);
  EXPECT_TRUE(rt::AddIdleCallback({live, CountCall, 1}));
  EXPECT_FALSE(rt::AddIdleCallback({live, CountCall, 1}));  // one per window
  EXPECT_TRUE(rt::AddIdleCallback({doomed, CountCall, 100}));
  EXPECT_FALSE(rt::AddIdleCallback({reinterpret_cast<HWND>(0x1234), CountCall, 1000}));

  g_calls = 0;
  rt::RunIdleCallbacks();
  EXPECT_EQ(g_calls, 101);

  DestroyWindow(doomed);
  g_calls = 0;
  rt::RunIdleCallbacks();
  EXPECT_EQ(g_calls, 1);
  EXPECT_EQ(rt::App().idleCallbacks.size(), 1u);

  rt::RemoveIdleCallback(live);
  g_calls = 0;
  rt::RunIdleCallbacks();
  EXPECT_EQ(g_calls, 0);
  DestroyWindow(live);
}

TEST_F(Lifecycle, IdleProcessingWantsTwoRoundsThenAsksTheWindows) {
  EXPECT_TRUE(rt::IdleProcessing(0));
  EXPECT_TRUE(rt::IdleProcessing(1));
  EXPECT_FALSE(rt::IdleProcessing(2));  // no window asks for more
}

}  // namespace
