// The NetLib module's descriptor as the program image lists it.
#pragma once
#include "runtime/abi/module.h"

extern const ModuleDescriptor kNetLibDescriptor;
// The runtime's service entry, kept from the start-up notification.
RuntimeServiceFn NetLibService();

// Command addresses of NetLib, in table order.
enum NetLibCommand : uint32_t { kNetHttpGet = 0, kNetLibCommandCount };
