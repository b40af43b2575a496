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

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY k = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
    return false;
  LONG r = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
  return r == ERROR_SUCCESS;
}

// Writes the classes' keys under `root` + `prefix`.
bool WriteClasses(HKEY root, const std::wstring& prefix) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(g_module, path, MAX_PATH);
  for (const ClassEntry& c : kClasses) {
    std::wstring key = prefix + L"CLSID\\" + c.clsid;
    if (!SetValue(root, key, nullptr, c.description) || !SetValue(root, key + L"\\ProgID", nullptr, c.progId) ||
        !SetValue(root, key + L"\\InprocServer32", nullptr, path) ||
        !SetValue(root, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
        !SetValue(root, prefix + c.progId, nullptr, c.description) ||
        !SetValue(root, prefix + c.progId + L"\\CLSID", nullptr, c.clsid))
      return false;
  }
  return true;
}

void DeleteClasses(HKEY root, const std::wstring& prefix) {
  for (const ClassEntry& c : kClasses) {
    RegDeleteTreeW(root, (prefix + L"CLSID\\" + c.clsid).c_str());
    RegDeleteTreeW(root, (prefix + c.progId).c_str());
  }
}

bool ProgIdResolves() {
  CLSID found;
  return SUCCEEDED(CLSIDFromProgID(kAgentProgId, &found)) && IsEqualCLSID(found, kClsidAgent);
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

// Per-user registration needs no administrator. Systems whose class look-up does not see the
// user's classes (Wine 8 merges none into HKEY_CLASSES_ROOT) get the same keys in the classes
// root too, where it can be written.
STDAPI DllRegisterServer() {
  if (!WriteClasses(HKEY_CURRENT_USER, L"Software\\Classes\\")) return E_FAIL;  // the keys could not be written
  if (!ProgIdResolves() && !WriteClasses(HKEY_CLASSES_ROOT, L"")) return E_FAIL;
  return S_OK;
}

STDAPI DllUnregisterServer() {
  DeleteClasses(HKEY_CURRENT_USER, L"Software\\Classes\\");
  DeleteClasses(HKEY_CLASSES_ROOT, L"");
  return S_OK;
}

// For tests: every reference the DLL's objects hold right now.
extern "C" LONG StandinOutstandingReferences() { return g_references; }
