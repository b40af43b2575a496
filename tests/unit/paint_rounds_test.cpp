// The message loop paints in rounds: a window that a worker invalidates hundreds of times a
// second is painted a few dozen times, not once per invalidation, and the worker's messages are
// all carried out.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "tests/support/test_image.h"

namespace {

constexpr UINT kInvalidate = WM_USER + 10;
constexpr UINT kFinish = WM_USER + 11;
constexpr uint32_t kModalId = 0x52990001;
std::atomic<int> g_paints{0};
std::atomic<int> g_invalidations{0};
std::atomic<int> g_restlessPaints{0}, g_quietPaints{0};

// A paint that shows nothing and is counted.
LRESULT PaintCounted(HWND window, std::atomic<int>& count) {
  PAINTSTRUCT ps;
  BeginPaint(window, &ps);
  EndPaint(window, &ps);
  ++count;
  return 0;
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_PAINT: return PaintCounted(window, g_paints);
    case kInvalidate:
      InvalidateRect(window, nullptr, FALSE);
      ++g_invalidations;
      return 0;
    case kFinish: rt::WindowDestroyed(kModalId); return 0;
    default: return DefWindowProcA(window, message, wp, lp);
  }
}

HWND MakeCountingWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PaintRoundsTest";
  RegisterClassA(&wc);
  return CreateWindowExA(0, "PaintRoundsTest", "paints", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(PaintRounds, AWindowInvalidatedByAWorkerHundredsOfTimesIsPaintedInRoundsAndEveryMessageRuns) {
  testimg::InitRuntime();
  HWND window = MakeCountingWindow();
  ASSERT_NE(window, nullptr);
  UpdateWindow(window);
  g_paints = 0;
  constexpr int kSends = 400;
  DWORD start = GetTickCount();
  std::thread worker([&] {
    for (int i = 0; i < kSends; ++i) {
      SendMessageA(window, kInvalidate, 0, 0);
      Sleep(1);
    }
    SendMessageA(window, kFinish, 0, 0);
    PostMessageA(window, WM_NULL, 0, 0);  // wakes the loop to see that it is over
  });
  rt::RunModalLoop(kModalId);
  worker.join();
  DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(g_invalidations.load(), kSends);
  // One round every 40 ms at most, with slack for the first and the last.
  EXPECT_LE(g_paints.load(), static_cast<int>(elapsed / 40) + 3) << elapsed << " ms";
  EXPECT_GE(g_paints.load(), 2);
  DestroyWindow(window);
}

// A child that is invalid again as soon as it has painted, as a box whose worker keeps writing.
LRESULT CALLBACK RestlessProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wp, lp);
  PaintCounted(window, g_restlessPaints);
  InvalidateRect(window, nullptr, FALSE);
  return 0;
}

LRESULT CALLBACK QuietProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_PAINT: return PaintCounted(window, g_quietPaints);
    case kInvalidate: InvalidateRect(window, nullptr, FALSE); return 0;
    case kFinish: rt::WindowDestroyed(kModalId); return 0;
    default: return DefWindowProcA(window, message, wp, lp);
  }
}

HWND MakeChild(HWND parent, const char* className, WNDPROC procedure, int x) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, 10, 100, 100, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST(PaintRounds, AWindowInvalidAgainAsSoonAsItIsPaintedLeavesTheOthersTheirPaints) {
  testimg::InitRuntime();
  HWND parent = MakeCountingWindow();
  ASSERT_NE(parent, nullptr);
  // The restless child comes first among the siblings, where the queue looks for paints first.
  HWND restless = MakeChild(parent, "PaintRoundsRestless", RestlessProc, 10);
  HWND quiet = MakeChild(parent, "PaintRoundsQuiet", QuietProc, 150);
  ASSERT_TRUE(restless && quiet);
  UpdateWindow(parent);
  g_restlessPaints = g_quietPaints = 0;
  DWORD start = GetTickCount();
  std::thread worker([&] {
    for (int i = 0; i < 300; ++i) {
      SendMessageA(quiet, kInvalidate, 0, 0);
      Sleep(1);
    }
    SendMessageA(quiet, kFinish, 0, 0);
    PostMessageA(parent, WM_NULL, 0, 0);
  });
  rt::RunModalLoop(kModalId);
  worker.join();
  int rounds = static_cast<int>((GetTickCount() - start) / 40);
  EXPECT_LE(g_restlessPaints.load(), rounds + 3);
  // The quiet child, invalidated all the time as well, is painted in most rounds.
  EXPECT_GE(g_quietPaints.load(), rounds / 2) << rounds << " rounds";
  DestroyWindow(parent);
}

}  // namespace
