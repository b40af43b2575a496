// RegexSearchAll: runs the search loop and hands every match to the caller as a SearchResult cell in
// a new one-dimensional array, all on the runtime heap.
#include <cstring>
#include <string>
#include <vector>

#include "modules/regex/command_args.h"
#include "modules/regex/module_heap.h"
#include "modules/regex/regex_cells.h"
#include "modules/regex/regex_commands.h"
#include "modules/regex/search_result_object.h"
#include "runtime/abi/module.h"

namespace rx {
namespace {

// Turns each match into a cell owning a result object.
class CellCollector final : public MatchSink {
 public:
  explicit CellCollector(std::vector<SearchResultCell*>& cells) : cells_(cells) {}

  void OnMatch(const MatchSpan* spans, size_t count) override {
    cells_.reserve(cells_.size() + 1);  // before allocating, so a full vector leaks nothing
    auto* cell = static_cast<SearchResultCell*>(RuntimeAlloc(sizeof(SearchResultCell), false));
    if (!cell) return;
    cell->object = NewResultObject(false);
    if (cell->object) AppendSpans(*cell->object, spans, count);
    cells_.push_back(cell);
  }

 private:
  std::vector<SearchResultCell*>& cells_;
};

// {1, n, cell pointers}; an empty search still gives a block.
void* ArrayOfCells(const std::vector<SearchResultCell*>& cells) {
  const uint32_t n = static_cast<uint32_t>(cells.size());
  auto* block = static_cast<uint32_t*>(RuntimeAlloc(static_cast<uint32_t>(8 + sizeof(SearchResultCell*) * n), false));
  if (!block) return nullptr;
  block[0] = 1;
  block[1] = n;
  // The elements are addresses, pointer-wide on either target, from offset 8 on.
  auto** elements = reinterpret_cast<SearchResultCell**>(block + 2);
  for (uint32_t i = 0; i < n; ++i) elements[i] = cells[i];
  return block;
}

}  // namespace

void __cdecl RegexSearchStopped(CmdArg* result, int32_t count, CmdArg* args) {
  const RegexCell* cell = CellArg<RegexCell>(count, args, 0);
  *result = MakeLogical(cell && cell->expression && SearchStopped(*cell->expression));
}

void __cdecl RegexSearchAll(CmdArg* result, int32_t count, CmdArg* args) {
  std::vector<SearchResultCell*> cells;
  try {
    const RegexCell* cell = CellArg<RegexCell>(count, args, 0);
    if (cell && cell->expression) {
      // The search runs over a private copy; the offsets are offsets into the caller's text all the same.
      const std::string subject = TextArg(count, args, 1);
      CellCollector collector(cells);
      MarkSearchStopped(*cell->expression, true);
      MarkSearchStopped(*cell->expression,
                        !SearchAll(*cell->expression, subject.data(), subject.size(), cell->multiLine != 0, collector));
    }
  } catch (...) {
    // Out of memory for the copy: the results found so far (none) are still handed back, and the
    // search counts as stopped.
  }
  *result = MakePtr(ArrayOfCells(cells), tc::SearchResult | tc::ArrayFlag);
}

}  // namespace rx
