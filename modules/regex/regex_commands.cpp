// The commands on a `regex` cell: construct, destroy, compile, whole-text match.
#include "modules/regex/regex_commands.h"

#include <cstring>

#include "modules/regex/command_args.h"
#include "modules/regex/regex_cells.h"

namespace rx {

void __cdecl RegexConstruct(CmdArg*, int32_t count, CmdArg* args) {
  RegexCell* cell = CellArg<RegexCell>(count, args, 0);
  if (!cell) return;
  cell->expression = NewExpression();
  cell->multiLine = 1;
}

void __cdecl RegexDestroy(CmdArg*, int32_t count, CmdArg* args) {
  RegexCell* cell = CellArg<RegexCell>(count, args, 0);
  if (!cell || !cell->expression) return;
  DeleteExpression(cell->expression);
  cell->expression = nullptr;  // a second destroy finds nothing to free
}

void __cdecl RegexCreate(CmdArg* result, int32_t count, CmdArg* args) {
  *result = MakeLogical(false);
  RegexCell* cell = CellArg<RegexCell>(count, args, 0);
  if (!cell) return;
  const CmdArg* caseArg = GivenArg(count, args, 2);
  const bool caseSensitive = caseArg ? caseArg->lo != 0 : true;
  // A cell whose construction found no memory gets its expression now rather than never.
  if (!cell->expression) cell->expression = NewExpression();
  if (!cell->expression) return;
  const char* pattern = TextArg(count, args, 1);
  *result = MakeLogical(CompilePattern(*cell->expression, pattern, std::strlen(pattern), caseSensitive));
}

void __cdecl RegexMatch(CmdArg* result, int32_t count, CmdArg* args) {
  *result = MakeLogical(false);
  const RegexCell* cell = CellArg<RegexCell>(count, args, 0);
  if (!cell || !cell->expression) return;
  const char* subject = TextArg(count, args, 1);
  bool gaveUp = false;
  *result = MakeLogical(MatchesWhole(*cell->expression, subject, std::strlen(subject), cell->multiLine != 0, &gaveUp));
  MarkSearchStopped(*cell->expression, gaveUp);
}

}  // namespace rx
