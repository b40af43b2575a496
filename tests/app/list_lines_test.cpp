// The list file's row layout and the search window's line finding, on bytes as the program
// holds them (GBK), including files that are not the program's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/list_lines.h"

namespace {

using app::LineSpan;
using app::MatchAt;

std::vector<std::string> Shown(const std::string& text, const std::vector<size_t>& found) {
  std::vector<LineSpan> lines = app::SplitLines(text.data(), text.size());
  std::vector<std::string> out;
  for (size_t l : found) out.emplace_back(text, lines[l].start, lines[l].length);
  return out;
}

// Every match of a plain needle, as the regex search would give them (non-overlapping, in order).
std::vector<MatchAt> Occurrences(const std::string& text, const std::string& needle) {
  std::vector<MatchAt> m;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
    m.push_back({at, needle.size()});
  return m;
}

struct Found {
  std::vector<std::string> lines;
  size_t reads;
};
Found ByMatches(const std::string& text, const std::vector<MatchAt>& matches) {
  std::vector<LineSpan> lines = app::SplitLines(text.data(), text.size());
  size_t reads = 0;
  auto found = app::LinesHoldingMatches(lines, matches.size(), [&](size_t i) {
    ++reads;
    return matches.at(i);
  });
  return {Shown(text, found), reads};
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

TEST(LinesHoldingMatches, EachLineOnceInFileOrder) {
  std::string text = "星海 1|1thunder://a\r\n长河 2|2thunder://b\r\n雪山 3|3thunder://ab\r\n";
  EXPECT_EQ(ByMatches(text, Occurrences(text, "a")).lines,
            (std::vector<std::string>{"星海 1|1thunder://a", "雪山 3|3thunder://ab"}));
  EXPECT_TRUE(ByMatches(text, {}).lines.empty());
  // An empty match holds the line where it stands; one at the very end, the last line.
  EXPECT_EQ(ByMatches(text, {{0, 0}}).lines, (std::vector<std::string>{"星海 1|1thunder://a"}));
  EXPECT_EQ(ByMatches(text, {{text.size(), 0}}).lines, (std::vector<std::string>{"雪山 3|3thunder://ab"}));
  // The line end belongs to its line.
  EXPECT_EQ(ByMatches(text, Occurrences(text, "a\r\n")).lines, (std::vector<std::string>{"星海 1|1thunder://a"}));
}

TEST(LinesHoldingMatches, AMatchAcrossLineEndsHoldsEveryLineItTouches) {
  std::string text = "l0\r\nl1 x\r\nl2\r\nl3 y\r\nl4\r\nl5\r\n";
  // "x\r\nl2\r\nl3" runs from line 1 into line 3.
  size_t from = text.find('x');
  EXPECT_EQ(ByMatches(text, {{from, text.find(" y") - from}}).lines,
            (std::vector<std::string>{"l1 x", "l2", "l3 y"}));
  // Several matches in one line, the last running on into the next lines, then one further on.
  std::string t2 = "aaa\r\nb\r\nc\r\nd a\r\n";
  std::vector<MatchAt> m = {{0, 1}, {1, 1}, {2, 6}, {14, 1}};  // the third covers "a\r\nb\r\n"
  EXPECT_EQ(ByMatches(t2, m).lines, (std::vector<std::string>{"aaa", "b", "d a"}));
}

TEST(LinesHoldingMatches, MatchesSharingALineArePassedOverByHalving) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += std::string(100, 'x') + "\r\n";
  std::vector<MatchAt> every;
  for (size_t p = 0; p < text.size(); ++p) every.push_back({p, 1});
  Found f = ByMatches(text, every);
  EXPECT_EQ(f.lines.size(), 1000u);
  // A read for the line's first match and about log2 of all matches to pass the rest, instead
  // of 102 reads a line.
  EXPECT_LT(f.reads, 20u * 1000u);
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
