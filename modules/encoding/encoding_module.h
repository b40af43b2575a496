// The EncodingLib module's descriptor as the program image lists it.
#pragma once
#include "runtime/abi/module.h"

extern const ModuleDescriptor kEncodingLibDescriptor;
// The runtime's service entry, kept from the start-up notification.
RuntimeServiceFn EncodingLibService();

// Positions in the module's command table.
namespace encoding_cmd {
constexpr int ConvertEncoding = 0;
}  // namespace encoding_cmd
