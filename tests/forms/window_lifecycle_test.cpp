// Loading, closing and destroying windows built from a test segment whose handlers record what
// ran; properties, menus and handler lookup on the same windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "forms/form_segment_writer.h"
#include "forms/unit_data_blocks.h"
#include "forms/units/unit_base.h"
#include "runtime/abi/values.h"
#include "runtime/form_engine_port.h"
#include "runtime/heap.h"
#include "runtime/runtime_app.h"
#include "tests/forms/engine_image.h"
#include "tests/support/error_capture.h"

namespace {
constexpr uint32_t kA = 0x52000001, kAOwn = 0x06000100, kAEdit = 0x16000010, kAButton = 0x16000011;
constexpr uint32_t kAMenuFile = 0x26000020, kAMenuRun = 0x26000021;
constexpr uint32_t kB = 0x52000003, kBOwn = 0x06000102;
constexpr uint32_t kC = 0x52000005, kCOwn = 0x06000104, kCBad = 0x16000030;

// A text property travels as its address's two halves.
void WriteText(uint32_t window, uint32_t unit, int32_t property, const char* text) {
  forms::WriteProperty(window, unit, property, AddrLow(text), AddrHigh(text));
}

std::vector<std::string> g_calls;
bool g_cancelClose = false;
int g_closeBInEvent0 = 0;  // 1 posted, 2 at once

HandlerResult Note(const char* what) {
  g_calls.push_back(what);
  return {0, 0, 0};
}
HandlerResult __cdecl A0(const uint32_t*, uint32_t) { return Note("A0"); }
HandlerResult __cdecl A1(const uint32_t*, uint32_t) { return Note("A1"); }
HandlerResult __cdecl A2(const uint32_t*, uint32_t) { return Note("A2"); }
HandlerResult __cdecl A3(const uint32_t*, uint32_t) { return Note("A3"); }
HandlerResult __cdecl A4(const uint32_t*, uint32_t) { return Note("A4"); }
HandlerResult __cdecl A12(const uint32_t*, uint32_t) {
  Note("A12");
  return g_cancelClose ? HandlerResult{1, 0, 0} : HandlerResult{0, 0, 0};
}
HandlerResult __cdecl Click(const uint32_t*, uint32_t) { return Note("click"); }
HandlerResult __cdecl Run(const uint32_t*, uint32_t) { return Note("run"); }
HandlerResult __cdecl B0(const uint32_t*, uint32_t) {
  Note("B0");
  if (g_closeBInEvent0) forms::CloseWindowByCode(kB, g_closeBInEvent0 == 2);
  return {0, 0, 0};
}
HandlerResult __cdecl B3(const uint32_t*, uint32_t) { return Note("B3"); }
HandlerResult __cdecl B4(const uint32_t*, uint32_t) { return Note("B4"); }

const EventHandlerFn kCode[] = {nullptr, A0, A1, A2, A3, A4, A12, Click, Run, B0, B3, B4};
uint32_t Offset(EventHandlerFn f) {
  for (uint32_t i = 1; i < sizeof kCode / sizeof kCode[0]; ++i)
    if (kCode[i] == f) return 4 * (i - 1);
  return 0xFFFFFFFFu;
}

forms::TableEntry Own(uint32_t id, const char* caption, std::vector<forms::EventPair> events) {
  forms::WindowData d;
  d.caption = caption;
  d.startPosition = 0;
  forms::UnitRecordSpec s;
  s.typeCode = tc::Window;
  s.left = 40, s.top = 40, s.width = 320, s.height = 240;
  s.flags = 1;
  s.events = events;
  s.typeData = forms::EncodeBlock(d);
  return {id, forms::EncodeUnitRecord(s)};
}

std::vector<uint8_t> Segment() {
  forms::WindowRecordSpec a;
  a.id = kA;
  a.records.push_back(Own(kAOwn, "A",
                          {{0, Offset(A0)}, {1, Offset(A1)}, {2, Offset(A2)}, {3, Offset(A3)}, {4, Offset(A4)},
                           {12, Offset(A12)}}));
  forms::EditBoxData edit;
  edit.content = "tmpl";
  forms::UnitRecordSpec e;
  e.typeCode = tc::EditBox, e.name = "编辑框1", e.left = 8, e.top = 8, e.width = 120, e.height = 24, e.flags = 5;
  e.tag = "tag";
  e.typeData = forms::EncodeBlock(edit);
  a.records.push_back({kAEdit, forms::EncodeUnitRecord(e)});
  forms::ButtonData button;
  button.kind = 1;
  button.caption = "&Go";
  forms::UnitRecordSpec b;
  b.typeCode = tc::Button, b.left = 8, b.top = 40, b.width = 80, b.height = 24, b.flags = 5;
  b.events = {{0, Offset(Click)}};
  b.typeData = forms::EncodeBlock(button);
  a.records.push_back({kAButton, forms::EncodeUnitRecord(b)});
  forms::MenuRecordSpec file;
  file.caption = "File";
  a.records.push_back({kAMenuFile, forms::EncodeMenuRecord(file)});
  forms::MenuRecordSpec run;
  run.caption = "Run", run.level = 1, run.shortcutKey = 30, run.handler = Offset(Run);  // F4
  a.records.push_back({kAMenuRun, forms::EncodeMenuRecord(run)});

  forms::WindowRecordSpec bw;
  bw.id = kB;
  bw.records.push_back(Own(kBOwn, "B", {{0, Offset(B0)}, {3, Offset(B3)}, {4, Offset(B4)}}));

  forms::WindowRecordSpec c;
  c.id = kC;
  c.records.push_back(Own(kCOwn, "C", {}));
  forms::UnitRecordSpec bad;
  bad.typeCode = 0x00010002;  // an empty slot of the core type table
  c.records.push_back({kCBad, forms::EncodeUnitRecord(bad)});
  return forms::EncodeFormSegment({a, bw, c});
}

HWND g_a, g_c;
bool g_aDisabledInside = false, g_cDisabledInside = false;
void CALLBACK InsideModalLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_aDisabledInside = !IsWindowEnabled(g_a);
  g_cDisabledInside = !IsWindowEnabled(g_c);
  forms::CloseWindowByCode(kB, false);
}

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    testerr::PrintErrorsInsteadOfBox();
    engineimg::Start(Segment(), &kCode[1]);
    g_calls.clear();
  }
  static std::string Text(uint64_t v) {
    auto p = AddrFromHalves<char>(static_cast<uint32_t>(v), static_cast<uint32_t>(v >> 32));
    std::string s = p ? p : "";
    rt::FreeBlock(p);
    return s;
  }
};

TEST_F(Windows, LoadRaisesCreatedMovedResizedInOrderWithNothingBefore) {
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  ASSERT_GE(g_calls.size(), 3u);
  EXPECT_EQ((std::vector<std::string>(g_calls.begin(), g_calls.begin() + 3)), (std::vector<std::string>{"A0", "A3", "A4"}));
  HWND a = forms::WindowHandle(kA);
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(IsWindowVisible(a));
  HWND edit = forms::UnitWindow(kA, kAEdit);
  EXPECT_EQ(forms::WindowTextOf(edit), "tmpl");
  // Loading again activates the live window and raises nothing.
  g_calls.clear();
  EXPECT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  EXPECT_EQ(forms::WindowHandle(kA), a);
  EXPECT_TRUE(g_calls.empty());
  EXPECT_EQ(forms::LoadWindow(0x52000077, nullptr, false), -1);
}

TEST_F(Windows, CloseByCodeAtOnceInEventZeroEndsTheLoadQuietly) {
  g_closeBInEvent0 = 2;
  EXPECT_EQ(forms::LoadWindow(kB, nullptr, false), 0);
  EXPECT_EQ(g_calls, std::vector<std::string>{"B0"});
  EXPECT_EQ(forms::WindowHandle(kB), nullptr);
}

TEST_F(Windows, PostedCloseByCodeLetsTheLoadFinishFirst) {
  g_closeBInEvent0 = 1;
  EXPECT_EQ(forms::LoadWindow(kB, nullptr, false), 0);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"B0", "B3", "B4"}));
  EXPECT_NE(forms::WindowHandle(kB), nullptr);
  engineimg::Pump();
  EXPECT_EQ(forms::WindowHandle(kB), nullptr);
}

TEST_F(Windows, ModalLoadDisablesOnlyEnabledWindowsAndGivesBackTheirStates) {
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  ASSERT_EQ(forms::LoadWindow(kC, nullptr, false), -1);  // C's second record has no type
  HWND a = forms::WindowHandle(kA);
  HWND c = forms::WindowHandle(kC);  // the window unit stays after the failed unit
  ASSERT_NE(c, nullptr);
  EnableWindow(c, FALSE);
  g_a = a, g_c = c;
  SetTimer(nullptr, 0, 50, InsideModalLoop);
  EXPECT_EQ(forms::LoadWindow(kB, nullptr, true), 0);  // returns when B is gone
  EXPECT_EQ(forms::WindowHandle(kB), nullptr);
  EXPECT_TRUE(g_aDisabledInside);
  EXPECT_TRUE(g_cDisabledInside);
  EXPECT_TRUE(IsWindowEnabled(a));
  EXPECT_FALSE(IsWindowEnabled(c));  // it was disabled before: it stays so
  EXPECT_EQ(rt::App().modalMarker, 0u);
}

TEST_F(Windows, EscClosesThroughTheCloseQueriesAndACancelledCloseKeepsTheWindow) {
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  HWND a = forms::WindowHandle(kA);
  g_cancelClose = true;
  g_calls.clear();
  SendMessageA(a, WM_CLOSE, 0, 0);
  EXPECT_EQ(g_calls, std::vector<std::string>{"A12"});
  EXPECT_TRUE(IsWindow(a));
  g_cancelClose = false;
  g_calls.clear();
  PostMessageA(forms::UnitWindow(kA, kAEdit), WM_KEYDOWN, VK_ESCAPE, 0);
  engineimg::Pump();
  EXPECT_FALSE(IsWindow(a));
  EXPECT_EQ(g_calls, (std::vector<std::string>{"A12", "A1", "A2"}));
}

TEST_F(Windows, DestroyPutsTheTemplateBackAndTheLastWindowPostsQuit) {
  rt::App().messageLoopEntered = true;
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  WriteText(kA, kAEdit, 8, "changed");
  forms::WriteProperty(kA, kAEdit, 2, 200, 0);
  WriteText(kA, kAEdit, 4, "a longer tag than before");
  EXPECT_EQ(Text(forms::ReadProperty(kA, kAEdit, 8)), "changed");
  EXPECT_EQ(forms::ReadProperty(kA, kAEdit, 2), 200u);
  forms::CloseWindowByCode(kA, true);
  EXPECT_EQ(forms::WindowHandle(kA), nullptr);
  MSG m;
  EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(forms::ReadProperty(kA, kAEdit, 2), 120u);
  EXPECT_EQ(Text(forms::ReadProperty(kA, kAEdit, 4)), "tag");
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  EXPECT_EQ(Text(forms::ReadProperty(kA, kAEdit, 8)), "tmpl");
}

TEST_F(Windows, GeometryIsClampedAndUnloadedWritesChangeTheTemplate) {
  forms::WriteProperty(kA, kAEdit, 2, 40000, 0);
  forms::WriteProperty(kA, kAEdit, 0, static_cast<uint32_t>(-40000), 0);
  forms::WriteProperty(kA, kAEdit, 3, static_cast<uint32_t>(-5), 0);
  EXPECT_EQ(forms::ReadProperty(kA, kAEdit, 2), 32627u);
  EXPECT_EQ(static_cast<int32_t>(forms::ReadProperty(kA, kAEdit, 0)), -32627);
  EXPECT_EQ(forms::ReadProperty(kA, kAEdit, 3), 0u);
  EXPECT_EQ(forms::ReadProperty(kA, kAEdit, 5), 1u);
  forms::WriteProperty(kA, kAEdit, 5, 0, 0);
  forms::WriteProperty(kA, kAEdit, 2, 150, 0);
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  HWND edit = forms::UnitWindow(kA, kAEdit);
  EXPECT_FALSE(IsWindowVisible(edit));
  RECT r;
  GetWindowRect(edit, &r);
  EXPECT_EQ(r.right - r.left, 150);
  forms::WriteProperty(kA, kAEdit, 1, 30, 0);
  EXPECT_EQ(forms::ReadProperty(kA, kAEdit, 1), 30u);
}

TEST_F(Windows, MenuChoiceShortcutAndCaptionWrites) {
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  HWND a = forms::WindowHandle(kA);
  g_calls.clear();
  SendMessageA(a, WM_COMMAND, 20001, 0);
  EXPECT_EQ(g_calls, std::vector<std::string>{"run"});
  SendMessageA(a, WM_COMMAND, 20009, 0);  // beyond the menu records: ignored
  PostMessageA(a, WM_KEYDOWN, VK_F4, 0);
  engineimg::Pump();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"run", "run"}));

  HMENU before = GetMenu(a);
  WriteText(kA, kAMenuRun, 0, "Run");
  EXPECT_EQ(GetMenu(a), before);  // same caption: no rebuild
  WriteText(kA, kAMenuRun, 0, "Start");
  HMENU after = GetMenu(a);
  EXPECT_NE(after, before);
  char text[32] = {0};
  GetMenuStringA(GetSubMenu(after, 0), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Start\tF4");
  EXPECT_EQ(Text(forms::ReadProperty(kA, kAMenuRun, 0)), "Start");
  forms::WriteProperty(kA, kAMenuRun, 2, 1, 0);
  EXPECT_EQ(forms::ReadProperty(kA, kAMenuRun, 2), 1u);
  EXPECT_EQ(forms::ReadProperty(kA, kAMenuRun, 3), 1u);
}

TEST_F(Windows, EnterClicksTheDefaultButtonAndAltMnemonicToo) {
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  HWND edit = forms::UnitWindow(kA, kAEdit);
  SetFocus(edit);
  g_calls.clear();
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  engineimg::Pump();
  EXPECT_EQ(g_calls, std::vector<std::string>{"click"});
  PostMessageA(edit, WM_SYSKEYDOWN, 'G', 0x20000000);
  engineimg::Pump();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"click", "click"}));
}

TEST_F(Windows, EventSourceNamesTheWindowsOwnUnitForWindowEvents) {
  static uint32_t source[2];
  // Event 3 of A records where it came from through the service.
  ASSERT_EQ(forms::LoadWindow(kA, nullptr, false), 0);
  const EventHandlerFn* h = forms::FindHandler(kA, 0, 3, 0);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(rt::App().currentEventWindow, kA);
  EXPECT_EQ(rt::App().currentEventUnit, kAOwn);
  EXPECT_EQ(forms::FindHandler(kA, kAEdit, 0, 0), nullptr);  // no pair for it
  rt::App().eventBlockCount = 1;
  EXPECT_EQ(forms::FindHandler(kA, 0, 3, 0), nullptr);
  rt::App().eventBlockCount = 0;
  (void)source;
}

using WindowsDeath = Windows;

TEST_F(WindowsDeath, TypeSpecificPropertyOfAnUnloadedWindowIsARuntimeError) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        forms::ReadProperty(kA, kAEdit, 8);
      },
      ::testing::ExitedWithCode(-1), "指定窗口尚未载入");
}

TEST_F(WindowsDeath, HandlerLookupErrors) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        forms::FindHandler(0x52000077, 0, 0, 0);
      },
      ::testing::ExitedWithCode(-1), "未找到引发事件的窗口\n");
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        forms::FindHandler(kA, 0x16000077, 0, 0);
      },
      ::testing::ExitedWithCode(-1), "未找到引发事件的窗口组件");
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        forms::FindHandler(kC, kCBad, 0, 0);
      },
      ::testing::ExitedWithCode(-1), "引发事件的窗口组件无效");
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        forms::ReadProperty(0x52000077, 0, 0);
      },
      ::testing::ExitedWithCode(-1), "未载入欲访问窗口组件所在的窗口");
}

}  // namespace
