#include "modules/regex/search_result_object.h"

#include <cstring>

#include "modules/regex/module_heap.h"

namespace rx {

SearchResultObject* NewResultObject(bool mayFail) {
  auto* object = static_cast<SearchResultObject*>(RuntimeAlloc(sizeof(SearchResultObject), mayFail));
  if (object) *object = SearchResultObject{nullptr, 0, 0};
  return object;
}

void AppendSpans(SearchResultObject& object, const MatchSpan* spans, size_t count) {
  if (count == 0) return;
  const uint32_t needed = object.count + static_cast<uint32_t>(count);
  if (needed > object.capacity) {
    uint32_t capacity = object.capacity ? object.capacity : 1;
    while (capacity < needed) capacity *= 2;
    void* grown = object.spans ? RuntimeResize(object.spans, capacity * sizeof(MatchSpan))
                               : RuntimeAlloc(capacity * sizeof(MatchSpan), false);
    if (!grown) return;  // only without a runtime to ask
    object.spans = static_cast<MatchSpan*>(grown);
    object.capacity = capacity;
  }
  std::memcpy(object.spans + object.count, spans, count * sizeof(MatchSpan));
  object.count = needed;
}

void FreeResultObject(SearchResultObject* object) {
  if (!object) return;
  RuntimeFree(object->spans);
  RuntimeFree(object);
}

}  // namespace rx
