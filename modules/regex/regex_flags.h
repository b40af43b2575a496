// The Boost.Regex flag values the module passes, as plain numbers so the command code needs no
// Boost header. The engine checks them against Boost's own constants at compile time.
#pragma once
#include <cstdint>

namespace rx {
namespace flag {
// Syntax: Perl is 0.
constexpr uint32_t Perl = 0;
constexpr uint32_t Icase = 0x100000;
// Set on an expression that failed to compile without throwing.
constexpr uint32_t Failbit = 0x80000;
// Matching.
constexpr uint32_t MatchAny = 0x400;
constexpr uint32_t MatchSingleLine = 0x100000;
constexpr uint32_t FormatAll = 0x2000000;
}  // namespace flag

constexpr uint32_t SyntaxFlags(bool caseSensitive) { return flag::Perl | (caseSensitive ? 0 : flag::Icase); }
// With multi-line off, ^ and $ no longer match at line breaks.
constexpr uint32_t WholeMatchFlags(bool multiLine) {
  return flag::MatchAny | flag::FormatAll | (multiLine ? 0 : flag::MatchSingleLine);
}
constexpr uint32_t SearchFlags(bool multiLine) { return flag::FormatAll | (multiLine ? 0 : flag::MatchSingleLine); }

}  // namespace rx
