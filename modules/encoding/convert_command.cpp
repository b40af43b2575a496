#include "modules/encoding/convert_command.h"

#include <cstdlib>
#include <cstring>

#include "modules/encoding/convert_driver.h"
#include "modules/encoding/encoding_module.h"

namespace {

const CmdArg* ArgOrNull(int32_t count, const CmdArg* args, int32_t index) {
  return index < count && args[index].type != tc::None ? &args[index] : nullptr;
}

// The converted bytes as a runtime ByteArray {1, length, bytes}; null when there are none.
void* MakeByteArray(const uint8_t* data, size_t length) {
  RuntimeServiceFn service = EncodingLibService();
  if (length == 0 || !service) return nullptr;
  uint8_t* block = FromWord<uint8_t>(service(svc::Allocate, static_cast<uint32_t>(length + 8), 0));
  if (!block) return nullptr;
  const uint32_t header[2] = {1, static_cast<uint32_t>(length)};
  std::memcpy(block, header, sizeof header);
  std::memcpy(block + 8, data, length);
  return block;
}

}  // namespace

void __cdecl ConvertEncodingCommand(CmdArg* result, int32_t count, CmdArg* args) {
  *result = MakePtr(nullptr, tc::ByteArray);
  const CmdArg* bytes = ArgOrNull(count, args, 0);
  const CmdArg* from = ArgOrNull(count, args, 1);
  const CmdArg* to = ArgOrNull(count, args, 2);
  const CmdArg* succeeded = ArgOrNull(count, args, 3);
  uint32_t* flag = succeeded ? static_cast<uint32_t*>(ArgPtr(*succeeded)) : nullptr;
  if (flag) *flag = 0;

  // A null text is the empty name, which the converter takes as the ANSI code page.
  iconv_t cd = iconv_open(to ? ArgText(*to) : nullptr, from ? ArgText(*from) : nullptr);
  if (cd == reinterpret_cast<iconv_t>(-1)) return;
  enc::Converted converted;
  if (enc::ConvertWhole(cd, bytes ? ArgPtr(*bytes) : nullptr, &converted)) {
    *result = MakePtr(MakeByteArray(converted.data, converted.length), tc::ByteArray);
    std::free(converted.data);
    if (flag) *flag = 1;
  }
  iconv_close(cd);
}
