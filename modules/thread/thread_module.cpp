#include "modules/thread/thread_module.h"

#include "modules/thread/section_registry.h"
#include "modules/thread/thread_commands.h"
#include "modules/thread/thread_handle_set.h"
#include "runtime/abi/module_kit.h"

namespace {
RuntimeServiceFn g_service = nullptr;

// A record that cannot be had is a null handle, not a runtime error: ask for the may-fail kind.
void* AllocateRecord(uint32_t size) {
  return g_service ? FromWord<void>(g_service(svc::Allocate, size, 1)) : nullptr;
}
void ReleaseRecord(void* block) {
  if (g_service) g_service(svc::Free, Word(block), 0);
}

SectionRegistry g_sections({AllocateRecord, ReleaseRecord});
ThreadHandleSet g_threadHandles;

AddrWord __cdecl Notify(uint32_t message, AddrWord arg1, AddrWord) {
  switch (message) {
    case notify::Startup:
      g_service = ServiceFromWord(arg1);
      return 0;
    case notify::Exit:
      // Thread handles stay with their owner; only the sections belong to the module.
      g_sections.DeleteAll();
      return 0;
    default:
      return 0xFFFFFFFF;
  }
}
}  // namespace

RuntimeServiceFn ThreadLibService() { return g_service; }
SectionRegistry& ThreadLibSections() { return g_sections; }
ThreadHandleSet& ThreadLibThreadHandles() { return g_threadHandles; }

const ModuleDescriptor kThreadLibDescriptor =
    MakeModuleDescriptor("{5C78B605-3447-4693-9F4D-88B250516523}", "线程支持库", 0xC0000000, 0, nullptr,
                         thread::kCount, kThreadCommands, Notify);
