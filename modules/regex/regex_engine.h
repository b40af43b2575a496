// A compiled pattern behind an opaque handle, so the command code stays free of Boost. Nothing
// here throws: Boost's errors end as a false answer.
#pragma once
#include <cstddef>

namespace rx {

struct Expression;  // holds the compiled pattern; see expression.h

// An expression holding no pattern yet, or null when it cannot be allocated.
Expression* NewExpression() noexcept;
void DeleteExpression(Expression* expression) noexcept;

// Compiles `length` bytes of Perl-syntax pattern. On failure the expression keeps the pattern it
// had before (or stays empty) and the answer is false.
bool CompilePattern(Expression& expression, const char* pattern, size_t length, bool caseSensitive) noexcept;

// True when all `length` bytes of `text` match. False for an expression with no pattern, and when
// the matcher gives up (complexity limits, memory); `gaveUp`, when given, then says so.
bool MatchesWhole(const Expression& expression, const char* text, size_t length, bool multiLine,
                  bool* gaveUp = nullptr) noexcept;

// Whether the last whole-text match or search over all matches with this expression was cut
// short by the matcher; see Expression.
void MarkSearchStopped(Expression& expression, bool stopped) noexcept;
bool SearchStopped(const Expression& expression) noexcept;

}  // namespace rx
