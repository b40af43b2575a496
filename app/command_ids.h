// Where the application's commands sit: the module's position in the image's module list and
// the command's position in that module's command table.
#pragma once
#include <cstdint>

namespace mod {
constexpr uint32_t Core = 0, Thread = 1, UiExt = 2, Net = 3, Encoding = 4, Regex = 5;
}

namespace cmd {
// Core module.
constexpr uint32_t LoadWindow = 0, ToInteger = 1, DestroyUnit = 2, ShowMessageBox = 3, RoundNumber = 4,
                   ToText = 5, FindText = 6, MidText = 7, Now = 8, AppendText = 9, TextLength = 10, LeftText = 11,
                   ProgramDirectory = 12, ObjectCreate = 13,
                   ObjectCallMethod = 14, VariantRelease = 15, ObjectRelease = 16, MouseX = 17, MouseY = 18, PopupMenu = 19, DialogOpen = 20,
                   ReadWholeFile = 21, ToBytes = 22, WriteWholeFile = 23;
// Thread module.
constexpr uint32_t StartThread = 0, CreateSection = 1, DeleteSection = 2, EnterSection = 3, LeaveSection = 4,
                   KillThread = 5, CloseThreadHandle = 6;
// List view module.
constexpr uint32_t ListViewInsertRow = 0, ListViewSetCellText = 1, ListViewGetCellText = 2, ListViewRowCount = 3;
// Regex module.
constexpr uint32_t RegexConstruct = 0, RegexDestroy = 1, RegexCreate = 2, RegexMatch = 3, RegexSearchAll = 4,
                   SearchResultDestroy = 6, SearchResultGetText = 7, RegexSearchStopped = 8;
// Network and encoding modules.
constexpr uint32_t HttpGet = 0;
constexpr uint32_t ConvertEncoding = 0;
}  // namespace cmd

// Unit properties by number: an edit box's text, a file dialog's file name.
namespace property {
constexpr int32_t Text = 8, FileName = 10;
}

// Message box button codes and answers.
namespace box {
constexpr int32_t Ok = 0, OkCancel = 1;
constexpr int32_t AnswerOk = 0, AnswerCancel = 1;
}  // namespace box
