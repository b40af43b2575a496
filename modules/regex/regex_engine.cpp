#include "modules/regex/regex_engine.h"

#include <new>

#include "modules/regex/expression.h"
#include "modules/regex/regex_flags.h"

namespace rx {

static_assert(flag::Icase == boost::regex_constants::icase, "icase");
static_assert(flag::Failbit == boost::regex_constants::failbit, "failbit");
static_assert(flag::Perl == boost::regex_constants::perl, "perl");
static_assert(flag::MatchAny == boost::regex_constants::match_any, "match_any");
static_assert(flag::MatchSingleLine == boost::regex_constants::match_single_line, "match_single_line");
static_assert(flag::FormatAll == boost::regex_constants::format_all, "format_all");

Expression* NewExpression() noexcept {
  try {
    return new (std::nothrow) Expression();
  } catch (...) {  // the traits' own set-up can throw
    return nullptr;
  }
}

void DeleteExpression(Expression* expression) noexcept { delete expression; }

bool CompilePattern(Expression& expression, const char* pattern, size_t length, bool caseSensitive) noexcept {
  try {
    // Compiled aside and swapped in, so a bad pattern leaves the previous one in place.
    CompiledRegex compiled(pattern, pattern + length,
                           static_cast<boost::regex_constants::syntax_option_type>(SyntaxFlags(caseSensitive)));
    expression.regex.swap(compiled);
    return true;
  } catch (...) {
    return false;
  }
}

bool MatchesWhole(const Expression& expression, const char* text, size_t length, bool multiLine,
                  bool* gaveUp) noexcept {
  if (gaveUp) *gaveUp = false;
  // Boost reads through the missing pattern of an empty expression before it gets round to
  // complaining about it, so an expression that never compiled is answered here.
  if (expression.regex.empty()) return false;
  try {
    return boost::regex_match(text, text + length, expression.regex,
                              static_cast<boost::regex_constants::match_flag_type>(WholeMatchFlags(multiLine)));
  } catch (...) {  // complexity limits, memory
    if (gaveUp) *gaveUp = true;
    return false;
  }
}

void MarkSearchStopped(Expression& expression, bool stopped) noexcept { expression.searchStopped = stopped; }
bool SearchStopped(const Expression& expression) noexcept { return expression.searchStopped; }

}  // namespace rx
