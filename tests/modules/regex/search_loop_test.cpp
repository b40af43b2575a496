// The search loop on its own, without the runtime: what it reports and when it stops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/regex/regex_engine.h"
#include "modules/regex/search_loop.h"

namespace {

struct Spans : rx::MatchSink {
  std::vector<std::vector<rx::MatchSpan>> matches;
  int throwAfter = -1;  // give up after this many matches
  void OnMatch(const rx::MatchSpan* spans, size_t count) override {
    if (throwAfter >= 0 && static_cast<int>(matches.size()) == throwAfter) throw std::bad_alloc();
    matches.emplace_back(spans, spans + count);
  }
  std::vector<std::pair<int, int>> Whole() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& m : matches) out.emplace_back(m[0].start, m[0].length);
    return out;
  }
};

class Expr {
 public:
  explicit Expr(const char* pattern) : e_(rx::NewExpression()) {
    EXPECT_TRUE(rx::CompilePattern(*e_, pattern, std::char_traits<char>::length(pattern), true)) << pattern;
  }
  Expr() : e_(rx::NewExpression()) {}
  ~Expr() { rx::DeleteExpression(e_); }
  Spans Search(const std::string& text, bool multiLine = true, int throwAfter = -1) const {
    Spans s;
    s.throwAfter = throwAfter;
    rx::SearchAll(*e_, text.data(), text.size(), multiLine, s);
    return s;
  }
  rx::Expression* e_;
};

using Pairs = std::vector<std::pair<int, int>>;

TEST(SearchLoop, OffsetsCountFromTheStartOfTheTextAcrossRestarts) {
  Expr e("[a-z]+");
  EXPECT_EQ(e.Search("12ab 3cde 4f").Whole(), (Pairs{{2, 2}, {6, 3}, {11, 1}}));
}

TEST(SearchLoop, EndsOnEmptyMatchesWithoutRepeatingOne) {
  EXPECT_EQ(Expr("x*").Search("abc").Whole(), (Pairs{{0, 0}}));
  EXPECT_EQ(Expr("b*").Search("abbcb").Whole(), (Pairs{{0, 0}})) << "empty at 0 ends it even with matches ahead";
  EXPECT_EQ(Expr("a*").Search("aab").Whole(), (Pairs{{0, 2}, {2, 0}, {3, 0}}));
  EXPECT_EQ(Expr("(?=b)").Search("abab").Whole(), (Pairs{{1, 0}, {3, 0}})) << "look-ahead: empty matches on";
  EXPECT_EQ(Expr("$").Search("ab").Whole(), (Pairs{{2, 0}}));
}

TEST(SearchLoop, MultiLineSwitchDecidesWhetherCaretSeesLineStarts) {
  Expr e("^\\w");
  EXPECT_EQ(e.Search("a\nb\nc", true).Whole(), (Pairs{{0, 1}, {2, 1}, {4, 1}}));
  EXPECT_EQ(e.Search("a\nb\nc", false).Whole(), (Pairs{{0, 1}})) << "single-line: ^ only at the (re)start";
}

TEST(SearchLoop, NothingIsSearchedWithoutTextOrPattern) {
  EXPECT_TRUE(Expr("x*").Search("").matches.empty());
  EXPECT_TRUE(Expr().Search("abc").matches.empty()) << "never compiled";
  Expr failed;
  EXPECT_FALSE(rx::CompilePattern(*failed.e_, "a(", 2, true));
  EXPECT_TRUE(failed.Search("a(").matches.empty());
}

TEST(SearchLoop, AnErrorEndsTheLoopKeepingEarlierMatches) {
  Expr e("\\d");
  Spans s = e.Search("1 2 3 4", true, 2);
  EXPECT_EQ(s.Whole(), (Pairs{{0, 1}, {2, 1}}));
  // A search that outgrows the matcher's limits: the first match stands, the next search throws.
  Expr hard("(x+x+)+y|z");
  Spans h = hard.Search("z" + std::string(40, 'x'));
  EXPECT_EQ(h.Whole(), (Pairs{{0, 1}}));
}

TEST(SearchLoop, PatternBytesMayBeAnyLength) {
  // The pattern is taken by length, so bytes after it (here "|b") are not part of it.
  rx::Expression* e = rx::NewExpression();
  ASSERT_TRUE(rx::CompilePattern(*e, "a|b", 1, true));
  EXPECT_FALSE(rx::MatchesWhole(*e, "b", 1, true));
  EXPECT_TRUE(rx::MatchesWhole(*e, "a", 1, true));
  rx::DeleteExpression(e);
}

}  // namespace
