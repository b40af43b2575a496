#include "runtime/com/variant_values.h"

#include <cstring>

#include "runtime/com/automation_rules.h"
#include "runtime/com/object_cell.h"
#include "runtime/com/wide_text.h"
#include "runtime/heap.h"

namespace rt::com {

VARIANT* NewVariantBlock() {
  auto* block = static_cast<VARIANT*>(rt::AllocBlock(sizeof(VARIANT)));
  std::memset(block, 0, sizeof(VARIANT));
  return block;
}

HRESULT CopyFollowingReferences(VARIANT* out, const VARIANT* source) {
  if ((source->vt & VT_BYREF) && !source->byref) return DISP_E_BADVARTYPE;
  return VariantCopyInd(out, const_cast<VARIANT*>(source));
}

namespace {

bool BuildObject(const ComObjectCell* cell, VARTYPE declared, VARIANT* out) {
  IUnknown* object = cell ? cell->object : nullptr;
  if (cell && cell->record && object) {
    IRecordInfo* info = nullptr;
    if (FAILED(object->QueryInterface(IID_IRecordInfo, reinterpret_cast<void**>(&info))) || !info) return false;
    out->vt = VT_RECORD;
    out->pRecInfo = info;  // the reference QueryInterface added goes with the VARIANT
    out->pvRecord = cell->record;
    return true;
  }
  if (declared == VT_UNKNOWN) {
    out->vt = VT_UNKNOWN;
    out->punkVal = object;
    if (object) object->AddRef();
    return true;
  }
  IDispatch* dispatch = nullptr;
  if (object) object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  if (dispatch || declared == VT_DISPATCH) {
    out->vt = VT_DISPATCH;
    out->pdispVal = dispatch;
    return true;
  }
  out->vt = VT_UNKNOWN;  // an object without IDispatch to a parameter of any other type
  out->punkVal = object;
  if (object) object->AddRef();
  return true;
}

}  // namespace

bool BuildVariant(const CmdArg& a, VARTYPE declared, VARIANT* out) {
  switch (KindOfArgument(a.type)) {
    case ArgKind::Missing:
      out->vt = VT_ERROR;
      out->scode = DISP_E_PARAMNOTFOUND;
      return true;
    case ArgKind::Logical:
      out->vt = VT_BOOL;
      out->boolVal = a.lo != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      return true;
    case ArgKind::DateTime:
      out->vt = VT_DATE;
      out->date = ArgDouble(a);
      return true;
    case ArgKind::Text:
      out->bstrVal = NewBstr(ArgText(a));
      if (!out->bstrVal) return false;
      out->vt = VT_BSTR;
      return true;
    case ArgKind::Byte:
      out->vt = VT_UI1;
      out->bVal = static_cast<BYTE>(a.lo);
      return true;
    case ArgKind::Short:
      out->vt = VT_I2;
      out->iVal = static_cast<SHORT>(a.lo);
      return true;
    case ArgKind::Integer:
    case ArgKind::LongLow:
      out->vt = VT_I4;
      out->lVal = static_cast<LONG>(a.lo);
      return true;
    case ArgKind::Float:
      out->vt = VT_R4;
      out->fltVal = ArgFloat(a);
      return true;
    case ArgKind::Double:
      out->vt = VT_R8;
      out->dblVal = ArgDouble(a);
      return true;
    case ArgKind::Variant: {
      auto* block = static_cast<VARIANT*>(ArgPtr(a));
      if (!block) return true;  // no block: an empty variant
      return SUCCEEDED(CopyFollowingReferences(out, block));
    }
    case ArgKind::Object: return BuildObject(static_cast<const ComObjectCell*>(ArgPtr(a)), declared, out);
    case ArgKind::Refused: return false;
  }
  return false;
}

bool StoreIntoVariable(const VARIANT& source, TypeCode t, void* variable) {
  if (!variable) return false;
  VARTYPE target = ReceivingVarType(t);
  if (target == 0 || (source.vt & VT_TYPEMASK) == VT_RECORD) return false;
  VARIANT copy;
  VariantInit(&copy);
  if (FAILED(CopyFollowingReferences(&copy, &source))) return false;
  if (t == tc::Variant) {
    auto** slot = static_cast<VARIANT**>(variable);
    if (!*slot) *slot = NewVariantBlock();
    VariantClear(*slot);
    **slot = copy;  // the block takes over what the copy holds
    return true;
  }
  if (FAILED(VariantChangeType(&copy, &copy, 0, target))) {
    VariantClear(&copy);
    return false;
  }
  switch (t) {
    case tc::ComObject: {
      auto* cell = static_cast<ComObjectCell*>(variable);
      ReleaseCell(cell);
      cell->object = copy.punkVal;  // the copy's reference goes to the cell
      return true;
    }
    case tc::Text: {
      auto** slot = static_cast<char**>(variable);
      char* text = NewText(copy.bstrVal, SysStringLen(copy.bstrVal));
      VariantClear(&copy);
      rt::FreeBlock(*slot);
      *slot = text;
      return true;
    }
    case tc::Logical: StoreScalar(t, variable, MakeLogical(copy.boolVal != VARIANT_FALSE)); break;
    case tc::DateTime: StoreScalar(t, variable, MakeDateTime(copy.date)); break;
    case tc::Byte: StoreScalar(t, variable, CmdArg{copy.bVal, 0, t}); break;
    case tc::Short: StoreScalar(t, variable, CmdArg{static_cast<uint32_t>(static_cast<int32_t>(copy.iVal)), 0, t}); break;
    case tc::Integer: StoreScalar(t, variable, MakeInt(copy.lVal)); break;
    case tc::Long: StoreScalar(t, variable, MakeLong(static_cast<int64_t>(copy.lVal))); break;
    case tc::Float: StoreScalar(t, variable, MakeFloat(copy.fltVal)); break;
    case tc::Double: StoreScalar(t, variable, MakeDouble(copy.dblVal)); break;
    default: break;
  }
  VariantClear(&copy);
  return true;
}

}  // namespace rt::com
