// The search loop over a whole text: every match, left to right, each search restarting at the end
// of the previous match as if the text began there. Free of Boost and of Win32.
#pragma once
#include <cstddef>
#include <cstdint>

namespace rx {

struct Expression;

// Where one entry of a match lies: the whole match first, then each marked sub-expression.
struct MatchSpan {
  int32_t start;    // byte offset from the start of the searched text, 0-based
  int32_t length;   // in bytes
  uint8_t matched;  // 0: the sub-expression took no part; start is then the text's length, length 0
};

class MatchSink {
 public:
  // One call per match with all its spans. May throw: the loop then ends, keeping what it reported.
  virtual void OnMatch(const MatchSpan* spans, size_t count) = 0;

 protected:
  ~MatchSink() = default;
};

// Reports every match of `expression` in `length` bytes of `text`. An empty text, an expression
// with no pattern, or a matcher error reports nothing further; nothing escapes. False when the
// search ended early on an error (the matcher's complexity limit, memory, a sink that gave up).
bool SearchAll(const Expression& expression, const char* text, size_t length, bool multiLine,
               MatchSink& sink) noexcept;

}  // namespace rx
