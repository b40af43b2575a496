#include "runtime/com/object_create.h"

#include <oleauto.h>
#include <ole2.h>

#include <cstring>
#include <string>

#include "runtime/com/member_binding.h"
#include "runtime/com/wide_text.h"

namespace rt::com {

namespace {

// The one type of the library that carries the name, made into an instance; null otherwise.
IUnknown* CreateFromTypeLibrary(const std::wstring& name, const char* path) {
  std::wstring widePath = Widen(path);
  ITypeLib* lib = nullptr;
  if (FAILED(LoadTypeLib(widePath.c_str(), &lib)) || !lib) return nullptr;
  IUnknown* object = nullptr;
  ITypeInfo* infos[2] = {nullptr, nullptr};
  MEMBERID ids[2] = {0, 0};
  USHORT found = 2;
  std::wstring buffer = name;  // FindName may rewrite the name's case
  ITypeInfo* anyInfo = nullptr;
  lib->GetTypeInfo(0, &anyInfo);
  ULONG hash = NameHash(anyInfo, name.c_str());
  if (anyInfo) anyInfo->Release();
  if (SUCCEEDED(lib->FindName(&buffer[0], hash, infos, ids, &found)) && found == 1 && infos[0]) {
    if (SUCCEEDED(infos[0]->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object))) && object &&
        std::strchr(path, '\\'))
      RegisterTypeLib(lib, &widePath[0], nullptr);
  }
  for (USHORT i = 0; i < found && i < 2; ++i)
    if (infos[i]) infos[i]->Release();
  lib->Release();
  return object;
}

IUnknown* CreateFromClass(const std::wstring& name) {
  CLSID clsid;
  std::wstring buffer = name;
  HRESULT hr = name[0] == L'{' ? CLSIDFromString(&buffer[0], &clsid) : CLSIDFromProgID(buffer.c_str(), &clsid);
  if (FAILED(hr)) return nullptr;
  IUnknown* object = nullptr;
  const DWORD everywhere = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
  hr = CoCreateInstance(clsid, nullptr, everywhere, IID_IUnknown, reinterpret_cast<void**>(&object));
  if (hr == E_INVALIDARG)  // systems that know no remote servers refuse the context as a whole
    hr = CoCreateInstance(clsid, nullptr, everywhere & ~CLSCTX_REMOTE_SERVER, IID_IUnknown,
                          reinterpret_cast<void**>(&object));
  return SUCCEEDED(hr) ? object : nullptr;
}

}  // namespace

bool CreateObject(ComObjectCell* cell, const char* name, const char* typeLibrary) {
  if (!cell) return false;
  std::wstring wide = Widen(name);
  if (wide.empty()) return false;
  IUnknown* object = nullptr;
  if (wide[0] != L'{' && typeLibrary && *typeLibrary)
    object = CreateFromTypeLibrary(wide, typeLibrary);
  else
    object = CreateFromClass(wide);
  if (!object) return false;
  if (FAILED(OleRun(object))) {
    object->Release();
    return false;
  }
  ReleaseCell(cell);
  cell->object = object;
  return true;
}

}  // namespace rt::com
