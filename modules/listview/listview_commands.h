// The list view's commands. Argument 1 is the unit (window id in the low half, unit id in the
// high half). They reach the control through synchronous messages, so any thread may call them
// while the control's thread keeps pumping.
#pragma once
#include "runtime/abi/values.h"

namespace lv {

namespace cmd {
enum : uint32_t { InsertRow = 0, SetCellText, GetCellText, RowCount, Count };
}

void __cdecl ListViewInsertRow(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl ListViewSetCellText(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl ListViewGetCellText(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl ListViewRowCount(CmdArg* result, int32_t count, CmdArg* args);

}  // namespace lv
