// The RegexLib module's descriptor as the program image lists it.
#pragma once
#include "runtime/abi/module.h"

extern const ModuleDescriptor kRegexLibDescriptor;
// The runtime's service entry, kept from the start-up notification.
RuntimeServiceFn RegexLibService();

// Positions of the commands in the module's command table.
namespace regexcmd {
enum : uint32_t {
  RegexConstruct = 0,
  RegexDestroy = 1,
  RegexCreate = 2,
  RegexMatch = 3,
  RegexSearchAll = 4,
  SearchResultConstruct = 5,
  SearchResultDestroy = 6,
  SearchResultGetText = 7,
  RegexSearchStopped = 8,
  Count = 9
};
}  // namespace regexcmd
