#include "modules/net/net_module.h"

#include "modules/net/http_client.h"
#include "modules/net/http_get_command.h"
#include "runtime/abi/module_kit.h"

namespace {
RuntimeServiceFn g_service = nullptr;

AddrWord __cdecl Notify(uint32_t message, AddrWord arg1, AddrWord) {
  if (message == notify::Startup) {
    g_service = ServiceFromWord(arg1);
    return 0;
  }
  if (message == notify::Exit) net::ModuleClient().CloseSession();
  return static_cast<uint32_t>(-1);
}

const CommandFn kCommands[kNetLibCommandCount] = {net::HttpGet};
}  // namespace

RuntimeServiceFn NetLibService() { return g_service; }

const ModuleDescriptor kNetLibDescriptor = MakeModuleDescriptor(
    "{D97DF0CF-73F0-45E1-A725-51FC173CC636}", "网络支持库", 0xC0000000, 0, nullptr, kNetLibCommandCount, kCommands, Notify);
