// What the stand-in servers' objects share: reference counting that a test can read, their
// type information from the library embedded in the DLL, and the record file of their calls.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace standin {

extern HMODULE g_module;
// Every reference any object of the DLL holds; 0 once every object is released.
extern volatile LONG g_references;

// A line "Member<TAB>argument<TAB>..." in UTF-8 appended to the file that the environment
// variable REELSCOUT_STANDIN_RECORD names; nothing when it is not set.
void Record(const std::wstring& line);
// How a received argument looks in the record: "BSTR:text", "I4:7", "&BSTR:text" for a reference,
// "missing" for an omitted optional argument.
std::wstring Describe(const VARIANT& v);
// The arguments of a call in the caller's order (Invoke gets them last first).
std::wstring DescribeAll(const DISPPARAMS* params);

// An object answering IDispatch from the embedded library's type information for `iid`.
class DispatchObject : public IDispatch {
 public:
  explicit DispatchObject(const IID& iid);
  virtual ~DispatchObject();
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;

 protected:
  const IID& iid_;
  LONG count_ = 1;
  ITypeInfo* info_ = nullptr;
};

IDispatch* NewAgent();
IDispatch* NewProbe();

}  // namespace standin
