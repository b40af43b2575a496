// What an expression handle holds. Only the engine's own Boost-compiling sources include this.
#pragma once
#include "modules/regex/gbk_regex_traits.h"

namespace rx {

struct Expression {
  CompiledRegex regex;  // empty until a pattern compiles
  // Set when the last whole-text match or search over all matches ended early: the matcher gave
  // up (its complexity limit, memory) or the matches could not be kept. Cleared when a match or
  // search runs to its end.
  bool searchStopped = false;
};

}  // namespace rx
