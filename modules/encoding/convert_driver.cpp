#include "modules/encoding/convert_driver.h"

#include <cerrno>
#include <cstdlib>

#include "runtime/abi/values.h"

namespace enc {

bool ConvertWhole(iconv_t cd, const void* byteArray, Converted* out, IconvFn convert) {
  *out = Converted{};
  if (!byteArray) return false;
  const size_t length = ByteArrayLength(byteArray);
  if (length == 0) return true;

  size_t capacity = length;
  uint8_t* buffer = static_cast<uint8_t*>(std::malloc(capacity));
  if (!buffer) return false;
  char* in = reinterpret_cast<char*>(const_cast<uint8_t*>(ByteArrayData(byteArray)));
  size_t inLeft = length;
  size_t used = 0;
  uint32_t growths = 0;
  for (;;) {
    char* write = reinterpret_cast<char*>(buffer + used);
    size_t room = capacity - used;
    size_t r = convert(cd, &in, &inLeft, &write, &room);
    used = static_cast<size_t>(reinterpret_cast<uint8_t*>(write) - buffer);
    if (r != static_cast<size_t>(-1)) break;
    const size_t step = length / 2 + 128;
    if (errno != E2BIG || growths == kMaxGrowths || capacity > SIZE_MAX - step) {
      std::free(buffer);
      return false;
    }
    uint8_t* bigger = static_cast<uint8_t*>(std::realloc(buffer, capacity + step));
    if (!bigger) {
      std::free(buffer);
      return false;
    }
    buffer = bigger;
    capacity += step;
    ++growths;
  }
  out->growths = growths;
  if (used == 0) {
    std::free(buffer);
    return true;
  }
  out->data = buffer;
  out->length = used;
  return true;
}

}  // namespace enc
