#include "tests/support/error_capture.h"

#include <cstdio>

#include "runtime/runtime_error.h"

namespace testerr {
namespace {
uint32_t PrintHook(int32_t code, const char* message) {
  std::fprintf(stderr, "runtime error %d: %s\n", code, message ? message : "");
  std::fflush(stderr);
  return 1;
}
}  // namespace

void PrintErrorsInsteadOfBox() { rt::SetErrorHook(PrintHook); }
}  // namespace testerr
