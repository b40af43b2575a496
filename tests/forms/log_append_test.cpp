// Appends to the end of an edit box, as a scan's log gets them from its worker thread: every
// append lands in order with one change event, the length the next append asks for is right at
// once, the control catches up by itself, and anything else done to the box sees the appends first.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "forms/form_segment_writer.h"
#include "forms/unit_data_blocks.h"
#include "forms/units/unit_base.h"
#include "runtime/commands/core_commands.h"
#include "runtime/form_engine_port.h"
#include "runtime/interface_table.h"
#include "runtime/message_loop.h"
#include "tests/forms/engine_image.h"
#include "tests/support/error_capture.h"

namespace {
constexpr uint32_t kW = 0x52000011, kWOwn = 0x06000110, kLog = 0x16000012;

std::atomic<int> g_changes{0};
HandlerResult __cdecl LogChanged(const uint32_t*, uint32_t) {
  ++g_changes;
  return {0, 0, 0};
}
const EventHandlerFn kCode[] = {nullptr, LogChanged};

std::vector<uint8_t> Segment() {
  forms::EditBoxData log;
  log.multiLine = 1;
  log.scrollBars = 2;  // a vertical bar, whose range shows what the control itself holds
  log.inputMode = 1;   // read-only, like the scan's log
  return engineimg::WindowWithEditBox(kW, kWOwn, kLog, "log", log, 440, 200, {{0, 0}});
}

void Append(const std::string& text) {
  CmdArg args[2] = {CmdArg{kW, kLog, tc::EditBox}, MakeText(text.c_str())};
  rt::kInterfaceTable.callCoreCommand(kCoreCommands[core::AppendText], 2, args);
}

class LogAppends : public ::testing::Test {
 protected:
  void SetUp() override {
    testerr::PrintErrorsInsteadOfBox();
    engineimg::Start(Segment(), &kCode[1]);
    ASSERT_EQ(forms::LoadWindow(kW, nullptr, false), 0);
    log_ = forms::UnitWindow(kW, kLog);
    ASSERT_NE(log_, nullptr);
    g_changes = 0;
  }
  void TearDown() override { DestroyWindow(GetParent(log_)); }
  std::string Text() {
    std::vector<char> buffer(static_cast<size_t>(GetWindowTextLengthA(log_)) + 16);
    GetWindowTextA(log_, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
  }
  int ControlsOwnLines() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(log_, SB_VERT, &info);
    return info.nMax + 1;
  }
  HWND log_ = nullptr;
};

TEST_F(LogAppends, AppendsFromAWorkerLandInOrderWithOneChangeEventEachAndTheRightLengthAtOnce) {
  constexpr int kLines = 400;
  std::string expected;
  std::atomic<int> wrongLengths{0};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    std::string sent;
    for (int i = 0; i < kLines; ++i) {
      std::string line = "2026\xC4\xEA: \xD0\xF2\xBA\xC5\xCE\xAA" + std::to_string(i) + "\r\n";  // GBK text
      Append(line);
      sent += line;
      if (GetWindowTextLengthA(log_) != static_cast<int>(sent.size())) ++wrongLengths;
    }
    done = true;
  });
  for (int i = 0; i < 2000 && !done; ++i) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    rt::ProcessPendingMessages();
  }
  worker.join();
  for (int i = 0; i < kLines; ++i)
    expected += "2026\xC4\xEA: \xD0\xF2\xBA\xC5\xCE\xAA" + std::to_string(i) + "\r\n";
  EXPECT_EQ(wrongLengths.load(), 0);
  EXPECT_EQ(g_changes.load(), kLines);
  EXPECT_EQ(Text(), expected);
  EXPECT_EQ(SendMessageA(log_, EM_GETLINECOUNT, 0, 0), kLines + 1);
}

TEST_F(LogAppends, GatheredAppendsReachTheControlByThemselvesWhileNothingElseAsks) {
  // Painted and quiet first, so that no paint of the control's is waiting.
  RedrawWindow(GetParent(log_), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  rt::ProcessPendingMessages();
  for (int i = 0; i < 150; ++i) Append("line " + std::to_string(i) + "\r\n");
  // Only the message loop runs from here: the control's own scroll range must catch up.
  DWORD start = GetTickCount();
  while (ControlsOwnLines() < 150 && GetTickCount() - start < 2000) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    rt::ProcessPendingMessages();
  }
  EXPECT_GE(ControlsOwnLines(), 150) << GetTickCount() - start << " ms";
  EXPECT_EQ(g_changes.load(), 150);
}

// A long gathering goes to the control in pieces, a message each, so the window answers other
// messages between them; reading the text meanwhile still gets all of it.
TEST_F(LogAppends, ALongGatheringReachesTheControlInPiecesAndReadingItMeanwhileGetsAll) {
  // Hidden first: a focus change (other programs' windows coming up) shows the text and would
  // hand everything over at once.
  ShowWindow(GetParent(log_), SW_HIDE);
  rt::ProcessPendingMessages();
  constexpr int kLines = 300;
  std::string all;
  for (int i = 0; i < kLines; ++i) {
    std::string line = "2026\xC4\xEA" "12\xD4\xC2: \xD0\xF2\xBA\xC5\xCE\xAA" + std::to_string(100000 + i) + " ok\r\n";
    Append(line);
    all += line;
  }
  // One message at a time, as the message loop takes them: the control's own line count must
  // stop in between at least twice before the whole gathering is in.
  std::vector<int> between;
  std::string trace;
  // At most 300 turns of up to 10 ms each.
  for (int turn = 0; turn < 300 && ControlsOwnLines() < kLines && between.size() < 2; ++turn) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) continue;
    DispatchMessageA(&msg);
    int lines = ControlsOwnLines();
    char seen[64];
    std::snprintf(seen, sizeof seen, " %04x%s:%d", msg.message, msg.hwnd == log_ ? "(log)" : "", lines);
    trace += seen;
    if (lines > 1 && lines < kLines && (between.empty() || between.back() != lines)) between.push_back(lines);
  }
  ASSERT_EQ(between.size(), 2u) << "the hand-over came in " << between.size() + 1 << " piece(s):" << trace;
  EXPECT_LT(between[0], between[1]);
  EXPECT_EQ(Text(), all);
  EXPECT_GE(ControlsOwnLines(), kLines);
  EXPECT_EQ(g_changes.load(), kLines);
  rt::ProcessPendingMessages();  // the piece still posted finds nothing left to hand over
  EXPECT_EQ(Text(), all);
}

// A paint shows what the control holds and does not take a long gathering in at once (that held
// the window for tens of milliseconds); the gathering still comes in by itself, and reads get it all.
TEST_F(LogAppends, APaintLeavesALongGatheringToItsPieces) {
  RedrawWindow(GetParent(log_), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  rt::ProcessPendingMessages();
  constexpr int kLines = 300;
  for (int i = 0; i < kLines; ++i) Append("painted line " + std::to_string(i) + "\r\n");
  InvalidateRect(log_, nullptr, TRUE);
  UpdateWindow(log_);  // the control's paint, at once
  EXPECT_LT(ControlsOwnLines(), 10);
  DWORD start = GetTickCount();
  while (ControlsOwnLines() < kLines && GetTickCount() - start < 3000) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    rt::ProcessPendingMessages();
  }
  EXPECT_GE(ControlsOwnLines(), kLines) << GetTickCount() - start << " ms";
  EXPECT_EQ(SendMessageA(log_, EM_GETLINECOUNT, 0, 0), kLines + 1);
}

TEST_F(LogAppends, OtherWritesToTheBoxComeAfterTheAppendsBeforeThem) {
  Append("a\r\n");
  SendMessageA(log_, EM_SETSEL, 0, 0);
  SendMessageA(log_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("X"));
  EXPECT_EQ(Text(), "Xa\r\n");
  Append("b");
  EXPECT_EQ(Text(), "Xa\r\nb");
  Append("c");
  SetWindowTextA(log_, "new");
  Append("d");
  EXPECT_EQ(Text(), "newd");
  EXPECT_EQ(GetWindowTextLengthA(log_), 4);
  Append("");  // an empty text changes nothing
  EXPECT_EQ(Text(), "newd");
  // A limit that cuts an append: the control keeps what fits, as it always did.
  SendMessageA(log_, EM_LIMITTEXT, 6, 0);
  Append("12");
  Append("345");
  EXPECT_EQ(Text(), "newd12");
  EXPECT_EQ(GetWindowTextLengthA(log_), 6);
}

}  // namespace
