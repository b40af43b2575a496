// Assembles the program image from what the generator produced: the interface table right
// before the constant area, the form segment, the module list and the header that points at them.
#include "app/image/program_image.h"

#include "image_constants.h"
#include "modules/encoding/encoding_module.h"
#include "modules/listview/listview_module.h"
#include "modules/net/net_module.h"
#include "modules/regex/regex_module.h"
#include "modules/special/special_module.h"
#include "modules/thread/thread_module.h"
#include "runtime/core_module.h"
#include "runtime/interface_table.h"

namespace {
struct ImageBlob {
  InterfaceTable table;
  uint8_t constants[image::kConstantAreaSize ? image::kConstantAreaSize : 1];
};
static_assert(offsetof(ImageBlob, constants) == sizeof(InterfaceTable), "the constants follow the table");

const ImageBlob kBlob = {rt::kInterfaceTable, {
#include "constant_area.inc"
}};

const uint8_t kForms[image::kFormSegmentSize ? image::kFormSegmentSize : 1] = {
#include "form_segment.inc"
};

const ModuleDescriptor* const kModules[7] = {
    &kCoreLibDescriptor,     &kThreadLibDescriptor, &kUiExtLibDescriptor, &kNetLibDescriptor,
    &kEncodingLibDescriptor, &kRegexLibDescriptor,  &kSpecialLibDescriptor,
};
// The application's DLL commands (app/platform_calls.cpp names them by position).
const char* const kDllFiles[10] = {"kernel32.dll", "kernel32.dll", "kernel32.dll", "kernel32.dll", "kernel32.dll",
                                   "user32.dll",   "kernel32.dll", "kernel32.dll", "kernel32.dll", "kernel32.dll"};
const char* const kDllEntries[10] = {"GetCommandLineA",         "InitializeCriticalSection", "EnterCriticalSection",
                                     "TryEnterCriticalSection", "LeaveCriticalSection",      "PeekMessageA",
                                     "InitializeConditionVariable", "SleepConditionVariableCS", "WakeConditionVariable",
                                     "DeleteCriticalSection"};
}  // namespace

const ImageHeader kProgramImageHeader = {
    3,
    0,
    0x000100D3,
    &kAppCodeTable[1],
    kBlob.constants,
    image::kConstantAreaSize,
    image::kFormSegmentSize ? kForms : nullptr,
    image::kFormSegmentSize,
    7,
    kModules,
    10,
    kDllFiles,
    kDllEntries,
};

const InterfaceTable& Rt() { return kBlob.table; }
