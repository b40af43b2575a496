// The rules of the automation commands that need no platform call: outcome codes, which value
// types can travel to a member and as what variant type, how a by-reference argument is read
// and written through the caller's variable, and how passed arguments meet declared parameters.
#pragma once
#include <cstdint>
#include <vector>

#include "runtime/abi/values.h"

namespace rt::com {

// The per-thread outcome of the last member call.
enum Outcome : int32_t {
  kSuccess = 0,
  kEmptyObject = -1,
  kNoDispatch = -2,
  kNotBound = -3,
  kNoTypeInformation = -4,
  kTooManyArguments = -5,
  kArgumentNotPassable = -7,
  kResultNotConvertible = -8,
  kBadParamCount = -9,
  kBadVarType = -10,
  kException = -11,
  kMemberNotFound = -12,
  kNoNamedArgs = -13,
  kOverflow = -14,
  kParamNotFound = -15,
  kTypeMismatch = -16,
  kParamNotOptional = -17,
  kInvokeFailed = -18,
};

// The outcome of a failed IDispatch::Invoke, from its HRESULT.
int32_t OutcomeOfInvokeFailure(uint32_t hresult);

// How a caller's value of a type goes into a VARIANT.
enum class ArgKind { Missing, Logical, DateTime, Text, Byte, Short, Integer, LongLow, Float, Double, Variant, Object, Refused };
ArgKind KindOfArgument(TypeCode valueType);

// In a member call the flag bit marks an argument passed by reference: its value is the address
// of the caller's variable.
constexpr bool PassedByReference(TypeCode t) { return (t & tc::ArrayFlag) != 0 && t != tc::ArrayFlag; }
constexpr TypeCode ValueTypeOf(TypeCode t) { return t & ~tc::ArrayFlag; }

// The by-value form of an argument: a by-reference one read through the caller's variable. A
// `ComObject` is always its cell's address; a `Variant` the address of its block.
CmdArg ReadThrough(const CmdArg& arg);
// Stores a by-value result of the same value type into the caller's variable at `variable`
// (Text, Variant and ComObject variables are the callers' to free or release first).
void StoreScalar(TypeCode valueType, void* variable, const CmdArg& value);

// The variant type that a value of the type is converted to when it receives a result or an
// output argument; 0 when the type cannot receive one. `Variant` answers VT_VARIANT.
uint16_t ReceivingVarType(TypeCode valueType);

// Trailing omitted arguments are dropped: how many remain.
uint32_t ArgumentsToPass(const CmdArg* args, uint32_t count);

// For each passed argument the index of the declared parameter that describes it; false when
// more are passed than declared and the member takes no variable argument list
// (optionalCount -1). Extra arguments of such a list take the last declared parameter.
bool PlanParameters(uint32_t passed, uint32_t declared, int32_t optionalCount, std::vector<uint32_t>* parameterOf);

// Invocation kinds in the order a name is bound: method, property get, put, put by reference.
constexpr uint16_t kBindOrder[4] = {1, 2, 4, 8};

}  // namespace rt::com
