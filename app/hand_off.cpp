// "下载选中的链接" (F7, and the list's pop-up menu): hands the selected row's link, with a file
// name made from its movie name, to the download manager's automation agent.
#include <string>
#include <vector>

#include "app/app_ids.h"
#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/image/program_image.h"
#include "app/runtime_calls.h"
#include "image_constants.h"

namespace app {

namespace {

constexpr int32_t kSelectedRowProperty = 35;  // the list's first selected row, -1 for none
constexpr TypeCode kByReference = tc::ArrayFlag;

CmdArg ListUnit() { return UnitArg(ids::kMainWindow, ids::kMainList, tc::ListView); }

char* CellText(int32_t row, int32_t column) {
  return static_cast<char*>(ArgPtr(Call(mod::UiExt, cmd::ListViewGetCellText, {ListUnit(), MakeInt(row), MakeInt(column)})));
}

// Calls a member of the agent and drops the variant it answers unread.
void CallAgent(void* agent, uint32_t member, std::initializer_list<CmdArg> args) {
  std::vector<CmdArg> list{MakePtr(agent, tc::ComObject), MakeText(ConstText(member))};
  list.insert(list.end(), args);
  CmdArg answer = Call(mod::Core, cmd::ObjectCallMethod, std::move(list));
  Call(mod::Core, cmd::VariantRelease, {answer});
  Release(ArgPtr(answer));
}

}  // namespace

HandlerResult __cdecl HandOffDownload(const uint32_t*, uint32_t) {
  // The selection is read once, so the link and the name always come from the same row; with no
  // row selected there is nothing to hand over.
  auto row = static_cast<int32_t>(static_cast<uint32_t>(ReadProperty(ids::kMainWindow, ids::kMainList, kSelectedRowProperty)));
  if (row < 0) return kNoValue;
  char* link = CellText(row, 2);
  char* name = CellText(row, 0);
  std::string file = std::string(name ? name : "") + ConstText(image::kVideoSuffix);
  Release(name);
  char* fileName = NewText(file.data(), file.size());

  void* agent[2] = {nullptr, nullptr};  // the ComObject cell: interface and record data
  // When the agent cannot be created the cell stays empty and both calls fail quietly.
  Call(mod::Core, cmd::ObjectCreate, {MakePtr(agent, tc::ComObject), MakeText(ConstText(image::kAgentProgId))});
  CallAgent(agent, image::kAddTask,
            {MakePtr(&link, tc::Text | kByReference), MakePtr(&fileName, tc::Text | kByReference), MakeText(nullptr)});
  CallAgent(agent, image::kCommitTasks, {MakeInt(1)});
  Call(mod::Core, cmd::ObjectRelease, {MakePtr(agent, tc::ComObject)});

  Release(link);
  Release(fileName);
  return kNoValue;
}

}  // namespace app
