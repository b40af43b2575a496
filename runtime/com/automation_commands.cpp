#include "runtime/com/automation_commands.h"

#include <windows.h>
#include <oleauto.h>

#include <cstring>

#include "runtime/com/automation_rules.h"
#include "runtime/com/call_outcome.h"
#include "runtime/com/member_call.h"
#include "runtime/com/object_cell.h"
#include "runtime/com/object_create.h"
#include "runtime/com/variant_values.h"

namespace rt::com {

namespace {
const char* TextOf(int32_t count, const CmdArg* args, int32_t index) {
  if (index >= count) return nullptr;
  CmdArg v = ReadThrough(args[index]);
  return v.type == tc::Text ? ArgText(v) : nullptr;
}
// The cell of a ComObject argument: the argument holds the variable's address either way.
ComObjectCell* CellOf(int32_t count, const CmdArg* args, int32_t index) {
  if (index >= count || ValueTypeOf(args[index].type) != tc::ComObject) return nullptr;
  return static_cast<ComObjectCell*>(ArgPtr(args[index]));
}
}  // namespace

void __cdecl CmdObjectCreate(CmdArg* r, int32_t count, CmdArg* args) {
  *r = MakeLogical(false);
  ComObjectCell* cell = CellOf(count, args, 0);
  const char* name = TextOf(count, args, 1);
  if (!cell || !name) return;
  *r = MakeLogical(CreateObject(cell, name, TextOf(count, args, 2)));
}

void __cdecl CmdObjectCallMethod(CmdArg* r, int32_t count, CmdArg* args) {
  VARIANT* block = NewVariantBlock();
  *r = MakePtr(block, tc::Variant);
  const ComObjectCell* cell = CellOf(count, args, 0);
  int32_t outcome = cell ? CallMember(cell, TextOf(count, args, 1), count > 2 ? args + 2 : nullptr,
                                      count > 2 ? static_cast<uint32_t>(count - 2) : 0u, block)
                         : kEmptyObject;
  if (outcome != kSuccess) std::memset(block, 0, sizeof(VARIANT));
  SetLastOutcome(outcome);
}

void __cdecl CmdVariantRelease(CmdArg*, int32_t count, CmdArg* args) {
  if (count < 1 || ValueTypeOf(args[0].type) != tc::Variant) return;
  auto* block = static_cast<VARIANT*>(ArgPtr(ReadThrough(args[0])));
  if (!block) return;
  VariantClear(block);
  std::memset(block, 0, sizeof(VARIANT));
}

void __cdecl CmdObjectRelease(CmdArg*, int32_t count, CmdArg* args) { ReleaseCell(CellOf(count, args, 0)); }

}  // namespace rt::com
