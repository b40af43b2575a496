#include "modules/regex/module_heap.h"

#include "modules/regex/regex_module.h"

namespace rx {

void* RuntimeAlloc(uint32_t size, bool mayFail) {
  RuntimeServiceFn service = RegexLibService();
  return service ? FromWord<void>(service(svc::Allocate, size, mayFail ? 1 : 0)) : nullptr;
}

void* RuntimeResize(void* block, uint32_t size) {
  RuntimeServiceFn service = RegexLibService();
  return service ? FromWord<void>(service(svc::Resize, Word(block), size)) : nullptr;
}

void RuntimeFree(void* block) {
  RuntimeServiceFn service = RegexLibService();
  if (service && block) service(svc::Free, Word(block), 0);
}

}  // namespace rx
