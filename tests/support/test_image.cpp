#include "tests/support/test_image.h"

#include "modules/encoding/encoding_module.h"
#include "modules/listview/listview_module.h"
#include "modules/net/net_module.h"
#include "modules/regex/regex_module.h"
#include "modules/special/special_module.h"
#include "modules/thread/thread_module.h"
#include "runtime/abi/module_kit.h"
#include "runtime/core_module.h"
#include "runtime/interface_table.h"
#include "runtime/startup.h"

namespace testimg {
namespace {
struct Blob {
  InterfaceTable table;
  uint8_t constants[20];
};
const Blob kBlob = {rt::kInterfaceTable,
                    {'h', 'e', 'l', 'l', 'o', 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0}};

RuntimeServiceFn g_recordedService = nullptr;

AddrWord __cdecl RecordingNotify(uint32_t message, AddrWord arg1, AddrWord) {
  RecordedNotifications().push_back("notify " + std::to_string(message));
  if (message == notify::Startup) g_recordedService = ServiceFromWord(arg1);
  return 0;
}
const ModuleDescriptor kRecording = MakeModuleDescriptor("{00000000-0000-0000-0000-000000000001}", "recording", 0,
                                                         0, nullptr, 0, nullptr, RecordingNotify);
const ModuleDescriptor kSilent = MakeModuleDescriptor("{00000000-0000-0000-0000-000000000002}", "silent", 0, 0,
                                                      nullptr, 0, nullptr, nullptr);

const ModuleDescriptor* const kModules[10] = {
    &kCoreLibDescriptor,     &kThreadLibDescriptor, &kUiExtLibDescriptor, &kNetLibDescriptor,
    &kEncodingLibDescriptor, &kRegexLibDescriptor,  &kSpecialLibDescriptor, nullptr /* skipped */,
    &kSilent /* no notify entry: not notified */, &kRecording,
};

const char* const kDllFiles[4] = {nullptr, "kernel32.dll", "kernel32.dll", nullptr};
const char* const kDllEntries[4] = {"GetTickCount", "#1", "NoSuchExportAnywhere", "NoSuchExportEither"};

const EventHandlerFn kNoCode[2] = {nullptr, nullptr};

const ImageHeader kHeader = {3, 0, 0x000100D3, &kNoCode[1], kBlob.constants, sizeof kBlob.constants, nullptr, 0,
                             10, kModules, 4, kDllFiles, kDllEntries};
}  // namespace

const char* Hello() { return reinterpret_cast<const char*>(kBlob.constants); }
const uint8_t* Constants() { return kBlob.constants; }
uint32_t ConstantsLength() { return sizeof kBlob.constants; }
const void* ConstantByteArray() { return kBlob.constants + 8; }
const ImageHeader& Header() { return kHeader; }

std::vector<std::string>& RecordedNotifications() {
  static std::vector<std::string> v;
  return v;
}
RuntimeServiceFn RecordedService() { return g_recordedService; }

void InitRuntime() {
  static bool done = false;
  if (done) return;
  done = true;
  rt::RuntimeInit(&kHeader);
}

}  // namespace testimg
