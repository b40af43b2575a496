#include "runtime/runtime_error.h"

#include <windows.h>

#include "runtime/exit.h"
#include "runtime/runtime_app.h"

namespace rt {
namespace {
const char* const kErrorTable[12] = {
    nullptr,
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};
ErrorHookFn g_hook = nullptr;
volatile LONG g_hookRunning = 0;  // a process-wide flag, not a lock
}  // namespace

const char* ErrorTableMessage(int32_t code) {
  return code >= 1 && code <= 11 ? kErrorTable[code] : nullptr;
}

void SetErrorHook(ErrorHookFn hook) { g_hook = hook; }

std::string ComposeErrorText(const char* message, int32_t code) {
  std::string text = "运行时出错!\r\n\r\n";
  if (code != 0) text += "错误代码：" + std::to_string(code) + "\r\n\r\n";
  if (message && *message) {
    text += "错误信息：";
    text += message;
    text += "\r\n";
  }
  return text;
}

void ReportRuntimeError(const char* message, int32_t code) {
  InterlockedIncrement(&App().eventBlockCount);
  bool handled = false;
  if (g_hook && InterlockedCompareExchange(&g_hookRunning, 1, 0) == 0) {
    handled = g_hook(code, message) != 0;
    InterlockedExchange(&g_hookRunning, 0);
  }
  if (!handled) {
    std::string text = ComposeErrorText(message, code);
    MessageBoxA(nullptr, text.c_str(), "错误", MB_OK | MB_ICONERROR);
  }
  // The application's exit callbacks do not run after a runtime error.
  ClearExitCallbacks();
  ExitProgram(-1);
  ExitProcess(static_cast<UINT>(-1));
}

}  // namespace rt
