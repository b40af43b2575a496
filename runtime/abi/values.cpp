#include "runtime/abi/values.h"

#include <cstring>

namespace {
CmdArg From8(const void* p, TypeCode t) {
  CmdArg a{0, 0, t};
  std::memcpy(&a.lo, p, 4);
  std::memcpy(&a.hi, static_cast<const char*>(p) + 4, 4);
  return a;
}
}  // namespace

CmdArg MakeDouble(double v) { return From8(&v, tc::Double); }
CmdArg MakeDateTime(double v) { return From8(&v, tc::DateTime); }
CmdArg MakeLong(int64_t v) { return From8(&v, tc::Long); }
CmdArg MakeFloat(float v) {
  CmdArg a{0, 0, tc::Float};
  std::memcpy(&a.lo, &v, 4);
  return a;
}
double ArgDouble(const CmdArg& a) {
  uint64_t bits = (static_cast<uint64_t>(a.hi) << 32) | a.lo;
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}
float ArgFloat(const CmdArg& a) {
  float f;
  std::memcpy(&f, &a.lo, 4);
  return f;
}
int64_t ArgLong(const CmdArg& a) {
  return static_cast<int64_t>((static_cast<uint64_t>(a.hi) << 32) | a.lo);
}
