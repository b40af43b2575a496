// How the encoding conversion drives the converter: the whole input in one go, into a working
// buffer as large as the input that grows by half the input plus 128 bytes whenever the
// converter reports a full output, at most 11 times. Nothing partial is ever handed back, and
// no final flushing call is made. Pure logic over the iconv interface.
#pragma once
#include <cstddef>
#include <cstdint>

#include "modules/encoding/iconv_layer.h"

namespace enc {

constexpr uint32_t kMaxGrowths = 11;

using IconvFn = size_t (*)(iconv_t, char**, size_t*, char**, size_t*);

struct Converted {
  uint8_t* data = nullptr;  // from malloc, owned by the caller; null when length is 0
  size_t length = 0;
  uint32_t growths = 0;     // how often the working buffer grew
};

// Converts the bytes of a ByteArray value (null or {1, length, bytes}) with the open converter
// cd. False when the input is null, a working buffer cannot be had, the converter rejects the
// input, or the output outgrows the last growth; *out is then empty.
bool ConvertWhole(iconv_t cd, const void* byteArray, Converted* out, IconvFn convert = ::iconv);

}  // namespace enc
