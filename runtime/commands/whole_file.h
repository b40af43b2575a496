// Reading and writing whole files for the core commands.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace rt {

struct ByteSpan {
  const void* data;
  uint32_t size;
};

// The file's bytes; empty for a missing, unreadable or empty file. Others may read it meanwhile.
std::vector<uint8_t> ReadWholeFileBytes(const char* path);
// Writes the pieces in order. An existing file is replaced only once the new content has been
// written completely, so a failure leaves the old file as it was. False on any failure.
bool WriteWholeFileBytes(const char* path, const std::vector<ByteSpan>& pieces);

}  // namespace rt
