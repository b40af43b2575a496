// The log view's text: where its lines start however the text was put together, and how
// positions step over GBK double-byte characters and CR LF.
#include "forms/units/log_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using forms::LogText;
using Starts = std::vector<size_t>;

Starts StartsOf(const LogText& t) {
  Starts starts;
  for (size_t line = 0; line < t.LineCount(); ++line) starts.push_back(t.LineStart(line));
  return starts;
}

// The starts a text has on its own: 0 and just after every CR LF.
Starts StartsIn(const std::string& s) {
  Starts starts{0};
  for (size_t at = 0; at + 1 < s.size(); ++at)
    if (s[at] == '\r' && s[at + 1] == '\n') starts.push_back(at + 2);
  return starts;
}

TEST(LogText, PiecewiseAppendsAndEditsInTheMiddleKeepTheLineStarts) {
  LogText t;
  t.Replace(0, 0, "ab\r\n");
  t.Replace(4, 4, "\xD0\xF2\r\nef\r");  // appends come in pieces, so a CR can come without its LF
  EXPECT_EQ(StartsOf(t), (Starts{0, 4, 8}));
  EXPECT_EQ(t.LineEnd(2), 11u) << "a lone CR is the line's own text";
  t.Replace(11, 11, "\n");
  EXPECT_EQ(StartsOf(t), (Starts{0, 4, 8, 12}));
  EXPECT_EQ(t.LineEnd(1), 6u);
  EXPECT_EQ(t.LineEnd(2), 10u);
  // Something put between CR and LF undoes that break; taking it out again restores it.
  t.Replace(3, 3, "X");
  EXPECT_EQ(StartsOf(t), (Starts{0, 9, 13}));
  t.Replace(3, 4, "");
  EXPECT_EQ(StartsOf(t), (Starts{0, 4, 8, 12}));
  // Breaks inserted in place of a middle line's text; the lines after it shift.
  EXPECT_LE(t.Replace(4, 6, "A\r\nB"), 1u);
  EXPECT_EQ(t.Text(), "ab\r\nA\r\nB\r\nef\r\n");
  EXPECT_EQ(StartsOf(t), (Starts{0, 4, 7, 10, 14}));
  t.Replace(99, 100, "!");  // ends beyond the text are brought inside it
  EXPECT_EQ(t.Text(), "ab\r\nA\r\nB\r\nef\r\n!");
  t.Replace(0, t.Size(), "");
  EXPECT_EQ(StartsOf(t), (Starts{0}));
}

// Whatever edits made a text, its index is the one the text has on its own, and the lines up
// to the one Replace reports as the first changed kept their starts.
TEST(LogText, RandomEditsLeaveTheIndexOfTheResultingText) {
  std::mt19937 random(20261209);
  const char bytes[] = {'a', '\r', '\n', '\xD0'};
  LogText t;
  std::string mirror;
  for (int round = 0; round < 3000; ++round) {
    size_t from = random() % (mirror.size() + 1);
    size_t to = std::min(mirror.size(), from + random() % 4);
    std::string insert;
    for (size_t n = random() % 5; n > 0; --n) insert += bytes[random() % 4];
    Starts before = StartsOf(t);
    size_t changed = t.Replace(from, to, insert);
    mirror.replace(from, to - from, insert);
    ASSERT_EQ(t.Text(), mirror);
    ASSERT_EQ(StartsOf(t), StartsIn(mirror)) << "round " << round;
    for (size_t line = 0; line <= changed && line < before.size(); ++line) ASSERT_EQ(t.LineStart(line), before[line]);
    if (mirror.size() > 200) {
      t.Replace(0, 100, "");
      mirror.erase(0, 100);
    }
  }
}

TEST(LogText, APositionAtALineEndOrInsideItsCrLfBelongsToThatLine) {
  LogText t;
  t.Assign("ab\r\n\r\ncd");
  const size_t line[] = {0, 0, 0, 0, 1, 1, 2, 2, 2};
  for (size_t p = 0; p <= 8; ++p) EXPECT_EQ(t.LineOf(p), line[p]) << "at " << p;
  EXPECT_EQ(t.LineOf(50), 2u);
}

// Trail bytes can look like lead bytes or like ASCII, so only a walk from the line's start finds
// where characters begin. Texts made of known characters, checked at every byte: a position
// inside a character (or between CR and LF) belongs to it, and steps visit each once each way.
TEST(LogText, StepsTakeDoubleByteCharactersAndCrLfWholeInMixedTexts) {
  // Each choice adds one or more characters; a lead byte alone before CR LF is one of its own.
  const std::vector<std::vector<std::string>> choices = {
      {"a"}, {" "}, {"\xD0\xF2"}, {"\xD0\xD0"}, {"\x81\x40"}, {"\x81\x5C"}, {"\r\n"}, {"\xD0", "\r\n"}};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string s;
    Starts starts;
    for (size_t n = random() % 30; n > 0; --n)
      for (const std::string& character : choices[random() % choices.size()]) {
        starts.push_back(s.size());
        s += character;
      }
    if (random() % 3 == 0) {  // a lead byte cut off at the very end
      starts.push_back(s.size());
      s += '\xD0';
    }
    starts.push_back(s.size());
    LogText t;
    t.Assign(s);
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
      for (size_t p = starts[i]; p < starts[i + 1]; ++p) ASSERT_EQ(t.Boundary(p), starts[i]) << "round " << round;
      ASSERT_EQ(t.Next(starts[i]), starts[i + 1]);
      ASSERT_EQ(t.Previous(starts[i + 1]), starts[i]);
    }
    // The text's ends stay where they are.
    ASSERT_EQ(t.Previous(0), 0u);
    ASSERT_EQ(t.Next(s.size()), s.size());
    ASSERT_EQ(t.Boundary(s.size() + 5), s.size());
  }
}

TEST(LogText, CountingAndCuttingNeverSplitACharacter) {
  const std::string s = "a\xD0\xF2\xBA\xC5" "b";
  EXPECT_EQ(LogText::CharCount(s, 0, s.size()), 4u);
  EXPECT_EQ(LogText::CharCount(s, 0, 2), 2u) << "a lead byte at the range's end is one character";
  EXPECT_EQ(LogText::CharCount("ab\xD0", 0, 3), 3u);
  EXPECT_EQ(LogText::CharCount("a\r\nb", 0, 4), 4u) << "CR and LF count as two towards a limit";
  const size_t cut[] = {0, 1, 3, 5, 6, 6};
  for (size_t n = 0; n < 6; ++n) EXPECT_EQ(LogText::CutToChars(s, n), cut[n]) << n << " characters";
  EXPECT_EQ(LogText::CutToChars("ab\xD0", 2), 2u);
  EXPECT_EQ(LogText::CutToChars("ab\xD0", 3), 3u);
  EXPECT_EQ(LogText::CutToChars("", 5), 0u);
}

}  // namespace
