// The core module: the basic unit types and the core commands.
#pragma once
#include "runtime/abi/module.h"

extern const ModuleDescriptor kCoreLibDescriptor;
