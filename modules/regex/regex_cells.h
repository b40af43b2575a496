// The cells the compiled code allocates for variables of the module's two types, and the result
// object a SearchResult cell owns.
#pragma once
#include <cstdint>

#include "runtime/abi/values.h"

#include "modules/regex/regex_engine.h"
#include "modules/regex/search_loop.h"

namespace rx {

// A `regex` variable: two words, zeroed by the compiled code before construction.
struct RegexCell {
  Expression* expression;  // owned; null when it could not be allocated
  alignas(AddrWord) uint32_t multiLine;  // 1 from construction on: ^ and $ also match at line breaks
};
static_assert(sizeof(RegexCell) == 2 * sizeof(AddrWord), "regex cell is two words");

// What a SearchResult cell points to, on the runtime heap: the whole match's span, then one per
// marked sub-expression.
struct SearchResultObject {
  MatchSpan* spans;  // runtime heap block, null while empty
  uint32_t count;
  uint32_t capacity;
};

// A `SearchResult` variable: one word.
struct SearchResultCell {
  SearchResultObject* object;  // owned; null when it could not be allocated
};
static_assert(sizeof(SearchResultCell) == sizeof(AddrWord), "SearchResult cell is one word");

}  // namespace rx
