// The application's code table: the event handlers the form templates name by offset. The
// order of the entries is the order of Handler (app/image/handler_slots.h).
#include "app/image/handler_slots.h"
#include "app/image/program_image.h"

namespace {
// Handlers whose commands are not built yet are bound already and do nothing, so that the
// templates never change when their bodies arrive.
HandlerResult __cdecl OpenRangeWindow(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl PauseScan(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl ResumeScan(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl StopScan(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl SaveList(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl TestLink(const uint32_t*, uint32_t) { return {0, 0, 0}; }
// "测试下载" returns at once by design.
HandlerResult __cdecl TestDownload(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl OpenSearchWindow(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl DownloadSelected(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl MainWindowCreated(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl MainWindowDestroying(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl ListRightClicked(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl StartScan(const uint32_t*, uint32_t) { return {0, 0, 0}; }
HandlerResult __cdecl SearchListFile(const uint32_t*, uint32_t) { return {0, 0, 0}; }
}  // namespace

const EventHandlerFn kAppCodeTable[] = {
    nullptr,  // start of the compiled code; the code base is the next entry
    OpenRangeWindow,       // offset 0
    PauseScan,             // 4
    ResumeScan,            // 8
    StopScan,              // 12
    SaveList,              // 16
    TestLink,              // 20
    TestDownload,          // 24
    OpenSearchWindow,      // 28
    DownloadSelected,      // 32
    MainWindowCreated,     // 36
    MainWindowDestroying,  // 40
    ListRightClicked,      // 44
    StartScan,             // 48
    SearchListFile,        // 52
};
static_assert(sizeof kAppCodeTable / sizeof kAppCodeTable[0] == kHandlerEntryCount,
              "one code table entry per handler slot, after the start marker");
