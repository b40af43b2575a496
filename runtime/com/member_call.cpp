#include "runtime/com/member_call.h"

#include <string>
#include <vector>

#include "runtime/com/automation_rules.h"
#include "runtime/com/member_binding.h"
#include "runtime/com/variant_values.h"
#include "runtime/com/wide_text.h"

namespace rt::com {

namespace {

// One slot of the argument vector: what Invoke is handed, and, for a parameter declared as a
// pointer, the hidden VARIANT it refers to.
struct Slot {
  VARIANT hidden;
  bool byReference = false;
};

// The address of the value inside `v` that a VT_BYREF reference to a `type` points at.
void* ValueAddress(VARIANT* v, VARTYPE type) {
  if (type == VT_VARIANT || type == VT_DECIMAL) return v;
  return &v->lVal;  // every other member of the union starts there
}

// Builds the VARIANT for one argument into `arg`, going through `slot->hidden` for a pointer
// parameter. Answers false for an argument that cannot be passed.
bool BuildArgument(const CmdArg& callerArg, const DeclaredParameter& p, VARIANT* arg, Slot* slot) {
  CmdArg value = ReadThrough(callerArg);
  VARTYPE declared = p.isPointer() ? p.pointsTo : p.type;
  VARIANT built;
  VariantInit(&built);
  if (!BuildVariant(value, declared, &built)) return false;
  if (!p.isPointer() || value.type == tc::None) {
    *arg = built;
    return true;
  }
  if (declared == VT_VARIANT) {
    slot->hidden = built;
    arg->vt = VT_BYREF | VT_VARIANT;
    arg->pvarVal = &slot->hidden;
  } else if ((declared & VT_ARRAY) || declared == VT_SAFEARRAY) {
    slot->hidden = built;
    arg->vt = VT_BYREF | VT_ARRAY | (slot->hidden.vt & VT_TYPEMASK);
    arg->pparray = &slot->hidden.parray;
  } else if (SUCCEEDED(VariantChangeType(&slot->hidden, &built, 0, declared))) {
    VariantClear(&built);
    arg->vt = static_cast<VARTYPE>(VT_BYREF | declared);
    arg->byref = ValueAddress(&slot->hidden, declared);
  } else {
    *arg = built;  // not coercible: passed as built
    return true;
  }
  slot->byReference = true;
  return true;
}

struct Call {
  std::vector<VARIANT> args;  // reversed: the last argument first
  std::vector<Slot> slots;    // in caller order
  ~Call() {
    for (size_t i = 0; i < slots.size(); ++i) {
      if (!slots[i].byReference) VariantClear(&args[args.size() - 1 - i]);
      VariantClear(&slots[i].hidden);
    }
  }
};

}  // namespace

int32_t CallMember(const ComObjectCell* cell, const char* name, const CmdArg* callerArgs, uint32_t count,
                   VARIANT* result) {
  std::wstring wideName = Widen(name);
  if (!cell || !cell->object) return kEmptyObject;
  IDispatch* dispatch = nullptr;
  if (FAILED(cell->object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch)
    return kNoDispatch;
  uint32_t passed = ArgumentsToPass(callerArgs, count);
  BoundMember member;
  int32_t outcome = BindMember(dispatch, wideName.c_str(), passed, &member);
  std::vector<uint32_t> parameterOf;
  if (outcome == kSuccess &&
      !PlanParameters(passed, static_cast<uint32_t>(member.parameters.size()), member.optionalCount, &parameterOf))
    outcome = kTooManyArguments;
  if (outcome != kSuccess) {
    dispatch->Release();
    return outcome;
  }

  Call call;
  call.args.resize(passed);
  call.slots.resize(passed);
  for (auto& v : call.args) VariantInit(&v);
  for (auto& s : call.slots) VariantInit(&s.hidden);
  for (uint32_t i = 0; i < passed; ++i) {
    VARIANT* arg = &call.args[passed - 1 - i];
    if (!BuildArgument(callerArgs[i], member.parameters[parameterOf[i]], arg, &call.slots[i])) {
      VariantInit(arg);
      dispatch->Release();
      return kArgumentNotPassable;
    }
  }

  DISPID putId = DISPID_PROPERTYPUT;
  bool put = member.invokeKind == DISPATCH_PROPERTYPUT || member.invokeKind == DISPATCH_PROPERTYPUTREF;
  DISPPARAMS params{passed ? call.args.data() : nullptr, put ? &putId : nullptr, passed, put ? 1u : 0u};
  VARIANT answer;
  VariantInit(&answer);
  UINT argError = 0;
  HRESULT hr = dispatch->Invoke(member.id, IID_NULL, GetUserDefaultLCID(), member.invokeKind, &params,
                                put ? nullptr : &answer, nullptr, &argError);
  dispatch->Release();
  if (FAILED(hr)) {
    VariantClear(&answer);
    return OutcomeOfInvokeFailure(static_cast<uint32_t>(hr));
  }

  // Output parameters go back to the callers' variables that were passed by reference.
  for (uint32_t i = 0; i < passed && outcome == kSuccess; ++i) {
    const DeclaredParameter& p = member.parameters[parameterOf[i]];
    if (!call.slots[i].byReference || !(p.flags & PARAMFLAG_FOUT) || !PassedByReference(callerArgs[i].type)) continue;
    if (!StoreIntoVariable(call.slots[i].hidden, ValueTypeOf(callerArgs[i].type), ArgPtr(callerArgs[i])))
      outcome = kResultNotConvertible;
  }
  if (outcome == kSuccess) {
    if ((answer.vt & VT_TYPEMASK) == VT_RECORD || FAILED(CopyFollowingReferences(result, &answer))) {
      VariantInit(result);
      outcome = kResultNotConvertible;
    }
  }
  VariantClear(&answer);
  return outcome;
}

}  // namespace rt::com
