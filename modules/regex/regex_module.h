// The RegexLib module's descriptor as the program image lists it.
#pragma once
#include "runtime/abi/module.h"

extern const ModuleDescriptor kRegexLibDescriptor;
// The runtime's service entry, kept from the start-up notification.
RuntimeServiceFn RegexLibService();
