// The main window's events and the menu commands that need no scan.
#include "app/app_ids.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/image/program_image.h"
#include "app/runtime_calls.h"
#include "app/scan_one_id.h"
#include "image_constants.h"

namespace app {

HandlerResult __cdecl MainWindowCreated(const uint32_t*, uint32_t) {
  State().nextWorkerSlot = 1;
  State().scanLock = Call(mod::Thread, cmd::CreateSection).lo;
  CmdArg answer = Call(mod::Core, cmd::ShowMessageBox,
                       {MakeText(ConstText(image::kWarningText)), MakeInt(box::OkCancel),
                        MakeText(ConstText(image::kWarningTitle))});
  // Cancel, Esc and the box's close button all answer Cancel: the program ends before anything else.
  if (static_cast<int32_t>(answer.lo) == box::AnswerCancel) Exit(0);
  return kNoValue;
}

HandlerResult __cdecl MainWindowDestroying(const uint32_t*, uint32_t) {
  Call(mod::Thread, cmd::DeleteSection, {MakeInt(static_cast<int32_t>(State().scanLock))});
  return kNoValue;
}

HandlerResult __cdecl ListRightClicked(const uint32_t*, uint32_t) {
  CmdArg x = Call(mod::Core, cmd::MouseX);
  CmdArg y = Call(mod::Core, cmd::MouseY);
  Call(mod::Core, cmd::PopupMenu,
       {WindowArg(ids::kMainWindow, ids::kMainOwnRecord), MenuArg(ids::kMainWindow, ids::kMenuDownload), x, y});
  return kNoValue;
}

HandlerResult __cdecl OpenRangeWindow(const uint32_t*, uint32_t) {
  Call(mod::Core, cmd::LoadWindow, {WindowArg(ids::kRangeWindow, ids::kRangeOwnRecord), Omitted(), MakeLogical(true)});
  return kNoValue;
}

HandlerResult __cdecl OpenSearchWindow(const uint32_t*, uint32_t) {
  Call(mod::Core, cmd::LoadWindow,
       {WindowArg(ids::kSearchWindow, ids::kSearchOwnRecord), Omitted(), MakeLogical(true)});
  return kNoValue;
}

// "测试链接": the single ID 10000, on the window's thread, without the scan lock, bar or label.
HandlerResult __cdecl TestLink(const uint32_t*, uint32_t) {
  ScanOneId(10000);
  return kNoValue;
}

// "测试下载" does nothing by design.
HandlerResult __cdecl TestDownload(const uint32_t*, uint32_t) { return kNoValue; }

}  // namespace app
