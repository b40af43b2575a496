// Commands whose features come with the list file. Until those land, choosing them does nothing.
#include "app/handlers.h"

namespace app {

HandlerResult __cdecl SaveList(const uint32_t*, uint32_t) { return kNoValue; }
HandlerResult __cdecl SearchListFile(const uint32_t*, uint32_t) { return kNoValue; }

}  // namespace app
