#include "runtime/com/member_binding.h"

#include <string>

#include "runtime/com/automation_rules.h"

namespace rt::com {

namespace {

#ifdef _WIN64
constexpr SYSKIND kOwnSysKind = SYS_WIN64;
#else
constexpr SYSKIND kOwnSysKind = SYS_WIN32;
#endif

DeclaredParameter Describe(const ELEMDESC& e) {
  DeclaredParameter p;
  p.type = e.tdesc.vt;
  if (p.type == VT_PTR && e.tdesc.lptdesc) p.pointsTo = e.tdesc.lptdesc->vt;
  p.flags = e.paramdesc.wParamFlags;
  return p;
}

enum class Found { Nothing, Member, Type };

// One attempt with one invocation kind.
Found BindOnce(ITypeComp* comp, ITypeInfo* info, const std::wstring& name, WORD kind, BoundMember* out) {
  ITypeInfo* owner = nullptr;
  DESCKIND desc = DESCKIND_NONE;
  BINDPTR bound{};
  std::wstring buffer = name;  // Bind may rewrite the name's case
  HRESULT hr = comp->Bind(&buffer[0], NameHash(info, name.c_str()), kind, &owner, &desc, &bound);
  if (FAILED(hr)) return Found::Nothing;
  Found found = Found::Nothing;
  switch (desc) {
    case DESCKIND_FUNCDESC: {
      FUNCDESC* f = bound.lpfuncdesc;
      BoundMember m;
      m.id = f->memid;
      m.invokeKind = static_cast<WORD>(f->invkind);
      m.optionalCount = f->cParamsOpt;
      for (SHORT i = 0; i < f->cParams; ++i) m.parameters.push_back(Describe(f->lprgelemdescParam[i]));
      // A return value and a locale parameter are supplied by Invoke, not by the caller.
      while (!m.parameters.empty() && (m.parameters.back().flags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)))
        m.parameters.pop_back();
      *out = std::move(m);
      found = Found::Member;
      if (owner) owner->ReleaseFuncDesc(f);
      break;
    }
    case DESCKIND_VARDESC: {
      VARDESC* v = bound.lpvardesc;
      BoundMember m;
      m.id = v->memid;
      if (kind == DISPATCH_PROPERTYPUT || kind == DISPATCH_PROPERTYPUTREF) {
        m.invokeKind = kind;  // asked for as a put: the value is its one parameter
        m.parameters.push_back(Describe(v->elemdescVar));
      } else {
        m.invokeKind = DISPATCH_PROPERTYGET;  // a variable member is read
      }
      *out = std::move(m);
      found = Found::Member;
      if (owner) owner->ReleaseVarDesc(v);
      break;
    }
    case DESCKIND_TYPECOMP:
      if (bound.lptcomp) bound.lptcomp->Release();
      found = Found::Type;
      break;
    case DESCKIND_IMPLICITAPPOBJ:
      if (bound.lpvardesc && owner) owner->ReleaseVarDesc(bound.lpvardesc);
      found = Found::Type;
      break;
    default: break;  // DESCKIND_NONE: "not found" answers S_OK
  }
  if (owner) owner->Release();
  return found;
}

}  // namespace

ULONG NameHash(ITypeInfo* info, const wchar_t* name) {
  SYSKIND sys = kOwnSysKind;
  LCID lcid = GetUserDefaultLCID();
  ITypeLib* lib = nullptr;
  UINT index = 0;
  if (info && SUCCEEDED(info->GetContainingTypeLib(&lib, &index)) && lib) {
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(lib->GetLibAttr(&attr)) && attr) {
      sys = attr->syskind;
      lcid = attr->lcid;
      lib->ReleaseTLibAttr(attr);
    }
    lib->Release();
  }
  return LHashValOfNameSys(sys, lcid, name);
}

int32_t BindMember(IDispatch* dispatch, const wchar_t* name, uint32_t arguments, BoundMember* out) {
  ITypeInfo* info = nullptr;
  if (FAILED(dispatch->GetTypeInfo(0, GetUserDefaultLCID(), &info)) || !info) return kNoTypeInformation;
  ITypeComp* comp = nullptr;
  if (FAILED(info->GetTypeComp(&comp)) || !comp) {
    info->Release();
    return kNoTypeInformation;
  }
  std::wstring wanted = name ? name : L"";
  int32_t outcome = kNotBound;
  for (WORD kind : kBindOrder) {
    Found f = BindOnce(comp, info, wanted, kind, out);
    if (f == Found::Type) break;
    if (f == Found::Nothing) continue;
    outcome = kSuccess;
    // A property with both a get and a put binds as the get first; handed more arguments than
    // the get takes, the caller means the put.
    if (out->invokeKind == DISPATCH_PROPERTYGET && out->optionalCount != -1 && arguments > out->parameters.size()) {
      BoundMember put;
      for (WORD putKind : {WORD(DISPATCH_PROPERTYPUT), WORD(DISPATCH_PROPERTYPUTREF)}) {
        if (BindOnce(comp, info, wanted, putKind, &put) == Found::Member && put.invokeKind == putKind) {
          *out = std::move(put);
          break;
        }
      }
    }
    break;
  }
  comp->Release();
  info->Release();
  return outcome;
}

}  // namespace rt::com
