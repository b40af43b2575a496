// The edit box, label, button and progress bar as real controls in a real window.
#include <gtest/gtest.h>

#include "runtime/runtime_app.h"

#include <windows.h>
#include <commctrl.h>

#include "forms/unit_data_blocks.h"
#include "forms/units/core_unit_types.h"
#include "forms/units/unit_base.h"
#include "tests/support/test_image.h"
#include "tests/units/unit_harness.h"

namespace {

using namespace unittest;

class BasicUnits : public ::testing::Test {
 protected:
  void SetUp() override {
    testimg::InitRuntime();
    // The test image has no form segment: events the units raise would name a window the
    // registry does not hold, which is a runtime error. These tests do not observe events.
    rt::App().eventBlockCount = 1;
    parent_ = MakeParent();
  }
  void TearDown() override {
    DestroyWindow(parent_);
    Pump();
  }
  HWND parent_ = nullptr;
};

PropertyPair Text(const char* t) { return {Word(t), 0}; }
std::string TextAt(PropertyPair p) { return p.first ? FromWord<const char>(p.first) : ""; }

TEST_F(BasicUnits, EditBoxWithoutDataIsSingleLineWhiteLeftAlignedUnlimited) {
  void* box = CreateUnit(forms::EditBoxInterface, parent_, {});
  ASSERT_NE(box, nullptr);
  HWND w = WindowOf(box);
  LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_FALSE(style & ES_MULTILINE);
  EXPECT_FALSE(style & (ES_CENTER | ES_RIGHT));
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & WS_CLIPSIBLINGS);
  EXPECT_GE(SendMessageA(w, EM_GETLIMITTEXT, 0, 0), 30000);
  EXPECT_EQ(Get(forms::EditBoxInterface, box, 3).first, 0xFFFFFFu);
  EXPECT_EQ(UnitOfWindow(w), box);
}

TEST_F(BasicUnits, TheLogBoxIsMultiLineAndReadOnlyAndKeepsEnter) {
  forms::EditBoxData log;
  log.multiLine = 1;
  log.inputMode = 1;
  void* box = CreateUnit(forms::EditBoxInterface, parent_, forms::EncodeBlock(log));
  ASSERT_NE(box, nullptr);
  LONG style = GetWindowLongA(WindowOf(box), GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_FALSE(style & WS_VSCROLL);
  auto wantsKey = reinterpret_cast<UnitWantsKeyFn>(forms::EditBoxInterface(unitif::WantsKey));
  EXPECT_EQ(wantsKey(box, VK_RETURN), 1u);
  EXPECT_EQ(wantsKey(box, VK_TAB), 0u);
}

TEST_F(BasicUnits, EditContentWritesReadsAndRoundTripsThroughItsData) {
  void* box = CreateUnit(forms::EditBoxInterface, parent_, {});
  Set(forms::EditBoxInterface, box, 0, Text("电影ID 10001"));
  EXPECT_EQ(forms::WindowTextOf(WindowOf(box)), "电影ID 10001");
  EXPECT_EQ(TextAt(Get(forms::EditBoxInterface, box, 0)), "电影ID 10001");
  auto decoded = forms::DecodeBlock<forms::EditBoxData>(
      {DataOf(forms::EditBoxInterface, box).data(), static_cast<uint32_t>(DataOf(forms::EditBoxInterface, box).size())});
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->content, "电影ID 10001");
  Set(forms::EditBoxInterface, box, 0, Text(nullptr));
  EXPECT_EQ(forms::WindowTextOf(WindowOf(box)), "");
}

TEST_F(BasicUnits, IntegerTextBoxesDropOtherCharactersAndByteBoxesClamp) {
  forms::EditBoxData integer;
  integer.inputMode = 3;
  void* box = CreateUnit(forms::EditBoxInterface, parent_, forms::EncodeBlock(integer));
  for (char c : std::string("-1a2.b3"))
    SendMessageA(WindowOf(box), WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(forms::WindowTextOf(WindowOf(box)), "-123");

  forms::EditBoxData byteMode;
  byteMode.inputMode = 5;
  void* small = CreateUnit(forms::EditBoxInterface, parent_, forms::EncodeBlock(byteMode));
  SetFocus(WindowOf(small));
  for (char c : std::string("3-00"))
    SendMessageA(WindowOf(small), WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(forms::WindowTextOf(WindowOf(small)), "300");
  SetFocus(WindowOf(box));  // leaving the box corrects the number into 0 ... 255
  Pump();
  EXPECT_EQ(forms::WindowTextOf(WindowOf(small)), "255");
}

TEST_F(BasicUnits, StyleChangesAskForANewControlOnlyWhenTheyChange) {
  void* box = CreateUnit(forms::EditBoxInterface, parent_, {});
  EXPECT_EQ(Set(forms::EditBoxInterface, box, 7, {0, 0}), 0u);  // multi-line already 0
  EXPECT_EQ(Set(forms::EditBoxInterface, box, 7, {1, 0}), 1u);
  EXPECT_EQ(Set(forms::EditBoxInterface, box, 6, {5, 0}), 0u);  // a length limit applies at once
  EXPECT_EQ(SendMessageA(WindowOf(box), EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(BasicUnits, ProgressBarClampsAndKeepsWhatWasWritten) {
  forms::ProgressBarData bar;
  bar.smooth = 1;
  void* unit = CreateUnit(forms::ProcessBarInterface, parent_, forms::EncodeBlock(bar));
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & PBS_SMOOTH);
  Set(forms::ProcessBarInterface, unit, 5, {150, 0});
  EXPECT_EQ(SendMessageA(w, PBM_GETPOS, 0, 0), 100);  // a full bar
  EXPECT_EQ(Get(forms::ProcessBarInterface, unit, 5).first, 150u);
  Set(forms::ProcessBarInterface, unit, 5, {static_cast<uint32_t>(-5), 0});
  EXPECT_EQ(Get(forms::ProcessBarInterface, unit, 5).first, 0u);
  Set(forms::ProcessBarInterface, unit, 5, {33, 0});
  EXPECT_EQ(SendMessageA(w, PBM_GETPOS, 0, 0), 33);
  EXPECT_EQ(Set(forms::ProcessBarInterface, unit, 2, {7, 0}), 0u);  // 7 counts as 1: unchanged
  EXPECT_EQ(Set(forms::ProcessBarInterface, unit, 2, {0, 0}), 1u);  // smooth off needs a new control
  Set(forms::ProcessBarInterface, unit, 4, {50, 0});
  EXPECT_EQ(SendMessageA(w, PBM_GETRANGE, FALSE, 0), 50);
}

TEST_F(BasicUnits, ProgressBarShowsItsPositionAgainWhenARangeChangeHadClampedIt) {
  void* unit = CreateUnit(forms::ProcessBarInterface, parent_, forms::EncodeBlock(forms::ProgressBarData{}));
  ASSERT_NE(unit, nullptr);
  HWND w = WindowOf(unit);
  Set(forms::ProcessBarInterface, unit, 5, {80, 0});
  Set(forms::ProcessBarInterface, unit, 5, {80, 0});  // the same again changes nothing
  EXPECT_EQ(SendMessageA(w, PBM_GETPOS, 0, 0), 80);
  Set(forms::ProcessBarInterface, unit, 4, {50, 0});
  EXPECT_EQ(SendMessageA(w, PBM_GETPOS, 0, 0), 50);  // the control keeps to its range
  Set(forms::ProcessBarInterface, unit, 4, {100, 0});
  EXPECT_EQ(SendMessageA(w, PBM_GETPOS, 0, 0), 80);
  Set(forms::ProcessBarInterface, unit, 3, {90, 0});
  EXPECT_EQ(SendMessageA(w, PBM_GETPOS, 0, 0), 90);
  Set(forms::ProcessBarInterface, unit, 3, {0, 0});
  EXPECT_EQ(SendMessageA(w, PBM_GETPOS, 0, 0), 80);
}

// A new position or caption is the control's at once and is painted with the window's next
// paint, not while it is written; once painted the control is clean, and the next change shows.
TEST_F(BasicUnits, NewPositionsAndCaptionsWaitForThePaintAndEveryChangeIsPainted) {
  UpdateWindow(parent_);
  Pump();
  void* bar = CreateUnit(forms::ProcessBarInterface, parent_, forms::EncodeBlock(forms::ProgressBarData{}));
  void* label = CreateUnit(forms::LabelInterface, parent_, forms::EncodeBlock(forms::LabelData{}));
  ASSERT_TRUE(bar && label);
  for (HWND w : {WindowOf(bar), WindowOf(label)}) UpdateWindow(w);
  auto invalid = [](void* unit) { return GetUpdateRect(WindowOf(unit), nullptr, FALSE) != FALSE; };
  ASSERT_FALSE(invalid(bar));
  ASSERT_FALSE(invalid(label));
  for (int round = 1; round <= 3; ++round) {
    for (int step = 1; step <= 5; ++step) {
      Set(forms::ProcessBarInterface, bar, 5, {static_cast<uint32_t>(round * 20 + step), 0});
      Set(forms::LabelInterface, label, 0, Text((std::to_string(step) + "/5").c_str()));
    }
    EXPECT_EQ(SendMessageA(WindowOf(bar), PBM_GETPOS, 0, 0), round * 20 + 5);
    EXPECT_EQ(forms::WindowTextOf(WindowOf(label)), "5/5");
    EXPECT_TRUE(invalid(bar)) << "round " << round;
    EXPECT_TRUE(invalid(label)) << "round " << round;
    UpdateWindow(WindowOf(bar));
    UpdateWindow(WindowOf(label));
    EXPECT_FALSE(invalid(bar)) << "round " << round;
    EXPECT_FALSE(invalid(label)) << "round " << round;
  }
}

// A visible label's text is its own at once; the window server's copy, which other programs
// read, follows with the paint. A hidden label, or one in a minimized window, is never painted
// soon, so the server has its text at once. Reading a text never overruns the reader's buffer.
TEST_F(BasicUnits, ALabelHandsItsTextToTheWindowServerWhenPainted) {
  UpdateWindow(parent_);
  Pump();
  forms::LabelData data;
  data.caption = "进度：";
  void* label = CreateUnit(forms::LabelInterface, parent_, forms::EncodeBlock(data));
  ASSERT_NE(label, nullptr);
  HWND w = WindowOf(label);
  UpdateWindow(w);
  auto serverText = [w] {
    wchar_t buffer[64] = {};
    int n = InternalGetWindowText(w, buffer, 64);
    char narrow[128] = {};
    WideCharToMultiByte(936, 0, buffer, n, narrow, sizeof narrow - 1, nullptr, nullptr);
    return std::string(narrow);
  };
  EXPECT_EQ(serverText(), "进度：");
  for (int i = 1; i <= 3; ++i) Set(forms::LabelInterface, label, 0, Text((std::to_string(i) + "/3").c_str()));
  EXPECT_EQ(forms::WindowTextOf(w), "3/3");
  EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 3);
  EXPECT_EQ(serverText(), "进度：") << "not yet painted";
  UpdateWindow(w);
  EXPECT_EQ(serverText(), "3/3");

  char small[3] = {'x', 'x', 'x'};
  EXPECT_EQ(SendMessageA(w, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
  EXPECT_EQ(std::string(small), "3/");
  EXPECT_EQ(SendMessageA(w, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);

  ShowWindow(w, SW_HIDE);
  Set(forms::LabelInterface, label, 0, Text("hidden"));
  EXPECT_EQ(serverText(), "hidden");
  ShowWindow(w, SW_SHOW);
  ShowWindow(parent_, SW_MINIMIZE);
  Set(forms::LabelInterface, label, 0, Text("minimized"));
  EXPECT_EQ(serverText(), "minimized");
  ShowWindow(parent_, SW_RESTORE);
  Pump();
}

TEST_F(BasicUnits, LabelCaptionAndButtonKinds) {
  forms::LabelData progress;
  progress.caption = "进度：";
  void* label = CreateUnit(forms::LabelInterface, parent_, forms::EncodeBlock(progress));
  ASSERT_NE(label, nullptr);
  char cls[32];
  GetClassNameA(WindowOf(label), cls, sizeof cls);
  EXPECT_STREQ(cls, "_WU_Label");
  EXPECT_EQ(forms::WindowTextOf(WindowOf(label)), "进度：");
  Set(forms::LabelInterface, label, 0, Text("37/500"));
  EXPECT_EQ(forms::WindowTextOf(WindowOf(label)), "37/500");
  UpdateWindow(WindowOf(label));

  forms::ButtonData ok;
  ok.caption = "确定";
  ok.kind = 1;
  void* button = CreateUnit(forms::ButtonInterface, parent_, forms::EncodeBlock(ok));
  auto isDefault = reinterpret_cast<UnitIsDefaultButtonFn>(forms::ButtonInterface(unitif::IsDefaultButton));
  EXPECT_EQ(isDefault(button), 1u);
  EXPECT_EQ(forms::WindowTextOf(WindowOf(button)), "确定");
  void* plain = CreateUnit(forms::ButtonInterface, parent_, {});
  EXPECT_EQ(isDefault(plain), 0u);
  EXPECT_EQ(forms::WindowTextOf(WindowOf(plain)), "按钮");
}

TEST_F(BasicUnits, BlocksFromANewerVersionOrCutShortAreRefused) {
  forms::ButtonData future;
  future.version = 2;
  EXPECT_EQ(CreateUnit(forms::ButtonInterface, parent_, forms::EncodeBlock(future)), nullptr);
  std::vector<uint8_t> cut = forms::EncodeBlock(forms::EditBoxData{});
  cut.resize(cut.size() - 3);
  EXPECT_EQ(CreateUnit(forms::EditBoxInterface, parent_, cut), nullptr);
}

}  // namespace
