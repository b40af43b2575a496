// The one way a program ends on a condition it cannot go on from.
#pragma once
#include <cstdint>
#include <string>

namespace rt {

using ErrorHookFn = uint32_t (*)(int32_t code, const char* message);

[[noreturn]] void ReportRuntimeError(const char* message, int32_t code);
// The box text: "运行时出错!", then the code line and the message line where present.
std::string ComposeErrorText(const char* message, int32_t code);
// Message of the compiled code's error table; null outside 1..11.
const char* ErrorTableMessage(int32_t code);
void SetErrorHook(ErrorHookFn hook);

}  // namespace rt
