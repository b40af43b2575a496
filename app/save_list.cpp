// "保存": every row of the result list, as the list file holds it, into the file chosen in the
// main window's save dialog. The runtime writes the new content beside the file and puts it in
// place only once it is complete, so a failed save leaves an existing list as it was; the user
// is told which file was not saved.
#include <string>

#include "app/app_ids.h"
#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/image/program_image.h"
#include "app/list_lines.h"
#include "app/runtime_calls.h"
#include "image_constants.h"

namespace app {
namespace {

CmdArg ListUnit() { return UnitArg(ids::kMainWindow, ids::kMainList, tc::ListView); }

std::string Cell(int32_t row, int32_t column) {
  return TakeText(Call(mod::UiExt, cmd::ListViewGetCellText, {ListUnit(), MakeInt(row), MakeInt(column)}));
}

}  // namespace

HandlerResult __cdecl SaveList(const uint32_t*, uint32_t) {
  CmdArg dialog = UnitArg(ids::kMainWindow, ids::kMainFileDialog, tc::CommonDlg);
  if (!Call(mod::Core, cmd::DialogOpen, {dialog}).lo) return kNoValue;  // cancelled: nothing is written

  // Rows a running scan adds from here on are not part of this save.
  auto rows = static_cast<int32_t>(Call(mod::UiExt, cmd::ListViewRowCount, {ListUnit()}).lo);
  std::string content;
  for (int32_t r = 0; r < rows; ++r) content += ListFileRow(Cell(r, 0), Cell(r, 1), Cell(r, 2));

  CmdArg bytes = Call(mod::Core, cmd::ToBytes, {MakeText(content.c_str())});
  std::string path = ReadTextProperty(ids::kMainWindow, ids::kMainFileDialog, property::FileName);
  // An empty list gives an empty file: the write then has no byte array to take.
  CmdArg written = bytes.lo || bytes.hi ? Call(mod::Core, cmd::WriteWholeFile, {MakeText(path.c_str()), bytes})
                                        : Call(mod::Core, cmd::WriteWholeFile, {MakeText(path.c_str())});
  Release(bytes);
  if (!written.lo) {
    std::string text = std::string(ConstText(image::kSaveFailedStart)) + path + ConstText(image::kSaveFailedEnd);
    Call(mod::Core, cmd::ShowMessageBox,
         {MakeText(text.c_str()), MakeInt(box::Ok), MakeText(ConstText(image::kSaveFailedTitle))});
  }
  return kNoValue;
}

}  // namespace app
