// The application's code table: the event handlers the form templates name by offset. The
// order of the entries is the order of Handler (app/image/handler_slots.h).
#include "app/handlers.h"
#include "app/image/handler_slots.h"
#include "app/image/program_image.h"

const EventHandlerFn kAppCodeTable[] = {
    nullptr,                    // start of the compiled code; the code base is the next entry
    app::OpenRangeWindow,       // offset 0
    app::PauseScan,             // 4
    app::ResumeScan,            // 8
    app::StopScan,              // 12
    app::SaveList,              // 16
    app::TestLink,              // 20
    app::TestDownload,          // 24
    app::OpenSearchWindow,      // 28
    app::HandOffDownload,       // 32
    app::MainWindowCreated,     // 36
    app::MainWindowDestroying,  // 40
    app::ListRightClicked,      // 44
    app::StartScan,             // 48
    app::SearchListFile,        // 52
    app::SearchListFileByName,  // 56
};
static_assert(sizeof kAppCodeTable / sizeof kAppCodeTable[0] == kHandlerEntryCount,
              "one code table entry per handler slot, after the start marker");
