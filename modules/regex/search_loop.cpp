#include "modules/regex/search_loop.h"

#include <vector>

#include "modules/regex/expression.h"
#include "modules/regex/regex_flags.h"

namespace rx {
namespace {

using Match = boost::match_results<const char*>;

void SpansOf(const Match& m, const char* text, size_t length, std::vector<MatchSpan>& spans) {
  spans.clear();
  for (size_t i = 0; i < m.size(); ++i) {
    const auto& sub = m[static_cast<int>(i)];
    if (sub.matched)
      spans.push_back(MatchSpan{static_cast<int32_t>(sub.first - text), static_cast<int32_t>(sub.length()), 1});
    else
      spans.push_back(MatchSpan{static_cast<int32_t>(length), 0, 0});
  }
}

// Bytes taken by the character at `p`: two for a lead byte with a byte after it, else one.
size_t CharWidth(const char* p, const char* end) { return IsHighByte(*p) && p + 1 < end ? 2 : 1; }

}  // namespace

bool SearchAll(const Expression& expression, const char* text, size_t length, bool multiLine,
               MatchSink& sink) noexcept {
  const CompiledRegex& regex = expression.regex;
  // An empty expression is refused before Boost sees it: its matcher would read through the
  // missing pattern rather than throw.
  if (length == 0 || regex.empty() || (regex.flags() & boost::regex_constants::failbit)) return true;
  const char* const end = text + length;
  const auto flags = static_cast<boost::regex_constants::match_flag_type>(SearchFlags(multiLine));
  try {
    std::vector<MatchSpan> spans;
    Match m;
    const char* from = text;
    // No match_prev_avail: each search sees its starting point as the beginning of the text, so ^
    // matches there and look-behind and \b see nothing before it.
    while (boost::regex_search(from, end, m, regex, flags)) {
      SpansOf(m, text, length, spans);
      sink.OnMatch(spans.data(), spans.size());
      const char* matchEnd = m[0].second;
      if (matchEnd == text) break;  // an empty match at the very start ends the search
      if (m[0].first != matchEnd) {
        from = matchEnd;
        continue;
      }
      // An empty match further on would be found again by a search from its own end. Step over
      // one character (both bytes of a double-byte one) and search on, as a global match in Perl
      // does; an empty match at the end of the text is the last.
      if (matchEnd == end) break;
      from = matchEnd + CharWidth(matchEnd, end);
    }
  } catch (...) {
    // Matcher errors and a sink that gives up end the loop; what was reported stays reported.
    return false;
  }
  return true;
}

}  // namespace rx
