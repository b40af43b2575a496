// The process entry: the runtime object exists before anything runs; the application entry
// runs; when it returns (the main loop saw the quit message) the runtime's end-of-program
// handler runs the exit steps and the process ends with the quit message's code.
#include <windows.h>

#include "runtime/exit.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/startup.h"

extern "C" int __cdecl ApplicationEntry();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  rt::RuntimeApp& app = rt::App();
  char path[MAX_PATH + 1] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  rt::SplitProgramPath(path, app.programDirectory, app.programFileName);
  app.programDirectorySlash = app.programDirectory + "\\";
  ApplicationEntry();
  rt::RunExitSteps();
  ExitProcess(static_cast<UINT>(rt::QuitCode()));
}
