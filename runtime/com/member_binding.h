// Finding a member of an automation object by name through its type information.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <vector>

namespace rt::com {

// What a call needs of one declared parameter.
struct DeclaredParameter {
  VARTYPE type = VT_EMPTY;     // as declared: VT_PTR for a pointer
  VARTYPE pointsTo = VT_EMPTY; // for a pointer, the type it points to
  USHORT flags = 0;            // PARAMFLAG_*
  bool isPointer() const { return type == VT_PTR; }
};

struct BoundMember {
  MEMBERID id = DISPID_UNKNOWN;
  WORD invokeKind = DISPATCH_METHOD;  // DISPATCH_METHOD, _PROPERTYGET, _PROPERTYPUT or _PROPERTYPUTREF
  std::vector<DeclaredParameter> parameters;
  int32_t optionalCount = 0;  // -1: a variable argument list
};

// The hash of a name as the type library of `info` computes it (its system kind and locale).
ULONG NameHash(ITypeInfo* info, const wchar_t* name);

// Binds `name` on the dispatch interface, trying the invocation kinds in turn; `arguments` is the
// count the caller passes, used to prefer a put when a property get takes fewer. Answers an
// outcome code: 0, kNoTypeInformation or kNotBound. Every interface obtained is released.
int32_t BindMember(IDispatch* dispatch, const wchar_t* name, uint32_t arguments, BoundMember* out);

}  // namespace rt::com
