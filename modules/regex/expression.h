// What an expression handle holds. Only the engine's own Boost-compiling sources include this.
#pragma once
#include "modules/regex/gbk_regex_traits.h"

namespace rx {

struct Expression {
  CompiledRegex regex;  // empty until a pattern compiles
};

}  // namespace rx
