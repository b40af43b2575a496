#include "modules/listview/listview_commands.h"

#include <string>

#include "modules/listview/listview_unit.h"
#include "modules/listview/runtime_link.h"

namespace lv {
namespace {

const CmdArg* Given(int32_t count, const CmdArg* args, int32_t index) {
  if (!args || index >= count || args[index].type == tc::None) return nullptr;
  return &args[index];
}

// The control of the unit in argument 1; a unit that is not live (or not a list view) ends the program.
HWND ListOf(int32_t count, const CmdArg* args) {
  const CmdArg* unit = Given(count, args, 0);
  ListViewUnit* u = FromObject(unit ? FindUnitStrictly(unit->lo, unit->hi) : nullptr);
  if (!u || !u->Window()) ReportError("指定窗口或窗口组件不存在或尚未载入");
  return u->Window();
}

int32_t IntegerArg(int32_t count, const CmdArg* args, int32_t index, int32_t absent) {
  const CmdArg* a = Given(count, args, index);
  return a ? IntegerOf(*a) : absent;
}

const char* TextArg(int32_t count, const CmdArg* args, int32_t index) {
  const CmdArg* a = Given(count, args, index);
  const char* text = a ? ArgText(*a) : nullptr;
  return text ? text : "";
}

void SetInteger(CmdArg* result, int32_t value) {
  result->lo = static_cast<uint32_t>(value);
  result->hi = 0;
  result->type = tc::Integer;
}

}  // namespace

void __cdecl ListViewInsertRow(CmdArg* result, int32_t count, CmdArg* args) {
  HWND list = ListOf(count, args);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
  int32_t position = IntegerArg(count, args, 1, -1);
  item.iItem = position >= 0 ? position : static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<char*>(TextArg(count, args, 2));
  int32_t image = IntegerArg(count, args, 3, -1);
  item.iImage = image >= -1 ? image : -1;
  if (Given(count, args, 4)) {
    // The state image travels in the state field; naming its bits makes the control take it.
    int32_t state = IntegerArg(count, args, 4, 0) + 1;
    item.state = INDEXTOSTATEIMAGEMASK(state > 0 ? state : 0);
    item.stateMask = LVIS_STATEIMAGEMASK;
  }
  int32_t indent = IntegerArg(count, args, 5, 0);
  item.iIndent = indent > 0 ? indent : 0;
  item.lParam = static_cast<LPARAM>(IntegerArg(count, args, 6, 0));
  SetInteger(result, static_cast<int32_t>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item))));
}

void __cdecl ListViewSetCellText(CmdArg*, int32_t count, CmdArg* args) {
  HWND list = ListOf(count, args);
  int32_t row = IntegerArg(count, args, 1, 0);
  if (row < 0) return;  // a negative row would address every row
  LVITEMA item{};
  item.iSubItem = IntegerArg(count, args, 2, 0);
  item.pszText = const_cast<char*>(TextArg(count, args, 3));
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void __cdecl ListViewGetCellText(CmdArg* result, int32_t count, CmdArg* args) {
  HWND list = ListOf(count, args);
  int32_t row = IntegerArg(count, args, 1, 0);
  std::string text = row >= 0 ? CellText(list, row, IntegerArg(count, args, 2, 0)) : std::string();
  *result = MakeText(RuntimeText(text.data(), static_cast<uint32_t>(text.size())));
}

void __cdecl ListViewRowCount(CmdArg* result, int32_t count, CmdArg* args) {
  HWND list = ListOf(count, args);
  SetInteger(result, static_cast<int32_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
}

}  // namespace lv
