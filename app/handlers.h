// The application's event handlers, bound to the windows' events through the code table.
#pragma once
#include "runtime/abi/interface.h"

namespace app {

#define REELSCOUT_HANDLER(name) HandlerResult __cdecl name(const uint32_t* args, uint32_t count)
// Main window.
REELSCOUT_HANDLER(MainWindowCreated);
REELSCOUT_HANDLER(MainWindowDestroying);
REELSCOUT_HANDLER(ListRightClicked);
// Menu commands.
REELSCOUT_HANDLER(OpenRangeWindow);
REELSCOUT_HANDLER(PauseScan);
REELSCOUT_HANDLER(ResumeScan);
REELSCOUT_HANDLER(StopScan);
REELSCOUT_HANDLER(SaveList);
REELSCOUT_HANDLER(TestLink);
REELSCOUT_HANDLER(TestDownload);
REELSCOUT_HANDLER(OpenSearchWindow);
REELSCOUT_HANDLER(HandOffDownload);
// Range and search windows.
REELSCOUT_HANDLER(StartScan);
REELSCOUT_HANDLER(SearchListFile);
REELSCOUT_HANDLER(SearchListFileByName);
#undef REELSCOUT_HANDLER

constexpr HandlerResult kNoValue{0, 0, 0};

}  // namespace app
