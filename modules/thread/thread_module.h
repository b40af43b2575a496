// The ThreadLib module's descriptor as the program image lists it, and the state its commands
// share.
#pragma once
#include "runtime/abi/module.h"

class SectionRegistry;
class ThreadHandleSet;

extern const ModuleDescriptor kThreadLibDescriptor;
// The runtime's service entry, kept from the start-up notification.
RuntimeServiceFn ThreadLibService();
// The module's critical sections; records come from the runtime heap.
SectionRegistry& ThreadLibSections();
// Thread handles given out by StartThread and not yet closed.
ThreadHandleSet& ThreadLibThreadHandles();
