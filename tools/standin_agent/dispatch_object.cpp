#include "tools/standin_agent/dispatch_object.h"

#include <cstdio>
#include <string>
#include <vector>

namespace standin {

HMODULE g_module = nullptr;
volatile LONG g_references = 0;

void Record(const std::wstring& line) {
  wchar_t path[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"REELSCOUT_STANDIN_RECORD", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::wstring full = line + L"\n";
  int size = WideCharToMultiByte(CP_UTF8, 0, full.data(), static_cast<int>(full.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, full.data(), static_cast<int>(full.size()), &bytes[0], size, nullptr, nullptr);
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

namespace {
std::wstring Number(double v) {
  wchar_t buffer[64];
  swprintf(buffer, 64, L"%g", v);
  return buffer;
}
}  // namespace

std::wstring Describe(const VARIANT& v) {
  if (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND) return L"missing";
  bool ref = (v.vt & VT_BYREF) != 0;
  std::wstring prefix = ref ? L"&" : L"";
  switch (v.vt & ~VT_BYREF) {
    case VT_EMPTY: return prefix + L"EMPTY";
    case VT_BSTR: {
      BSTR s = ref ? *v.pbstrVal : v.bstrVal;
      return prefix + L"BSTR:" + std::wstring(s ? s : L"", s ? SysStringLen(s) : 0);
    }
    case VT_I4: return prefix + L"I4:" + std::to_wstring(ref ? *v.plVal : v.lVal);
    case VT_I2: return prefix + L"I2:" + std::to_wstring(ref ? *v.piVal : v.iVal);
    case VT_UI1: return prefix + L"UI1:" + std::to_wstring(ref ? *v.pbVal : v.bVal);
    case VT_R4: return prefix + L"R4:" + Number(ref ? *v.pfltVal : v.fltVal);
    case VT_R8: return prefix + L"R8:" + Number(ref ? *v.pdblVal : v.dblVal);
    case VT_DATE: return prefix + L"DATE:" + Number(ref ? *v.pdate : v.date);
    case VT_BOOL: return prefix + L"BOOL:" + std::to_wstring(ref ? *v.pboolVal : v.boolVal);
    case VT_DISPATCH: return prefix + L"DISPATCH";
    case VT_UNKNOWN: return prefix + L"UNKNOWN";
    case VT_VARIANT: return ref && v.pvarVal ? L"&" + Describe(*v.pvarVal) : prefix + L"VARIANT";
    default: return prefix + L"VT" + std::to_wstring(v.vt & ~VT_BYREF);
  }
}

std::wstring DescribeAll(const DISPPARAMS* params) {
  std::wstring s;
  for (UINT i = params->cArgs; i > 0; --i) s += L"\t" + Describe(params->rgvarg[i - 1]);
  return s;
}

DispatchObject::DispatchObject(const IID& iid) : iid_(iid) {
  InterlockedIncrement(&g_references);
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(g_module, path, MAX_PATH);
  ITypeLib* lib = nullptr;
  if (SUCCEEDED(LoadTypeLibEx(path, REGKIND_NONE, &lib)) && lib) {
    lib->GetTypeInfoOfGuid(iid, &info_);
    lib->Release();
  }
}

DispatchObject::~DispatchObject() {
  if (info_) info_->Release();
}

HRESULT DispatchObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, iid_)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() {
  InterlockedIncrement(&g_references);
  return static_cast<ULONG>(InterlockedIncrement(&count_));
}

ULONG DispatchObject::Release() {
  InterlockedDecrement(&g_references);
  LONG left = InterlockedDecrement(&count_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = info_ ? 1 : 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0 || !info_) return DISP_E_BADINDEX;
  info_->AddRef();
  *info = info_;
  return S_OK;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return info_ ? info_->GetIDsOfNames(names, count, ids) : E_NOTIMPL;
}

}  // namespace standin
