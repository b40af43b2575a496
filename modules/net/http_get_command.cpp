#include "modules/net/http_get_command.h"

#include <cstring>

#include "modules/net/grow_buffer.h"
#include "modules/net/http_client.h"
#include "modules/net/net_module.h"

namespace net {

void __cdecl HttpGet(CmdArg* result, int32_t count, CmdArg* args) {
  const char* url = count >= 1 && args[0].type == tc::Text ? ArgText(args[0]) : nullptr;
  GrowBuffer body(&ModulePool());
  ModuleClient().Fetch(url, body);
  *result = MakePtr(nullptr, tc::ByteArray);

  RuntimeServiceFn service = NetLibService();
  uint32_t length = body.length();
  if (length == 0 || !service) return;
  // The may-fail allocation: this command never ends the program, so a body too large to
  // copy out is the empty byte array.
  uint32_t* block = FromWord<uint32_t>(service(svc::Allocate, length + 8, 1));
  if (!block) return;
  block[0] = 1;
  block[1] = length;
  std::memcpy(block + 2, body.data(), length);
  *result = MakePtr(block, tc::ByteArray);
}

}  // namespace net
