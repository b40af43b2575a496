#include "tests/support/standin_server.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace standin_test {

std::string StandinServer::DllPath() { return STANDIN_AGENT_DLL; }

StandinServer::StandinServer() {
  char folder[MAX_PATH], file[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "sta", 0, file);
  record_ = file;
  SetEnvironmentVariableA("REELSCOUT_STANDIN_RECORD", record_.c_str());
  module_ = LoadLibraryA(DllPath().c_str());
  if (!module_) return;
  auto reg = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(module_), "DllRegisterServer")));
  registered_ = reg && SUCCEEDED(reg());
}

void StandinServer::Unregister() {
  if (!module_) return;
  auto unreg = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(module_), "DllUnregisterServer")));
  if (unreg) unreg();
  registered_ = false;
}

StandinServer::~StandinServer() {
  Unregister();
  // The DLL stays loaded: objects of it may still be in COM's caches until OLE ends.
  SetEnvironmentVariableA("REELSCOUT_STANDIN_RECORD", nullptr);
  DeleteFileA(record_.c_str());
}

std::vector<std::string> StandinServer::Records() const {
  std::ifstream in(record_, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> StandinServer::WaitForRecords(size_t count, unsigned timeoutMs) const {
  std::vector<std::string> lines = Records();
  for (unsigned waited = 0; lines.size() < count && waited < timeoutMs; waited += 50) {
    Sleep(50);
    lines = Records();
  }
  return lines;
}

long StandinServer::OutstandingReferences() const {
  auto count = reinterpret_cast<LONG (*)()>(reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(module_), "StandinOutstandingReferences")));
  return count ? count() : -1;
}

std::string Utf8FromGbk(const std::string& gbk) {
  if (gbk.empty()) return "";
  int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), &w[0], n);
  int m = WideCharToMultiByte(CP_UTF8, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), n, &s[0], m, nullptr, nullptr);
  return s;
}

}  // namespace standin_test
