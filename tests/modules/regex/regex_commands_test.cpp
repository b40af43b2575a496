// The module's commands as the application calls them.
#include <gtest/gtest.h>

#include "modules/regex/regex_module.h"
#include "tests/modules/regex/regex_test_kit.h"

using regextest::Found;
using regextest::RegexVar;

namespace {

class RegexCommands : public ::testing::Test {
 protected:
  void SetUp() override { regextest::StartRuntime(); }
};

TEST_F(RegexCommands, ConstructionSetsUpAnEmptyMultiLineExpression) {
  RegexVar re;
  EXPECT_NE(re.cell.expression, nullptr);
  EXPECT_EQ(re.cell.multiLine, 1u);
  // Never compiled: no match, and the search still gives an (empty) array.
  EXPECT_FALSE(re.Match(""));
  EXPECT_FALSE(re.Match("abc"));
  EXPECT_TRUE(re.SearchAll("abc").empty());
}

TEST_F(RegexCommands, CreateAnswersWhetherThePatternCompiledAndKeepsTheLastGoodOne) {
  RegexVar re;
  EXPECT_FALSE(re.Create("(ab"));
  EXPECT_FALSE(re.Match("ab")) << "an invalid first pattern leaves the expression empty";
  EXPECT_TRUE(re.SearchAll("ab").empty());

  EXPECT_TRUE(re.Create("a+"));
  EXPECT_FALSE(re.Create("[a-"));
  EXPECT_FALSE(re.Create("a{2,1}"));
  EXPECT_TRUE(re.Match("aaa")) << "a failed Create keeps the earlier pattern";
  EXPECT_FALSE(re.Match("aab"));

  EXPECT_TRUE(re.Create("b+")) << "a later good pattern replaces the earlier one";
  EXPECT_TRUE(re.Match("bb"));
  EXPECT_FALSE(re.Match("aaa"));
}

TEST_F(RegexCommands, MatchIsOverTheWholeSubject) {
  RegexVar re;
  ASSERT_TRUE(re.Create("a+"));
  EXPECT_TRUE(re.Match("aaa"));
  EXPECT_FALSE(re.Match("aab"));
  EXPECT_FALSE(re.Match("baa"));
  EXPECT_FALSE(re.Match(""));
  ASSERT_TRUE(re.Create("a*"));
  EXPECT_TRUE(re.Match("")) << "the empty subject matches a pattern that accepts nothing";
  EXPECT_TRUE(re.Match(nullptr)) << "a null text is the empty text";
}

TEST_F(RegexCommands, CaseSensitivityIsTheOptionalThirdArgument) {
  RegexVar re;
  ASSERT_TRUE(re.Create("abc"));
  EXPECT_FALSE(re.Match("ABC")) << "case-sensitive when omitted";
  ASSERT_TRUE(re.Create("abc", true));
  EXPECT_FALSE(re.Match("ABC"));
  ASSERT_TRUE(re.Create("abc", false));
  EXPECT_TRUE(re.Match("ABC"));
  EXPECT_TRUE(re.Match("aBc"));
  ASSERT_TRUE(re.Create("[A-C]+", false));
  EXPECT_EQ(re.SearchAll("xxabcyy"), (std::vector<Found>{{"abc", 2, {}}}));
}

TEST_F(RegexCommands, SearchAllFindsEveryMatchInOrderWithZeroBasedOffsets) {
  RegexVar re;
  ASSERT_TRUE(re.Create("\\d+"));
  EXPECT_EQ(re.SearchAll("ab12cd345ef6"), (std::vector<Found>{{"12", 2, {}}, {"345", 6, {}}, {"6", 11, {}}}));
  EXPECT_EQ(re.SearchAll("7"), (std::vector<Found>{{"7", 0, {}}}));
  EXPECT_TRUE(re.SearchAll("none here").empty());
  EXPECT_TRUE(re.SearchAll("").empty()) << "an empty subject gives an empty array, not null";
  EXPECT_TRUE(re.SearchAll(nullptr).empty());
}

TEST_F(RegexCommands, EachSearchRestartsAsTheBeginningOfTheText) {
  RegexVar re;
  ASSERT_TRUE(re.Create("^ab"));
  EXPECT_EQ(re.SearchAll("abab"), (std::vector<Found>{{"ab", 0, {}}, {"ab", 2, {}}}));
  EXPECT_EQ(re.SearchAll("abxab").size(), 1u) << "no match ends at 3, so ^ cannot hold there";
  // From offset 0 only the a matches; each restart then puts a word boundary before the next b.
  ASSERT_TRUE(re.Create("a|\\bb"));
  EXPECT_EQ(re.SearchAll("abb"), (std::vector<Found>{{"a", 0, {}}, {"b", 1, {}}, {"b", 2, {}}}));
}

TEST_F(RegexCommands, CaretAndDollarAlsoMatchAtLineBreaks) {
  RegexVar re;
  ASSERT_TRUE(re.Create("^b$"));
  EXPECT_EQ(re.SearchAll("a\nb\nc"), (std::vector<Found>{{"b", 2, {}}}));
  EXPECT_TRUE(re.Match("b"));
}

TEST_F(RegexCommands, EmptyMatchesEndTheSearch) {
  RegexVar re;
  ASSERT_TRUE(re.Create("x*"));
  EXPECT_EQ(re.SearchAll("abc"), (std::vector<Found>{{"", 0, {}}})) << "an empty match at offset 0 is the only one";
  // Empty matches further on are stepped over one character at a time; the one at the end is last.
  ASSERT_TRUE(re.Create("a*"));
  EXPECT_EQ(re.SearchAll("aab"), (std::vector<Found>{{"aa", 0, {}}, {"", 2, {}}, {"", 3, {}}}));
  EXPECT_EQ(re.SearchAll("aa"), (std::vector<Found>{{"aa", 0, {}}, {"", 2, {}}}));
  // A double-byte character is stepped over whole, never entered half-way.
  EXPECT_EQ(re.SearchAll("a中a"), (std::vector<Found>{{"a", 0, {}}, {"", 1, {}}, {"a", 3, {}}, {"", 4, {}}}));
}

TEST_F(RegexCommands, SubExpressionsFollowTheWholeMatch) {
  RegexVar re;
  ASSERT_TRUE(re.Create("(\\w+)=(\\d+)?(;)?"));
  std::vector<Found> found = re.SearchAll("id=42; name=");
  ASSERT_EQ(found.size(), 2u);
  const int32_t len = 12;
  ASSERT_EQ(found[0].spans.size(), 4u);
  EXPECT_EQ(found[0].text, "id=42;");
  auto span = [](const rx::MatchSpan& s) { return std::make_tuple(s.start, s.length, int{s.matched}); };
  EXPECT_EQ(span(found[0].spans[0]), std::make_tuple(0, 6, 1));
  EXPECT_EQ(span(found[0].spans[1]), std::make_tuple(0, 2, 1));
  EXPECT_EQ(span(found[0].spans[2]), std::make_tuple(3, 2, 1));
  EXPECT_EQ(span(found[0].spans[3]), std::make_tuple(5, 1, 1));
  ASSERT_EQ(found[1].spans.size(), 4u);
  EXPECT_EQ(found[1].text, "name=");
  EXPECT_EQ(span(found[1].spans[1]), std::make_tuple(7, 4, 1));
  // Groups that took no part: start at the searched text's length, length 0, not matched.
  EXPECT_EQ(span(found[1].spans[2]), std::make_tuple(len, 0, 0));
  EXPECT_EQ(span(found[1].spans[3]), std::make_tuple(len, 0, 0));
}

TEST_F(RegexCommands, GetTextCopiesTheMatchOutOfTheTextHandedIn) {
  RegexVar re;
  ASSERT_TRUE(re.Create("b+"));
  const char* subject = "aabbbcc";
  CmdArg r = regextest::Call(regexcmd::RegexSearchAll, {MakePtr(&re.cell, tc::Regex), MakeText(subject)});
  auto* block = static_cast<uint32_t*>(ArgPtr(r));
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(block[1], 1u);
  CmdArg cell = MakePtr(AddressElements(block)[0], tc::SearchResult);
  RuntimeServiceFn service = RegexLibService();

  CmdArg text = regextest::Call(regexcmd::SearchResultGetText, {cell, MakeText(subject)});
  ASSERT_NE(ArgText(text), nullptr) << "the offset argument is optional";
  EXPECT_STREQ(ArgText(text), "bbb");
  service(svc::Free, Word(ArgPtr(text)), 0);

  int32_t offset = -1;
  text = regextest::Call(regexcmd::SearchResultGetText, {cell, MakeText(subject), CmdArg{0, 0, 0}});
  EXPECT_STREQ(ArgText(text), "bbb") << "an omitted third argument";
  service(svc::Free, Word(ArgPtr(text)), 0);

  // A shorter text than the one searched: only what it still holds of the match.
  text = regextest::Call(regexcmd::SearchResultGetText, {cell, MakeText("xxyy"), MakePtr(&offset, tc::Integer)});
  EXPECT_STREQ(ArgText(text), "yy");
  EXPECT_EQ(offset, 2);
  service(svc::Free, Word(ArgPtr(text)), 0);
  text = regextest::Call(regexcmd::SearchResultGetText, {cell, MakeText("x")});
  EXPECT_EQ(ArgText(text), nullptr);
  text = regextest::Call(regexcmd::SearchResultGetText, {cell, MakeText(nullptr)});
  EXPECT_EQ(ArgText(text), nullptr);
  regextest::FreeResults(block);
}

TEST_F(RegexCommands, AnEmptySearchResultGivesTheEmptyText) {
  rx::SearchResultCell cell{};
  regextest::Call(regexcmd::SearchResultConstruct, {MakePtr(&cell, tc::SearchResult)});
  ASSERT_NE(cell.object, nullptr);
  int32_t offset = 77;
  CmdArg text = regextest::Call(regexcmd::SearchResultGetText,
                                {MakePtr(&cell, tc::SearchResult), MakeText("abc"), MakePtr(&offset, tc::Integer)});
  EXPECT_EQ(text.type, tc::Text);
  EXPECT_EQ(ArgText(text), nullptr);
  EXPECT_EQ(offset, 77) << "no match, no offset";
  regextest::Call(regexcmd::SearchResultDestroy, {MakePtr(&cell, tc::SearchResult)});
  EXPECT_EQ(cell.object, nullptr);
  regextest::Call(regexcmd::SearchResultDestroy, {MakePtr(&cell, tc::SearchResult)});  // twice is harmless
}

// A search the matcher gives up on (its complexity limit) keeps what it found and says it stopped;
// the next match or search that runs to its end clears that.
TEST_F(RegexCommands, AMatchOrSearchCutShortByTheMatchersLimitSaysSo) {
  RegexVar re;
  auto stopped = [&re] {
    return regextest::Call(regexcmd::RegexSearchStopped, {MakePtr(&re.cell, tc::Regex)}).lo != 0;
  };
  EXPECT_FALSE(stopped()) << "no search yet";
  ASSERT_TRUE(re.Create("(x+x+)+y"));
  std::string hostile = "ok xxy\r\n" + std::string(40, 'x') + "\r\n";
  EXPECT_EQ(re.SearchAll(hostile.c_str()), (std::vector<Found>{{"xxy", 3, {}}}));
  EXPECT_TRUE(stopped());
  EXPECT_EQ(re.SearchAll("xxy").size(), 1u);
  EXPECT_FALSE(stopped());
  EXPECT_TRUE(re.SearchAll("").empty());
  EXPECT_FALSE(stopped()) << "an empty text is searched to its end at once";
  // A whole-text match the matcher gives up on answers false and says it stopped.
  EXPECT_FALSE(re.Match(std::string(40, 'x').c_str()));
  EXPECT_TRUE(stopped());
  EXPECT_TRUE(re.Match("xxy"));
  EXPECT_FALSE(stopped());
  EXPECT_EQ(regextest::Call(regexcmd::RegexSearchStopped, {CmdArg{0, 0, 0}}).lo, 0u) << "no cell";
}

TEST_F(RegexCommands, NotifyKeepsTheServiceOnStartUpOnly) {
  RuntimeServiceFn service = RegexLibService();
  EXPECT_EQ(kRegexLibDescriptor.notify(notify::Exit, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(kRegexLibDescriptor.notify(3, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(RegexLibService(), service);
  EXPECT_EQ(kRegexLibDescriptor.notify(notify::Startup, ServiceWord(service), 0), 0u);
  EXPECT_EQ(kRegexLibDescriptor.commandCount, regexcmd::Count);
}

}  // namespace
