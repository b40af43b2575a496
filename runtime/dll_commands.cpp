#include "runtime/dll_commands.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"

namespace rt {
namespace {
// Where a DLL without a declared file is looked for, in this order.
const char* const kSystemDlls[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll"};

FARPROC Export(HMODULE module, const std::string& entry) {
  if (!entry.empty() && entry[0] == '#') {
    auto ordinal = static_cast<WORD>(std::strtoul(entry.c_str() + 1, nullptr, 10) & 0xFFFF);
    return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
  }
  return GetProcAddress(module, entry.c_str());
}

HMODULE LoadDeclared(const std::string& file) {
  if (file.find(':') != std::string::npos) return LoadLibraryA(file.c_str());
  const std::string& dir = App().programDirectory;
  HMODULE m = LoadLibraryA((dir + "\\" + file).c_str());
  if (!m) {
    char system[MAX_PATH];
    UINT n = GetSystemDirectoryA(system, MAX_PATH);
    if (n > 0 && n < MAX_PATH) m = LoadLibraryA((std::string(system) + "\\" + file).c_str());
  }
  if (!m) m = LoadLibraryA(file.c_str());
  return m;
}
}  // namespace

void SetupDllCommands(const ImageHeader& image) {
  auto& table = App().dllCommands;
  table.clear();
  if (image.dllCommandCount == 0) return;
  table.resize(image.dllCommandCount);
  for (uint32_t i = 0; i < image.dllCommandCount; ++i) {
    const char* file = image.dllFiles ? image.dllFiles[i] : nullptr;
    const char* entry = image.dllEntries ? image.dllEntries[i] : nullptr;
    table[i].file = file ? file : "";
    table[i].entry = entry ? entry : "";
  }
}

void* ResolveDllCommand(int32_t index) {
  auto& table = App().dllCommands;
  if (index < 0 || static_cast<size_t>(index) >= table.size()) ReportRuntimeError(ErrorTableMessage(6), 6);
  DllCommandSlot& slot = table[static_cast<size_t>(index)];
  if (slot.address) return slot.address;

  FARPROC address = nullptr;
  HMODULE module = nullptr;
  if (slot.file.empty()) {
    for (const char* dll : kSystemDlls) {
      HMODULE m = LoadLibraryA(dll);
      if (!m) continue;
      if ((address = Export(m, slot.entry))) {
        module = m;
        break;
      }
      FreeLibrary(m);
    }
  } else if ((module = LoadDeclared(slot.file))) {
    address = Export(module, slot.entry);
    if (!address) {
      FreeLibrary(module);
      module = nullptr;
    }
  }
  if (!address) {
    char text[1024];
    if (slot.file.empty())
      std::snprintf(text, sizeof text, "无法找到指定DLL库文件中的输出命令“%s”", slot.entry.c_str());
    else
      std::snprintf(text, sizeof text, "无法找到指定DLL库文件“%s”中的输出命令“%s”", slot.file.c_str(),
                    slot.entry.c_str());
    ReportRuntimeError(text, 0);
  }
  slot.address = reinterpret_cast<void*>(address);
  slot.module = module;
  return slot.address;
}

void FreeDllCommands() {
  auto& table = App().dllCommands;
  for (auto& slot : table)
    if (slot.module) FreeLibrary(slot.module);
  table.clear();
}

}  // namespace rt
