// How much one read of a response body asks for, from the announced Content-Length.
#pragma once
#include <cstdint>

namespace net {

constexpr uint32_t kChunkWithoutLength = 10240;
constexpr uint32_t kChunkMax = 102400;

// `queried` is false when the length header could not be read; `text` is its value as the
// server sent it. Without a positive length the chunk is 10240; otherwise length + 1 (so one
// read normally takes the whole body and the next one sees its end), at most 102400.
uint32_t ChunkSizeFor(bool queried, const char* text);

}  // namespace net
