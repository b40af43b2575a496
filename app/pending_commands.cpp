// Commands whose features come with the download hand-off. Until it lands, choosing them does
// nothing.
#include "app/handlers.h"

namespace app {

HandlerResult __cdecl DownloadSelected(const uint32_t*, uint32_t) { return kNoValue; }

}  // namespace app
