// The stand-in automation servers (tools/standin_agent) registered for one test: the DLL is
// loaded and registered under HKCU\Software\Classes, its calls are recorded in a fresh file, and
// everything is unregistered again at the end.
#pragma once
#include <string>
#include <vector>

namespace standin_test {

class StandinServer {
 public:
  StandinServer();
  ~StandinServer();
  StandinServer(const StandinServer&) = delete;
  StandinServer& operator=(const StandinServer&) = delete;

  bool registered() const { return registered_; }
  // Takes the servers' registration away (the "no agent installed" case).
  void Unregister();
  // The recorded calls, one line each: "Member<TAB>argument..." in UTF-8.
  std::vector<std::string> Records() const;
  // Waits (bounded) until at least `count` calls are recorded.
  std::vector<std::string> WaitForRecords(size_t count, unsigned timeoutMs) const;
  // Every reference the servers' objects hold right now, in this process.
  long OutstandingReferences() const;
  // The DLL's path, for a type library look-up.
  static std::string DllPath();

 private:
  void* module_ = nullptr;
  bool registered_ = false;
  std::string record_;
};

// GBK (code page 936) text as UTF-8, to compare with the record.
std::string Utf8FromGbk(const std::string& gbk);

}  // namespace standin_test
