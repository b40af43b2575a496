// Result objects on the runtime heap: made empty, grown by appending spans, freed with their spans.
#pragma once
#include <cstddef>

#include "modules/regex/regex_cells.h"

namespace rx {

// An empty object; null when mayFail and the heap has no room.
SearchResultObject* NewResultObject(bool mayFail);
// Appends spans, growing the span storage as needed (a failure to grow is the runtime's memory error).
void AppendSpans(SearchResultObject& object, const MatchSpan* spans, size_t count);
// Frees the spans and the object; null is ignored.
void FreeResultObject(SearchResultObject* object);

}  // namespace rx
