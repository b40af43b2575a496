// The list file's row layout and the search window's line finding, on bytes as the program
// holds them (GBK), including files that are not the program's own.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/list_lines.h"
#include "modules/regex/regex_engine.h"
#include "modules/regex/search_loop.h"

namespace {

using app::LineSpan;

std::vector<std::string> Shown(const std::string& text, const std::vector<size_t>& found) {
  std::vector<LineSpan> lines = app::SplitLines(text.data(), text.size());
  std::vector<std::string> out;
  for (size_t l : found) out.emplace_back(text, lines[l].start, lines[l].length);
  return out;
}

std::vector<std::string> ByName(const std::string& text, const std::string& needle) {
  std::vector<LineSpan> lines = app::SplitLines(text.data(), text.size());
  return Shown(text, app::LinesWithNameContaining(text.c_str(), lines, needle));
}

TEST(ListFile, ARowIsNameBarIdAndLinkRunTogetherThenCrLf) {
  EXPECT_EQ(app::ListFileRow("电影A", "10001", "thunder-link-1"), "电影A|10001thunder-link-1\r\n");
  // Texts are written as held: a "|" or a line break inside a name is not escaped.
  EXPECT_EQ(app::ListFileRow("a|b\r\nc", "7", "thunder:x"), "a|b\r\nc|7thunder:x\r\n");
  EXPECT_EQ(app::ListFileRow("", "", ""), "|\r\n");
}

TEST(ListFile, LinesEndAtLfWithOrWithoutCr) {
  std::string text = "one\r\ntwo\nthree\r\n\r\nlast";
  EXPECT_EQ(Shown(text, {0, 1, 2, 3, 4}), (std::vector<std::string>{"one", "two", "three", "", "last"}));
  EXPECT_EQ(app::SplitLines(text.data(), text.size()).size(), 5u);
  EXPECT_EQ(app::SplitLines("a\r\n", 3).size(), 1u) << "a final line end starts no further line";
  EXPECT_TRUE(app::SplitLines("", 0).empty());
  // A lone CR is part of its line; a file without any LF is one line.
  std::string noLf = "x\ry\rz";
  ASSERT_EQ(app::SplitLines(noLf.data(), noLf.size()).size(), 1u);
  EXPECT_EQ(app::SplitLines(noLf.data(), noLf.size())[0].length, 5u);
}

TEST(FindLines, EachLineIsTestedOnceInFileOrderUntilATestGivesUp) {
  std::string text = "a1\r\nb\r\na2\r\nstop\r\na3\r\n";
  std::vector<LineSpan> lines = app::SplitLines(text.data(), text.size());
  std::vector<std::string> tested;
  app::FoundLines found = app::FindLines(text.c_str(), lines, [&](const char* line, size_t length) {
    tested.emplace_back(line, length);
    if (tested.back() == "stop") return app::LineVerdict::GaveUp;
    return line[0] == 'a' ? app::LineVerdict::Found : app::LineVerdict::NotFound;
  });
  EXPECT_EQ(tested, (std::vector<std::string>{"a1", "b", "a2", "stop"}));
  EXPECT_EQ(Shown(text, found.lines), (std::vector<std::string>{"a1", "a2"}));
  EXPECT_TRUE(found.gaveUp);
}

// The wrapped pattern matches a whole line exactly when the pattern itself is found in it.
class CountMatches final : public rx::MatchSink {
 public:
  void OnMatch(const rx::MatchSpan*, size_t) override { ++count; }
  size_t count = 0;
};
TEST(AnywhereInLinePattern, MatchesALineExactlyWhenThePatternIsFoundInIt) {
  const char* patterns[] = {"a|b", "^x", "x$", "(a)\\1", "\\d{3}", "星海", "(?i)abc", "a*", "[^|]+\\|1"};
  const char* lines[] = {"", "a", "b", "x1", "1x", "aa", "ab", "12", "123", "星海 1|1thunder:x", "ABC", "q\rx"};
  for (const char* p : patterns) {
    rx::Expression* plain = rx::NewExpression();
    rx::Expression* wrapped = rx::NewExpression();
    std::string w = app::AnywhereInLinePattern(p);
    ASSERT_TRUE(rx::CompilePattern(*plain, p, std::strlen(p), true)) << p;
    ASSERT_TRUE(rx::CompilePattern(*wrapped, w.c_str(), w.size(), true)) << w;
    for (const char* line : lines) {
      CountMatches sink;
      rx::SearchAll(*plain, line, std::strlen(line), true, sink);
      // The search over all matches makes none in an empty text; the pattern may still match it.
      bool found = *line ? sink.count > 0 : rx::MatchesWhole(*plain, "", 0, true);
      EXPECT_EQ(rx::MatchesWhole(*wrapped, line, std::strlen(line), true), found) << p << " on " << line;
    }
    rx::DeleteExpression(plain);
    rx::DeleteExpression(wrapped);
  }
}

TEST(MovieName, IsWhatStandsBeforeTheIdAndLink) {
  std::string name;
  std::string row = "星海 1|10001thunder://x";
  ASSERT_TRUE(app::MovieNameOf(row.data(), row.size(), name));
  EXPECT_EQ(name, "星海 1");
  std::string withBar = "a|b|12thunder:zz";
  ASSERT_TRUE(app::MovieNameOf(withBar.data(), withBar.size(), name));
  EXPECT_EQ(name, "a|b") << "a name may hold a bar of its own";
  std::string negative = "n|-4thunder:zz";
  ASSERT_TRUE(app::MovieNameOf(negative.data(), negative.size(), name));
  EXPECT_EQ(name, "n");
  std::string foreign = "key|value|more";
  ASSERT_TRUE(app::MovieNameOf(foreign.data(), foreign.size(), name));
  EXPECT_EQ(name, "key") << "without an ID and link, the bytes before the first bar";
  EXPECT_FALSE(app::MovieNameOf("no bar here", 11, name));
}

TEST(LinesWithNameContaining, PlainTextAsciiWithoutCaseNeverInsideACharacter) {
  std::string text =
      "Star Sea|1thunder://ABC\r\n"
      "星海归途 2|2thunder://star\r\n"  // "star" only in the link: not found by name
      "a.b*(c|3thunder://x\r\n"
      "no bar at all STAR\r\n";
  EXPECT_EQ(ByName(text, "STAR"), (std::vector<std::string>{"Star Sea|1thunder://ABC"}));
  EXPECT_EQ(ByName(text, "星海"), (std::vector<std::string>{"星海归途 2|2thunder://star"}));
  // Pattern characters are plain text.
  EXPECT_EQ(ByName(text, ".b*("), (std::vector<std::string>{"a.b*(c|3thunder://x"}));
  EXPECT_TRUE(ByName(text, ".*").empty());
  // 0xD0 0xC7 is 星; "\xC7\xBA" straddles 星 and 海 (0xBA 0xA3) and must not be found.
  EXPECT_TRUE(ByName(text, "\xC7\xBA").empty());
  // Only ASCII letters fold: the GBK bytes of a name are compared exactly.
  EXPECT_TRUE(ByName("\xC1\xC1|1thunder:\r\n", "\xE1\xC1").empty());
}

TEST(LinesWithNameContaining, ForeignFilesGiveAnAnswerWithoutReadingPastTheirEnd) {
  // A lone lead byte at the end of a name and of the file, binary bytes, no CR LF at all.
  std::string lone = "abc\xB0|1thunder:x\r\nxyz\xB0";
  EXPECT_EQ(ByName(lone, "c"), (std::vector<std::string>{"abc\xB0|1thunder:x"}));
  EXPECT_EQ(ByName(lone, "\xB0"), (std::vector<std::string>{"abc\xB0|1thunder:x"}));
  std::string binary;
  for (int i = 1; i < 256; ++i) binary += static_cast<char>(i);
  // Lines: bytes 1 to 9 (no bar), then twice 11 to 255 (and 1 to 9): names are the bytes before "|".
  EXPECT_EQ(ByName(binary + binary, "{").size(), 2u);
  EXPECT_TRUE(ByName(binary + binary, "}").empty());
  std::string longLine(1 << 20, 'q');
  EXPECT_EQ(ByName(longLine + "|1thunder:x", "QQQ").size(), 1u);
}

TEST(ResultText, LinesEndInCrLfAndTheRestBeyondTheLimitIsCounted) {
  std::string text = "a\nb\r\nc\r\nd";
  std::vector<LineSpan> lines = app::SplitLines(text.data(), text.size());
  auto note = [](size_t left) { return "+" + std::to_string(left) + "\r\n"; };
  EXPECT_EQ(app::ResultText(text.c_str(), lines, {0, 1, 2, 3}, 10, note), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(app::ResultText(text.c_str(), lines, {1, 3}, 10, note), "b\r\nd\r\n");
  EXPECT_EQ(app::ResultText(text.c_str(), lines, {0, 1, 2, 3}, 2, note), "a\r\nb\r\n+2\r\n");
  EXPECT_EQ(app::ResultText(text.c_str(), lines, {}, 2, note), "");
}

}  // namespace
