// The two bounds a fetch keeps beyond the platform's own: the send and receive time-out set
// on each request, and the most body bytes one fetch reads. Tests shorten both.
#pragma once
#include <cstdint>

namespace net {

constexpr uint32_t kDefaultTimeoutMs = 30000;
constexpr uint32_t kDefaultBodyCap = 64u << 20;

uint32_t RequestTimeoutMs();
uint32_t BodyCapBytes();

}  // namespace net

// 0 restores the default.
void NetSetTimeoutsForTesting(uint32_t milliseconds);
void NetSetBodyCapForTesting(uint32_t bytes);
