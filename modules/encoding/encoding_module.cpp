#include "modules/encoding/encoding_module.h"

#include "modules/encoding/convert_command.h"
#include "runtime/abi/module_kit.h"

namespace {
// Read by commands on any thread; written once at start-up before any command runs.
RuntimeServiceFn g_service = nullptr;

AddrWord __cdecl Notify(uint32_t message, AddrWord arg1, AddrWord) {
  switch (message) {
    case notify::Startup:
      g_service = ServiceFromWord(arg1);
      return 0;
    case notify::Exit:
      return 0;
    default:
      return static_cast<uint32_t>(-1);
  }
}

const CommandFn kCommands[] = {ConvertEncodingCommand};
}  // namespace

RuntimeServiceFn EncodingLibService() { return g_service; }

const ModuleDescriptor kEncodingLibDescriptor =
    MakeModuleDescriptor("{0B563B27-D865-43C7-811D-2AFD8460709D}", "编码转换支持库", 0xC0000001, 0, nullptr,
                         sizeof kCommands / sizeof kCommands[0], kCommands, Notify);
