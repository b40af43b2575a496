// The log view in real windows: the edit messages a program sends it, the rows it wraps, how it
// follows appended text, what keys and the mouse select and copy, and the colours it paints
// with. Most tests drive the control in a parent of their own that records what the control
// tells it; the last ones go through the edit box unit of a loaded window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "forms/unit_data_blocks.h"
#include "forms/units/core_unit_types.h"
#include "forms/units/log_view.h"
#include "forms/units/unit_base.h"
#include "runtime/commands/core_commands.h"
#include "runtime/form_engine_port.h"
#include "runtime/interface_table.h"
#include "tests/forms/engine_image.h"
#include "tests/support/error_capture.h"

namespace {

using Selection = std::pair<DWORD, DWORD>;

LRESULT Send(HWND w, UINT message, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(w, message, wp, lp); }
LRESULT SendText(HWND w, UINT message, WPARAM wp, const char* text) {
  return SendMessageA(w, message, wp, reinterpret_cast<LPARAM>(text));
}

std::string TextOf(HWND w) {
  std::string s(static_cast<size_t>(Send(w, WM_GETTEXTLENGTH)) + 1, '\0');
  s.resize(static_cast<size_t>(SendText(w, WM_GETTEXT, s.size(), &s[0])));
  return s;
}

Selection SelectionOf(HWND w) {
  DWORD from = 0, to = 0;
  Send(w, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  return {from, to};
}

std::string RowOf(HWND w, int row) {
  char buffer[512];
  WORD room = sizeof buffer - 1;
  std::memcpy(buffer, &room, sizeof room);
  return std::string(buffer, static_cast<size_t>(SendText(w, EM_GETLINE, static_cast<WPARAM>(row), buffer)));
}
int Rows(HWND w) { return static_cast<int>(Send(w, EM_GETLINECOUNT)); }
int RowStart(HWND w, int row) { return static_cast<int>(Send(w, EM_LINEINDEX, static_cast<WPARAM>(row))); }
int FirstVisible(HWND w) { return static_cast<int>(Send(w, EM_GETFIRSTVISIBLELINE)); }

// As the program appends to a log: caret to the end, scroll to it, then the insert.
void Append(HWND w, const std::string& text) {
  LRESULT end = Send(w, WM_GETTEXTLENGTH);
  Send(w, EM_SETSEL, static_cast<WPARAM>(end), end);
  Send(w, EM_SCROLLCARET);
  SendText(w, EM_REPLACESEL, FALSE, text.c_str());
}

// Runs the message loop for about ms milliseconds: long enough for the view's refresh timer.
void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  } while (GetTickCount() - start < ms);
}

// A key press while the given keys are held, as the thread's key state reports them.
void Key(HWND w, WPARAM key, std::initializer_list<int> held = {}) {
  BYTE saved[256], now[256];
  GetKeyboardState(saved);
  std::memcpy(now, saved, sizeof now);
  for (int k : held) now[k] |= 0x80;
  SetKeyboardState(now);
  Send(w, WM_KEYDOWN, key, 1);
  SetKeyboardState(saved);
}

void Click(HWND w, int x, int y, WPARAM keys = 0) {
  Send(w, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
  Send(w, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

template <class Char>
std::basic_string<Char> Clipboard(UINT format) {
  std::basic_string<Char> text;
  for (int tries = 0; tries < 50 && !OpenClipboard(nullptr); ++tries) Sleep(10);
  if (HANDLE data = GetClipboardData(format)) {
    text = static_cast<const Char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring Wide(const std::string& gbk) {
  std::wstring w(gbk.size() + 1, L'\0');
  w.resize(static_cast<size_t>(
      MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), &w[0], static_cast<int>(w.size()))));
  return w;
}

// Text is drawn smoothed: a pixel counts as the colour when it is mostly that colour.
bool Reddish(COLORREF c) { return GetRValue(c) >= 200 && GetGValue(c) <= 128 && GetBValue(c) <= 128; }
bool Bluish(COLORREF c) { return GetBValue(c) >= 160 && GetRValue(c) <= 100 && GetGValue(c) <= 100; }

template <class Test>
int CountPixels(HWND w, RECT area, Test test) {
  HDC dc = GetDC(w);
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += test(GetPixel(dc, x, y)) ? 1 : 0;
  ReleaseDC(w, dc);
  return n;
}

// --- the control in a parent of the test's own, which answers with red text on white

std::vector<WORD> g_codes;  // the notifications the control sent, in order
LRESULT CALLBACK ParentProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_COMMAND && lp) g_codes.push_back(HIWORD(wp));
  if (message == WM_CTLCOLORSTATIC) {
    SetTextColor(reinterpret_cast<HDC>(wp), RGB(255, 0, 0));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  return DefWindowProcA(w, message, wp, lp);
}

class LogView : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LogViewTestParent";
    RegisterClassA(&wc);
    parent_ = CreateWindowExA(0, wc.lpszClassName, "log view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 700, 500,
                              nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent_, nullptr);
    dc_ = GetDC(parent_);
    SelectObject(dc_, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = metrics.tmHeight;
  }
  void TearDown() override {
    ReleaseDC(parent_, dc_);
    DestroyWindow(parent_);
  }

  // A box without a border, so that its client area is the size asked for.
  HWND Make(int width, int height, const char* text = "") {
    HWND w = CreateWindowExA(0, forms::LogViewClass(), text, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 0, 0,
                             width, height, parent_, reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
    Send(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    g_codes.clear();
    return w;
  }
  int Width(const std::string& gbk) const {
    std::wstring w = Wide(gbk);
    SIZE size{};
    GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
    return size.cx;
  }

  HWND parent_ = nullptr;
  HDC dc_ = nullptr;
  HFONT font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int lineHeight_ = 0;
};

TEST_F(LogView, TextRoundTripsAndNeitherAShortBufferNorASelectionEndsInsideACharacter) {
  HWND box = Make(300, 100, "\xD0\xF2");
  EXPECT_EQ(TextOf(box), "\xD0\xF2");
  // Characters start at 0, 2 (中文), 4, 5, 6 (" ab"), 7 (CR LF), 9, 11 (序号); the end is 13.
  const std::string text = "\xD6\xD0\xCE\xC4 ab\r\n\xD0\xF2\xBA\xC5";
  EXPECT_EQ(SendText(box, WM_SETTEXT, 0, text.c_str()), TRUE);
  EXPECT_EQ(g_codes, std::vector<WORD>{EN_CHANGE});
  EXPECT_EQ(TextOf(box), text);
  const size_t starts[] = {0, 2, 4, 5, 6, 7, 9, 11, 13};
  for (size_t size = 1; size <= text.size() + 2; ++size) {
    std::string buffer(size, '#');
    auto n = static_cast<size_t>(SendText(box, WM_GETTEXT, size, &buffer[0]));
    EXPECT_EQ(n, *std::prev(std::upper_bound(std::begin(starts), std::end(starts), size - 1))) << "buffer " << size;
    EXPECT_EQ(buffer.substr(0, n + 1), text.substr(0, n) + '\0');
  }
  Send(box, EM_SETSEL, 12, 3);  // the ends go back to their characters' starts
  EXPECT_EQ(SelectionOf(box), Selection(2, 11));
  Send(box, EM_SETSEL, 8, 1);  // between CR and LF
  EXPECT_EQ(SelectionOf(box), Selection(0, 7));
  Send(box, EM_SETSEL, 0, -1);
  EXPECT_EQ(SelectionOf(box), Selection(0, 13));
}

TEST_F(LogView, AppendsAndReplacesKeepTheExactTextAndEveryLineStart) {
  HWND box = Make(500, 200);
  std::string all;
  std::vector<int> starts;
  for (int i = 0; i < 60; ++i) {
    std::string line = "2026\xC4\xEA: \xD0\xF2\xBA\xC5 " + std::to_string(i) + "\r\n";
    starts.push_back(static_cast<int>(all.size()));
    Append(box, line);
    all += line;
  }
  Append(box, "x\r");  // a CR and its LF in different appends still end a line
  Append(box, "\n");
  all += "x\r\n";
  EXPECT_EQ(TextOf(box), all);
  EXPECT_EQ(g_codes.size(), 62u);
  EXPECT_EQ(SelectionOf(box), Selection(all.size(), all.size()));
  ASSERT_EQ(Rows(box), 62) << "61 lines and the empty one after the last CR LF";
  for (int i = 0; i < 60; ++i) EXPECT_EQ(RowStart(box, i), starts[i]) << "line " << i;
  EXPECT_EQ(RowStart(box, 62), -1);
  EXPECT_EQ(Send(box, EM_LINEFROMCHAR, all.size()), 61);

  // Line 1 replaced by two lines; the caret ends after the insert.
  Send(box, EM_SETSEL, starts[1], starts[2] - 2);
  SendText(box, EM_REPLACESEL, TRUE, "1a\r\n\xB6\xFE");
  EXPECT_EQ(SelectionOf(box), Selection(starts[1] + 6, starts[1] + 6));
  EXPECT_EQ(Rows(box), 63);
  EXPECT_EQ(RowOf(box, 1), "1a");
  EXPECT_EQ(RowOf(box, 2), "\xB6\xFE");
  EXPECT_EQ(RowStart(box, 3), starts[1] + 8);
  EXPECT_EQ(RowOf(box, 3), "2026\xC4\xEA: \xD0\xF2\xBA\xC5 2");
  // Taking out the break after line 0 joins it with the next.
  Send(box, EM_SETSEL, starts[1] - 2, starts[1]);
  SendText(box, EM_REPLACESEL, TRUE, "");
  EXPECT_EQ(Rows(box), 62);
  EXPECT_EQ(RowOf(box, 0), "2026\xC4\xEA: \xD0\xF2\xBA\xC5 01a");
  EXPECT_EQ(RowStart(box, 59), starts[59] - 10) << "line 1 is eight bytes shorter, and a break is gone";
  EXPECT_EQ(g_codes.size(), 64u);
}

TEST_F(LogView, TheLimitCutsAnInsertAtACharacterAndSaysSo) {
  HWND box = Make(300, 100, "ab");
  Send(box, EM_LIMITTEXT, 5);
  // Four characters, eight bytes, and room for three: a cut by bytes would split one.
  Send(box, EM_SETSEL, 2, 2);
  SendText(box, EM_REPLACESEL, FALSE, "\xD0\xF2\xBA\xC5\xCE\xAA\xB5\xC4");
  EXPECT_EQ(TextOf(box), "ab\xD0\xF2\xBA\xC5\xCE\xAA");
  EXPECT_EQ(SelectionOf(box), Selection(8, 8));
  EXPECT_EQ(g_codes, (std::vector<WORD>{EN_MAXTEXT, EN_CHANGE}));
  g_codes.clear();
  SendText(box, EM_REPLACESEL, FALSE, "z");  // full: nothing goes in, nothing changed
  EXPECT_EQ(TextOf(box), "ab\xD0\xF2\xBA\xC5\xCE\xAA");
  EXPECT_EQ(g_codes, std::vector<WORD>{EN_MAXTEXT});
  // What a replace takes out makes room: one double-byte character out, one character in.
  Send(box, EM_SETSEL, 2, 4);
  SendText(box, EM_REPLACESEL, FALSE, "xyz");
  EXPECT_EQ(TextOf(box), "abx\xBA\xC5\xCE\xAA");
  // A whole new text is not held to the limit, as with the edit control.
  SendText(box, WM_SETTEXT, 0, "1234567890");
  EXPECT_EQ(TextOf(box), "1234567890");
}

TEST_F(LogView, ALongLineWrapsAfterItsLastBlankThatFitsAndRewrapsWhenResized) {
  const std::string head = "alpha \xD6\xD0\xCE\xC4 gamma ";  // the first row, with room to spare
  const std::string text = head + "deltadelta epsilon";
  HWND box = Make(Width(head) + 12, 200, text.c_str());
  ASSERT_GT(Rows(box), 1);
  EXPECT_EQ(RowStart(box, 1), static_cast<int>(head.size()));
  EXPECT_EQ(RowOf(box, 0), head);
  EXPECT_EQ(Send(box, EM_LINEFROMCHAR, head.size() - 1), 0);
  EXPECT_EQ(Send(box, EM_LINEFROMCHAR, head.size()), 1);
  Click(box, 0, lineHeight_ + lineHeight_ / 2);  // a row's left edge is that row's start
  EXPECT_EQ(SelectionOf(box), Selection(head.size(), head.size()));
  MoveWindow(box, 0, 0, Width(text) + 20, 200, TRUE);
  EXPECT_EQ(Rows(box), 1);
  EXPECT_EQ(RowOf(box, 0), text);

  // A word wider than the box breaks where a row is full, but never inside a character.
  std::string word;
  for (int i = 0; i < 40; ++i) word += "\xD6\xD0";
  SendText(box, WM_SETTEXT, 0, word.c_str());
  MoveWindow(box, 0, 0, Width("\xD6\xD0\xD6\xD0\xD6\xD0") + 6, 300, TRUE);
  ASSERT_GT(Rows(box), 5);
  std::string joined;
  for (int row = 0; row < Rows(box); ++row) {
    EXPECT_EQ(RowStart(box, row) % 2, 0) << "row " << row;
    joined += RowOf(box, row);
  }
  EXPECT_EQ(joined, word);
}

// A line of a hundred thousand characters wraps into rows that put it together again, in a narrow
// box and in one wide enough for rows longer than the piece a row is first measured in.
TEST_F(LogView, AVeryLongLineWrapsIntoRowsThatMakeItUpAgain) {
  const std::string words = "ab cd ef gh ij kl mn op qr st uv wx yz ";
  std::string line;
  while (line.size() < 100000) line += words;
  // Rows of about 330 bytes are longer than the first piece measured, and shorter than RowOf reads.
  const int wide = Width(line.substr(0, 330)) + 8;
  for (int width : {Width("ab cd ef gh ij") + 8, wide}) {
    HWND box = Make(width, 200);
    SendText(box, WM_SETTEXT, 0, line.c_str());
    const int rows = Rows(box);
    ASSERT_GT(rows, 2);
    std::string joined;
    for (int row = 0; row < rows; ++row) joined += RowOf(box, row);
    EXPECT_EQ(joined, line) << width;
    // Every row but the last is as full as the first.
    for (int row = 1; row + 1 < rows; ++row) EXPECT_GE(RowOf(box, row).size() + 3, RowOf(box, 0).size()) << row;
    if (width == wide) {
      EXPECT_GT(RowOf(box, 0).size(), 300u);
    }
    DestroyWindow(box);
  }
}

// At every width the blank a row breaks at stays on that row, as in the edit control: no row
// starts with it, and none is left holding only it.
TEST_F(LogView, ABlankAtTheWrapPointStaysOnTheRowBeforeAtEveryWidth) {
  const std::string text = "aaaa bbbb cccc dddd eeee ffff gggg";
  HWND box = Make(100, 300, text.c_str());
  int widest = 0;
  for (const char* word : {"aaaa", "bbbb", "cccc", "dddd", "eeee", "ffff", "gggg"}) widest = std::max(widest, Width(word));
  // From the narrowest box whose rows, inside margins of two pixels, still hold any word.
  for (int width = widest + 4; width < Width(text); ++width) {
    MoveWindow(box, 0, 0, width, 300, FALSE);
    std::string joined;
    for (int row = 0, rows = Rows(box); row < rows; ++row) {
      std::string r = RowOf(box, row);
      joined += r;
      ASSERT_FALSE(r.empty());
      EXPECT_TRUE(r.front() != ' ' && (row + 1 == rows || r.back() == ' '))
          << "width " << width << " row " << row << " '" << r << "'";
    }
    ASSERT_EQ(joined, text) << "width " << width;
  }
}

// Five rows show; only the last row is wide, so red pixels far right show where it is painted.
TEST_F(LogView, AfterManyAppendsTheRefreshShowsTheLastRowAtTheBottomAndScrollingStopsThere) {
  const std::string wide(20, 'W');
  ASSERT_GT(Width(wide), 120);
  HWND box = Make(300, 5 * lineHeight_ + lineHeight_ / 2, "0");
  UpdateWindow(box);
  for (int i = 1; i < 120; ++i) Append(box, "\r\n" + (i < 119 ? std::to_string(i) : wide));
  PumpFor(150);
  EXPECT_FALSE(GetUpdateRect(box, nullptr, FALSE)) << "painted by the refresh";
  auto wideInRow = [&](int row) { return CountPixels(box, {80, row * lineHeight_, 296, (row + 1) * lineHeight_}, Reddish); };
  for (int row = 0; row < 4; ++row) EXPECT_EQ(wideInRow(row), 0) << "row " << row;
  EXPECT_GT(wideInRow(4), 0);
  ASSERT_EQ(Rows(box), 120);
  EXPECT_EQ(FirstVisible(box), 115);

  const std::pair<int, int> scrolls[] = {{-10, 105}, {3, 108}, {1000, 115}, {-1000, 0}};
  for (auto [by, top] : scrolls) {
    Send(box, EM_LINESCROLL, 0, by);
    EXPECT_EQ(FirstVisible(box), top) << "by " << by;
  }
  UpdateWindow(box);
  EXPECT_EQ(wideInRow(4), 0) << "the top rows are painted now";

  Send(box, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_GT(FirstVisible(box), 0) << "a notch down";
  int top = FirstVisible(box);  // a click lands on the row shown there
  Click(box, 0, 2 * lineHeight_ + 1);
  EXPECT_EQ(SelectionOf(box), Selection(RowStart(box, top + 2), RowStart(box, top + 2)));
  EXPECT_EQ(FirstVisible(box), top);
}

// Another thread appends with separate messages, and the box's thread may run its refresh (or
// a paint) between the scroll to the caret and the insert; the insert must still be shown.
TEST_F(LogView, AnAppendIsShownEvenWhenTheRefreshRanBetweenItsScrollAndItsInsert) {
  HWND box = Make(300, 5 * lineHeight_ + lineHeight_ / 2, "0");
  for (int i = 1; i < 20; ++i) Append(box, "\r\n" + std::to_string(i));
  PumpFor(100);
  ASSERT_EQ(FirstVisible(box), 15);
  LRESULT end = Send(box, WM_GETTEXTLENGTH);
  Send(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  Send(box, EM_SCROLLCARET);
  PumpFor(100);
  SendText(box, EM_REPLACESEL, FALSE, "\r\nlast");
  PumpFor(100);
  EXPECT_EQ(Rows(box), 21);
  EXPECT_EQ(FirstVisible(box), 16) << "the appended last row is below the box";
}

TEST_F(LogView, SelectAllAndCopyPutTheExactBytesOnTheClipboard) {
  const std::string text = "2026\xC4\xEA: \xD0\xF2\xBA\xC5\r\n\xB5\xDA 2 \xD0\xD0\r\n";
  HWND box = Make(400, 100, text.c_str());
  Key(box, 'A', {VK_CONTROL});
  EXPECT_EQ(SelectionOf(box), Selection(0, text.size()));
  Send(box, WM_COPY);
  EXPECT_EQ(Clipboard<char>(CF_TEXT), text);
  EXPECT_EQ(Clipboard<wchar_t>(CF_UNICODETEXT), Wide(text));
  Send(box, EM_SETSEL, 8, 12);
  Key(box, 'A');  // without Control, neither selects nor copies
  Key(box, 'C');
  EXPECT_EQ(SelectionOf(box), Selection(8, 12));
  EXPECT_EQ(Clipboard<char>(CF_TEXT), text);
  Key(box, 'C', {VK_CONTROL});
  EXPECT_EQ(Clipboard<char>(CF_TEXT), "\xD0\xF2\xBA\xC5");
  Send(box, EM_SETSEL, 3, 3);  // copying nothing leaves the clipboard as it was
  Send(box, WM_COPY);
  EXPECT_EQ(Clipboard<char>(CF_TEXT), "\xD0\xF2\xBA\xC5");
}

TEST_F(LogView, KeysAndTheMouseMoveByWholeCharactersAndShiftExtends) {
  HWND box = Make(400, 100, "a\xD0\xF2\r\nbc");  // characters at 0, 1, 3 (CR LF), 5, 6; end 7
  std::vector<DWORD> visited;
  for (int i = 0; i < 6; ++i) {
    Key(box, VK_RIGHT);
    visited.push_back(SelectionOf(box).second);
  }
  EXPECT_EQ(visited, (std::vector<DWORD>{1, 3, 5, 6, 7, 7}));
  for (int i = 0; i < 3; ++i) Key(box, VK_LEFT, {VK_SHIFT});
  EXPECT_EQ(SelectionOf(box), Selection(3, 7)) << "CR LF is one step back too";
  Key(box, VK_HOME);
  EXPECT_EQ(SelectionOf(box), Selection(0, 0));
  Key(box, VK_END);
  EXPECT_EQ(SelectionOf(box), Selection(3, 3));
  Key(box, VK_DOWN, {VK_SHIFT});
  EXPECT_EQ(Send(box, EM_LINEFROMCHAR, SelectionOf(box).second), 1);
  Key(box, VK_END, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(SelectionOf(box), Selection(3, 7)) << "the anchor stays where the selection began";

  const std::string text = "abc \xD6\xD0\xCE\xC4 def\r\nsecond line";
  SendText(box, WM_SETTEXT, 0, text.c_str());
  g_codes.clear();
  int x = 2 + Width("abc \xD6\xD0") + Width("\xCE\xC4") / 4;  // a quarter into the second character
  Click(box, x, lineHeight_ / 2);
  EXPECT_EQ(SelectionOf(box), Selection(6, 6));
  ASSERT_FALSE(g_codes.empty());
  EXPECT_EQ(g_codes.front(), EN_SETFOCUS) << "a click takes the focus";
  Send(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, lineHeight_ / 2));
  EXPECT_EQ(SelectionOf(box), Selection(4, 8)) << "the word";
  Send(box, WM_LBUTTONUP, 0, 0);
  int row1 = lineHeight_ + lineHeight_ / 2;
  Send(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 1));
  Send(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2 + Width("second"), row1));
  Send(box, WM_LBUTTONUP, 0, MAKELPARAM(2 + Width("second"), row1));
  Send(box, WM_MOUSEMOVE, 0, MAKELPARAM(0, 1));  // the button is up: the drag is over
  EXPECT_EQ(SelectionOf(box), Selection(0, text.find(" line")));
  Click(box, 0, row1);
  Click(box, 2 + Width("abc"), 1, MK_SHIFT);
  EXPECT_EQ(SelectionOf(box), Selection(3, text.find("second")));
}

// --- through the edit box unit of a loaded window

constexpr uint32_t kW = 0x52000011, kWOwn = 0x06000110, kLog = 0x16000012;
int g_changes = 0;
HandlerResult __cdecl LogChanged(const uint32_t*, uint32_t) {
  ++g_changes;
  return {0, 0, 0};
}
const EventHandlerFn kCode[] = {nullptr, LogChanged};

class LogBoxUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    testerr::PrintErrorsInsteadOfBox();
    forms::EditBoxData log;
    log.multiLine = 1;
    log.inputMode = 1;  // read-only and without scroll bars: the log view
    log.textColour = RGB(255, 0, 0);
    log.background = RGB(255, 255, 0);
    log.content = "WWWWWWWW \xD6\xD0\xCE\xC4";
    engineimg::Start(engineimg::WindowWithEditBox(kW, kWOwn, kLog, "log", log, 300, 120, {{0, 0}}), &kCode[1]);
    ASSERT_EQ(forms::LoadWindow(kW, nullptr, false), 0);
    log_ = forms::UnitWindow(kW, kLog);
    ASSERT_NE(log_, nullptr);
    GetClientRect(log_, &client_);
    g_changes = 0;
  }
  void TearDown() override { DestroyWindow(GetParent(log_)); }
  HWND log_ = nullptr;
  RECT client_{};
};

TEST_F(LogBoxUnit, EveryAppendRaisesOneChangeEventAndIsFollowed) {
  char cls[32] = {};
  GetClassNameA(log_, cls, sizeof cls);
  EXPECT_STREQ(cls, forms::LogViewClass());
  std::string all = TextOf(log_);
  for (int i = 0; i < 40; ++i) {
    std::string line = "\r\n\xD0\xF2\xBA\xC5 " + std::to_string(i);
    CmdArg args[2] = {CmdArg{kW, kLog, tc::EditBox}, MakeText(line.c_str())};
    rt::kInterfaceTable.callCoreCommand(kCoreCommands[core::AppendText], 2, args);
    all += line;
  }
  EXPECT_EQ(TextOf(log_), all);
  EXPECT_EQ(g_changes, 40);
  engineimg::Pump(10);
  ASSERT_EQ(Rows(log_), 41);
  HDC dc = GetDC(log_);
  SelectObject(dc, reinterpret_cast<HFONT>(Send(log_, WM_GETFONT)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  ReleaseDC(log_, dc);
  EXPECT_EQ(FirstVisible(log_), 41 - client_.bottom / metrics.tmHeight) << "the last row shows at the bottom";
  SetWindowTextA(log_, "new");
  EXPECT_EQ(g_changes, 41);
}

TEST_F(LogBoxUnit, ItPaintsWithTheUnitsColoursAndGreyWhenDisabled) {
  HideCaret(log_);  // the loaded window gives the box the focus, and the caret inverts pixels
  UpdateWindow(log_);
  HDC dc = GetDC(log_);
  EXPECT_EQ(GetPixel(dc, client_.right - 2, client_.bottom - 2), RGB(255, 255, 0)) << "the unit's background";
  ReleaseDC(log_, dc);
  EXPECT_GT(CountPixels(log_, client_, Reddish), 0);
  EXPECT_EQ(CountPixels(log_, client_, Bluish), 0);
  auto changed = reinterpret_cast<UnitPropertyChangedFn>(forms::EditBoxInterface(unitif::PropertyChanged));
  changed(UnitOfWindow(log_), 2, PropertyPair{RGB(0, 0, 255), 0}, 0);
  UpdateWindow(log_);
  EXPECT_EQ(CountPixels(log_, client_, Reddish), 0);
  EXPECT_GT(CountPixels(log_, client_, Bluish), 0);
  EnableWindow(log_, FALSE);
  UpdateWindow(log_);
  EXPECT_EQ(CountPixels(log_, client_, Bluish), 0);
  EXPECT_GT(CountPixels(log_, client_, [](COLORREF c) { return c != RGB(255, 255, 0); }), 0) << "grey text";
}

}  // namespace
