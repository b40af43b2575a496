// The commands on a `SearchResult` cell: construct, destroy, and taking the matched text out.
#include <cstring>

#include "modules/regex/command_args.h"
#include "modules/regex/module_heap.h"
#include "modules/regex/regex_cells.h"
#include "modules/regex/regex_commands.h"
#include "modules/regex/search_result_object.h"

namespace rx {
namespace {

// Length of `text` up to its terminator, looking no further than `limit` bytes.
uint32_t BoundedLength(const char* text, uint32_t limit) {
  uint32_t n = 0;
  while (n < limit && text[n] != '\0') ++n;
  return n;
}

}  // namespace

void __cdecl SearchResultConstruct(CmdArg*, int32_t count, CmdArg* args) {
  SearchResultCell* cell = CellArg<SearchResultCell>(count, args, 0);
  if (cell) cell->object = NewResultObject(true);
}

void __cdecl SearchResultDestroy(CmdArg*, int32_t count, CmdArg* args) {
  SearchResultCell* cell = CellArg<SearchResultCell>(count, args, 0);
  if (!cell || !cell->object) return;
  FreeResultObject(cell->object);
  cell->object = nullptr;  // a second destroy finds nothing to free
}

void __cdecl SearchResultGetText(CmdArg* result, int32_t count, CmdArg* args) {
  *result = MakeText(nullptr);
  const SearchResultCell* cell = CellArg<SearchResultCell>(count, args, 0);
  if (!cell || !cell->object || cell->object->count == 0 || !cell->object->spans) return;
  const MatchSpan whole = cell->object->spans[0];
  if (!whole.matched || whole.start < 0 || whole.length < 0) return;
  if (const CmdArg* offsetArg = GivenArg(count, args, 2)) {
    if (auto* offset = static_cast<int32_t*>(ArgPtr(*offsetArg))) *offset = whole.start;
  }
  if (whole.length == 0) return;
  // The text handed in should be the one searched; when it is shorter, only the part of the match
  // that it still holds is copied, and nothing is read past its terminator.
  const char* text = TextArg(count, args, 1);
  const uint32_t start = static_cast<uint32_t>(whole.start);
  const uint32_t available = BoundedLength(text, start + static_cast<uint32_t>(whole.length));
  if (available <= start) return;
  const uint32_t length = available - start;
  auto* copy = static_cast<char*>(RuntimeAlloc(length + 1, false));
  if (!copy) return;
  std::memcpy(copy, text + start, length);
  copy[length] = '\0';
  *result = MakeText(copy);
}

}  // namespace rx
