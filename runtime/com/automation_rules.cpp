#include "runtime/com/automation_rules.h"

#include <cstring>

namespace rt::com {

int32_t OutcomeOfInvokeFailure(uint32_t hresult) {
  switch (hresult) {
    case 0x8002000Eu: return kBadParamCount;     // DISP_E_BADPARAMCOUNT
    case 0x80020008u: return kBadVarType;        // DISP_E_BADVARTYPE
    case 0x80020009u: return kException;         // DISP_E_EXCEPTION
    case 0x80020003u: return kMemberNotFound;    // DISP_E_MEMBERNOTFOUND
    case 0x80020007u: return kNoNamedArgs;       // DISP_E_NONAMEDARGS
    case 0x8002000Au: return kOverflow;          // DISP_E_OVERFLOW
    case 0x80020004u: return kParamNotFound;     // DISP_E_PARAMNOTFOUND
    case 0x80020005u: return kTypeMismatch;      // DISP_E_TYPEMISMATCH
    case 0x8002000Fu: return kParamNotOptional;  // DISP_E_PARAMNOTOPTIONAL
    default: return kInvokeFailed;
  }
}

ArgKind KindOfArgument(TypeCode t) {
  switch (t) {
    case tc::None: return ArgKind::Missing;
    case tc::Logical: return ArgKind::Logical;
    case tc::DateTime: return ArgKind::DateTime;
    case tc::Text: return ArgKind::Text;
    case tc::Byte: return ArgKind::Byte;
    case tc::Short: return ArgKind::Short;
    case tc::Integer: return ArgKind::Integer;
    case tc::Long: return ArgKind::LongLow;
    case tc::Float: return ArgKind::Float;
    case tc::Double: return ArgKind::Double;
    case tc::Variant: return ArgKind::Variant;
    case tc::ComObject: return ArgKind::Object;
    default: return ArgKind::Refused;  // byte arrays, subroutine pointers, units, other module types
  }
}

namespace {
template <typename T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
template <typename T>
void Save(void* p, T v) {
  std::memcpy(p, &v, sizeof v);
}
}  // namespace

CmdArg ReadThrough(const CmdArg& arg) {
  TypeCode t = ValueTypeOf(arg.type);
  if (!PassedByReference(arg.type)) return arg;
  const void* p = ArgPtr(arg);
  if (!p) return CmdArg{0, 0, t};
  switch (t) {
    case tc::Byte: return CmdArg{Load<uint8_t>(p), 0, t};
    case tc::Short: return CmdArg{static_cast<uint32_t>(static_cast<int32_t>(Load<int16_t>(p))), 0, t};
    case tc::Integer:
    case tc::Logical: return CmdArg{Load<uint32_t>(p), 0, t};
    case tc::Float: return MakeFloat(Load<float>(p));
    case tc::Double: return MakeDouble(Load<double>(p));
    case tc::DateTime: return MakeDateTime(Load<double>(p));
    case tc::Long: return MakeLong(Load<int64_t>(p));
    case tc::Text: return MakePtr(Load<const char*>(p), t);
    case tc::Variant: return MakePtr(Load<const void*>(p), t);
    case tc::ComObject: return MakePtr(p, t);  // the variable is the cell
    default: return CmdArg{arg.lo, arg.hi, t};
  }
}

void StoreScalar(TypeCode t, void* variable, const CmdArg& v) {
  if (!variable) return;
  switch (t) {
    case tc::Byte: Save(variable, static_cast<uint8_t>(v.lo)); break;
    case tc::Short: Save(variable, static_cast<int16_t>(v.lo)); break;
    case tc::Integer: Save(variable, v.lo); break;
    case tc::Logical: Save(variable, v.lo != 0 ? 1u : 0u); break;
    case tc::Float: Save(variable, ArgFloat(v)); break;
    case tc::Double:
    case tc::DateTime: Save(variable, ArgDouble(v)); break;
    case tc::Long: Save(variable, ArgLong(v)); break;
    case tc::Text: Save(variable, ArgPtr(v)); break;
    default: break;
  }
}

uint16_t ReceivingVarType(TypeCode t) {
  switch (t) {
    case tc::ComObject: return 13;  // VT_UNKNOWN
    case tc::Logical: return 11;    // VT_BOOL
    case tc::DateTime: return 7;    // VT_DATE
    case tc::Text: return 8;        // VT_BSTR
    case tc::Byte: return 17;       // VT_UI1
    case tc::Short: return 2;       // VT_I2
    case tc::Integer:
    case tc::Long: return 3;        // VT_I4
    case tc::Float: return 4;       // VT_R4
    case tc::Double: return 5;      // VT_R8
    case tc::Variant: return 12;    // VT_VARIANT
    default: return 0;
  }
}

uint32_t ArgumentsToPass(const CmdArg* args, uint32_t count) {
  while (count > 0 && args[count - 1].type == tc::None) --count;
  return count;
}

bool PlanParameters(uint32_t passed, uint32_t declared, int32_t optionalCount, std::vector<uint32_t>* parameterOf) {
  parameterOf->clear();
  if (passed > declared && (optionalCount != -1 || declared == 0)) return false;
  for (uint32_t i = 0; i < passed; ++i) parameterOf->push_back(i < declared ? i : declared - 1);
  return true;
}

}  // namespace rt::com
