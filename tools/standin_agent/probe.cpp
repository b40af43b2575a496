// The probe: members that take every kind of argument, write output parameters, answer odd
// variants and raise errors, for the automation commands' tests.
#include <string>

#include "tools/standin_agent/dispatch_object.h"
#include "tools/standin_agent/standin_ids.h"

namespace standin {
namespace {

LONG g_referencedNumber = 7;

VARIANT* Arg(DISPPARAMS* p, UINT i) { return &p->rgvarg[p->cArgs - 1 - i]; }  // caller order

// A BSTR argument, by value or by reference.
std::wstring TextOf(const VARIANT& v) {
  BSTR s = v.vt == VT_BSTR ? v.bstrVal : v.vt == (VT_BYREF | VT_BSTR) ? *v.pbstrVal : nullptr;
  return std::wstring(s ? s : L"", s ? SysStringLen(s) : 0);
}
void SetText(VARIANT* result, const std::wstring& text) {
  if (!result) return;
  result->vt = VT_BSTR;
  result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}
void SetLong(VARIANT* result, LONG value) {
  if (!result) return;
  result->vt = VT_I4;
  result->lVal = value;
}

class Probe : public DispatchObject {
 public:
  Probe() : DispatchObject(kIidProbe) {}
  ~Probe() override { SysFreeString(title_); }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    if (!p) return E_INVALIDARG;
    if (result) VariantInit(result);
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put && (p->cNamedArgs != 1 || !p->rgdispidNamedArgs || p->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
      return DISP_E_PARAMNOTOPTIONAL;
    if (!put && p->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    static const wchar_t* const kNames[] = {L"?", L"Record", L"Plain", L"Decorate", L"Outputs", L"Many", L"Odd",
                                            L"Raise", L"Twice", L"?", L"Title", L"Counter", L"Label"};
    std::wstring name = id >= 0 && id <= 12 ? kNames[id] : L"?";
    Record(name + (put ? L"=" : L"") + DescribeAll(p));
    switch (id) {
      case 1:  // Record(a, b, c, d, e): how many it received
        SetLong(result, static_cast<LONG>(p->cArgs));
        return S_OK;
      case 2:  // Plain(text): the text with a mark
        if (p->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        SetText(result, TextOf(*Arg(p, 0)) + L"·好");
        return S_OK;
      case 3: {  // Decorate([in, out] text): the old text, the new one given back
        if (p->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT* v = Arg(p, 0);
        if (v->vt != (VT_BYREF | VT_BSTR)) return DISP_E_TYPEMISMATCH;
        std::wstring old = TextOf(*v);
        SysFreeString(*v->pbstrVal);
        std::wstring changed = L"《" + old + L"》";
        *v->pbstrVal = SysAllocStringLen(changed.data(), static_cast<UINT>(changed.size()));
        SetText(result, old);
        return S_OK;
      }
      case 4: {  // Outputs([out] number, [out] text, [in, out] any)
        if (p->cArgs != 3) return DISP_E_BADPARAMCOUNT;
        VARIANT *number = Arg(p, 0), *text = Arg(p, 1), *any = Arg(p, 2);
        if (number->vt != (VT_BYREF | VT_I4) || text->vt != (VT_BYREF | VT_BSTR) || any->vt != (VT_BYREF | VT_VARIANT))
          return DISP_E_TYPEMISMATCH;
        *number->plVal = 42;
        SysFreeString(*text->pbstrVal);
        *text->pbstrVal = SysAllocString(L"输出");
        VariantClear(any->pvarVal);
        any->pvarVal->vt = VT_R8;
        any->pvarVal->dblVal = 2.5;
        SetLong(result, 1);
        return S_OK;
      }
      case 5:  // Many(first, ...): how many it received
        SetLong(result, static_cast<LONG>(p->cArgs));
        return S_OK;
      case 6: {  // Odd(kind): variants of unusual kinds
        if (p->cArgs != 1 || !result) return DISP_E_BADPARAMCOUNT;
        LONG kind = Arg(p, 0)->vt == VT_I4 ? Arg(p, 0)->lVal : -1;
        switch (kind) {
          case 0: result->vt = VT_BYREF | VT_I4; result->plVal = &g_referencedNumber; break;
          case 1: result->vt = VT_BYREF | VT_I4; result->plVal = nullptr; break;  // a reference to nothing
          case 4: result->vt = 0x0FF0; break;  // no variant type at all
          case 2: result->vt = VT_DISPATCH; result->pdispVal = this; AddRef(); break;
          case 3: {
            SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);
            for (LONG i = 0; i < 3; ++i) {
              LONG value = i * 10;
              SafeArrayPutElement(array, &i, &value);
            }
            result->vt = VT_ARRAY | VT_I4;
            result->parray = array;
            break;
          }
          default: break;  // empty
        }
        return S_OK;
      }
      case 7: {  // Raise(code): 0 raises an exception, other codes are answered as they are
        LONG code = p->cArgs == 1 && Arg(p, 0)->vt == VT_I4 ? Arg(p, 0)->lVal : 0;
        if (code != 0) return static_cast<HRESULT>(code);
        if (exception) {
          ZeroMemory(exception, sizeof *exception);
          exception->scode = E_FAIL;
          exception->bstrSource = SysAllocString(L"probe");
          exception->bstrDescription = SysAllocString(L"raised on purpose");
        }
        return DISP_E_EXCEPTION;
      }
      case 8: {  // Twice(number, [in, out] real)
        if (p->cArgs != 2) return DISP_E_BADPARAMCOUNT;
        VARIANT *number = Arg(p, 0), *real = Arg(p, 1);
        if (number->vt != VT_I4 || real->vt != (VT_BYREF | VT_R8)) return DISP_E_TYPEMISMATCH;
        *real->pdblVal *= 2;
        SetLong(result, number->lVal * 2);
        return S_OK;
      }
      case 10:  // Title, a property
        if (put) {
          if (p->cArgs != 1) return DISP_E_BADPARAMCOUNT;
          std::wstring t = TextOf(*Arg(p, 0));
          SysFreeString(title_);
          title_ = SysAllocStringLen(t.data(), static_cast<UINT>(t.size()));
        } else {
          SetText(result, std::wstring(title_ ? title_ : L""));
        }
        return S_OK;
      case 11:  // Counter, get and put
        if (put) {
          if (p->cArgs != 1 || Arg(p, 0)->vt != VT_I4) return DISP_E_TYPEMISMATCH;
          counter_ = Arg(p, 0)->lVal;
        } else {
          SetLong(result, counter_);
        }
        return S_OK;
      case 12:  // Label, put only
        return put ? S_OK : DISP_E_MEMBERNOTFOUND;
      default: return DISP_E_MEMBERNOTFOUND;
    }
  }

 private:
  BSTR title_ = nullptr;
  LONG counter_ = 0;
};

}  // namespace

IDispatch* NewProbe() { return new Probe(); }

}  // namespace standin
