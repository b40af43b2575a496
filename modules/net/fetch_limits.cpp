#include "modules/net/fetch_limits.h"

#include <atomic>

namespace {
std::atomic<uint32_t> g_timeoutMs{net::kDefaultTimeoutMs};
std::atomic<uint32_t> g_bodyCap{net::kDefaultBodyCap};
}  // namespace

namespace net {
uint32_t RequestTimeoutMs() { return g_timeoutMs.load(); }
uint32_t BodyCapBytes() { return g_bodyCap.load(); }
}  // namespace net

void NetSetTimeoutsForTesting(uint32_t milliseconds) {
  g_timeoutMs.store(milliseconds ? milliseconds : net::kDefaultTimeoutMs);
}
void NetSetBodyCapForTesting(uint32_t bytes) { g_bodyCap.store(bytes ? bytes : net::kDefaultBodyCap); }
