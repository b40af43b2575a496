#include "runtime/startup.h"

#include <windows.h>
#include <ole2.h>

#include <cstring>

#include "runtime/dll_commands.h"
#include "runtime/exit.h"
#include "runtime/form_engine_port.h"
#include "runtime/heap.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/ui_thread_calls.h"

namespace rt {
namespace {

LRESULT CALLBACK HiddenOwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // An exit asked for on another thread completes here, on the UI thread.
  if (msg == kMsgExitRequest) ExitProgram(static_cast<int32_t>(wp));
  if (msg == kMsgRunOnUiThread) return RunSentJob(lp);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void CreateHiddenOwner() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = HiddenOwnerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = "_WU_HideOwner";
  RegisterClassA(&wc);  // a second initialisation in one process finds the class registered
  App().hiddenOwner = CreateWindowExA(WS_EX_TOOLWINDOW, "_WU_HideOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, wc.hInstance, nullptr);
}

// The loaded PE image that holds address p: [base, base + SizeOfImage).
bool ImageRange(const void* p, const uint8_t*& begin, const uint8_t*& end) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCSTR>(p), &module))
    return false;
  auto base = reinterpret_cast<const uint8_t*>(module);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  begin = base;
  end = base + nt->OptionalHeader.SizeOfImage;
  return true;
}

bool Inside(const void* p, uint64_t length, const uint8_t* begin, const uint8_t* end) {
  auto b = static_cast<const uint8_t*>(p);
  return b >= begin && b <= end && length <= static_cast<uint64_t>(end - b);
}

}  // namespace

const char* CheckImage(const ImageHeader& image) {
  const uint8_t* begin;
  const uint8_t* end;
  if (!ImageRange(&image, begin, end)) return "程序映像头不在程序映像内";
  if (!Inside(&image, sizeof image, begin, end)) return "程序映像头不在程序映像内";
  if (image.constantLength > 0 && !Inside(image.constantArea, image.constantLength, begin, end))
    return "常量数据段超出程序映像";
  if (image.formLength > 0 && !Inside(image.formData, image.formLength, begin, end))
    return "窗口模板数据段超出程序映像";
  if (image.moduleCount > 0) {
    if (!Inside(image.modules, 4ull * image.moduleCount, begin, end)) return "模块表超出程序映像";
    for (uint32_t i = 0; i < image.moduleCount; ++i) {
      const ModuleDescriptor* d = image.modules[i];
      if (d && !Inside(d, sizeof *d, begin, end)) return "模块描述超出程序映像";
    }
  }
  if (image.dllCommandCount > 0) {
    if (image.dllFiles && !Inside(image.dllFiles, 4ull * image.dllCommandCount, begin, end))
      return "DLL命令表超出程序映像";
    if (!image.dllEntries || !Inside(image.dllEntries, 4ull * image.dllCommandCount, begin, end))
      return "DLL命令表超出程序映像";
  }
  return nullptr;
}

void SplitProgramPath(const char* path, std::string& directory, std::string& fileName) {
  const char* slash = std::strrchr(path, '\\');
  if (!slash) {
    directory.clear();
    fileName = path;
    return;
  }
  directory.assign(path, static_cast<size_t>(slash - path));
  fileName = slash + 1;
}

void RuntimeInit(const ImageHeader* image) {
  RuntimeApp& app = App();
  app.heap = GetProcessHeap();
  if (!image) ReportRuntimeError("程序映像头不在程序映像内", 0);
  if (const char* fault = CheckImage(*image)) ReportRuntimeError(fault, 0);
  app.image = image;
  app.headerWords[0] = image->kind;
  app.headerWords[1] = image->reserved1;
  app.headerWords[2] = image->reserved2 + 1;

  if (!app.oleInitialised && SUCCEEDED(OleInitialize(nullptr))) app.oleInitialised = true;

  char path[MAX_PATH + 1] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  SplitProgramPath(path, app.programDirectory, app.programFileName);
  app.programDirectorySlash = app.programDirectory + "\\";
  if (!app.programDirectory.empty()) SetCurrentDirectoryA(app.programDirectory.c_str());

  CreateHiddenOwner();
  app.uiThreadId = GetCurrentThreadId();

  if (image->constantLength > 0) SetConstantBounds(image->constantArea, image->constantLength);
  SetupDllCommands(*image);

  app.modules.assign(image->modules, image->modules + image->moduleCount);
  app.moduleData.assign(image->moduleCount, 0);
  for (const ModuleDescriptor* d : app.modules)
    if (d && d->notify) d->notify(notify::Startup, ServiceWord(ServiceEntry()), 0);

  if (image->formLength > 0) {
    if (!forms::ReadTemplates(image->formData, image->formLength)) ReportRuntimeError("载入窗口模板数据段出错!", 0);
    forms::RelocateHandlers(image->codeBase);
  }
  forms::InstallWindowSet();
}

void LoadStartupWindow(uint32_t windowId) {
  if (!forms::CreateStartupWindow(windowId)) ReportRuntimeError("载入启动窗口失败", 0);
}

}  // namespace rt
