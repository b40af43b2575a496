// The conversions several commands share: any value to text, a numeric value to an integer,
// and the raw bytes a value stands for.
#pragma once
#include <cstdint>

#include "runtime/abi/values.h"

namespace rt {

// New heap text, or null for the empty text.
char* ValueToText(const CmdArg& value);
// Non-numeric values end the program with "欲转换数据类型不是数值".
int32_t ValueToInteger(const CmdArg& value);

struct DataView {
  const void* data;
  uint32_t size;
};
// The bytes a value stands for; {nullptr, 0} for types that have none.
DataView ValueDataView(const CmdArg& value);

// Pure pieces, exposed for their own tests.
double RoundFloatSixDigits(float x);
struct OleDateParts {
  int year, month, day, hour, minute, second;
};
OleDateParts SplitOleDate(double date);  // clamps to 0100-01-01 .. 9999-12-31

}  // namespace rt
