// The stand-in servers' DLL: its entry, class factories and registration under
// HKCU\Software\Classes, which needs no administrator.
#include <string>

#include "tools/standin_agent/dispatch_object.h"
#include "tools/standin_agent/standin_ids.h"

namespace standin {
namespace {

volatile LONG g_locks = 0;

class Factory : public IClassFactory {
 public:
  explicit Factory(IDispatch* (*make)()) : make_(make) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IDispatch* made = make_();
    HRESULT hr = made->QueryInterface(riid, object);
    made->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? InterlockedIncrement(&g_locks) : InterlockedDecrement(&g_locks);
    return S_OK;
  }

 private:
  IDispatch* (*make_)();
};

Factory g_agentFactory(NewAgent);
Factory g_probeFactory(NewProbe);

struct ClassEntry {
  const wchar_t* clsid;
  const wchar_t* progId;
  const wchar_t* description;
};
const ClassEntry kClasses[] = {
    {kClsidAgentText, kAgentProgId, L"Reelscout stand-in download agent"},
    {kClsidProbeText, kProbeProgId, L"Reelscout automation test probe"},
};

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY k = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
    return false;
  LONG r = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return r == ERROR_SUCCESS;
}

}  // namespace
}  // namespace standin

using namespace standin;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (IsEqualCLSID(clsid, kClsidAgent)) return g_agentFactory.QueryInterface(riid, object);
  if (IsEqualCLSID(clsid, kClsidProbe)) return g_probeFactory.QueryInterface(riid, object);
  if (object) *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return g_references == 0 && g_locks == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(g_module, path, MAX_PATH);
  const std::wstring root = L"Software\\Classes\\";
  for (const ClassEntry& c : kClasses) {
    std::wstring key = root + L"CLSID\\" + c.clsid;
    if (!SetValue(key, nullptr, c.description) || !SetValue(key + L"\\ProgID", nullptr, c.progId) ||
        !SetValue(key + L"\\InprocServer32", nullptr, path) ||
        !SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
        !SetValue(root + c.progId, nullptr, c.description) || !SetValue(root + c.progId + L"\\CLSID", nullptr, c.clsid))
      return E_FAIL;  // the keys could not be written
  }
  return S_OK;
}

STDAPI DllUnregisterServer() {
  const std::wstring root = L"Software\\Classes\\";
  for (const ClassEntry& c : kClasses) {
    RegDeleteTreeW(HKEY_CURRENT_USER, (root + L"CLSID\\" + c.clsid).c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (root + c.progId).c_str());
  }
  return S_OK;
}

// For tests: every reference the DLL's objects hold right now.
extern "C" LONG StandinOutstandingReferences() { return g_references; }
