// Typed values shared by the compiled application, the runtime and the modules.
// Every layout here is fixed: 32-bit addresses, little-endian, no padding.
#pragma once
#include <cstddef>
#include <cstdint>

static_assert(sizeof(void*) == 4, "the value layouts assume 32-bit addresses");

using TypeCode = uint32_t;

namespace tc {
constexpr TypeCode None      = 0;
constexpr TypeCode Byte      = 0x80000101;
constexpr TypeCode Short     = 0x80000201;
constexpr TypeCode Integer   = 0x80000301;
constexpr TypeCode Long      = 0x80000401;
constexpr TypeCode Float     = 0x80000501;
constexpr TypeCode Double    = 0x80000601;
constexpr TypeCode Logical   = 0x80000002;
constexpr TypeCode DateTime  = 0x80000003;
constexpr TypeCode Text      = 0x80000004;
constexpr TypeCode ByteArray = 0x80000005;
constexpr TypeCode SubPtr    = 0x80000006;
constexpr TypeCode Wide8     = 0x80000008;
constexpr TypeCode ArrayFlag = 0x20000000;

// Types defined by modules: (module index + 1) << 16 | 1-based type number.
constexpr TypeCode Window       = 0x00010001;
constexpr TypeCode Menu         = 0x00010003;
constexpr TypeCode EditBox      = 0x00010005;
constexpr TypeCode Label        = 0x0001000A;
constexpr TypeCode Button       = 0x0001000B;
constexpr TypeCode ProcessBar   = 0x00010013;
constexpr TypeCode CommonDlg    = 0x0001001F;
constexpr TypeCode ComObject    = 0x00010030;
constexpr TypeCode Variant      = 0x00010031;
constexpr TypeCode ListView     = 0x00030004;
constexpr TypeCode Regex        = 0x00060001;
constexpr TypeCode SearchResult = 0x00060002;

constexpr TypeCode ModuleType(uint32_t moduleIndex, uint32_t typeNumber) {
  return ((moduleIndex + 1) << 16) | typeNumber;
}
// 0 no type, 1 built-in, 2 user record, 3 module type.
constexpr int ClassOf(TypeCode t) {
  return t == 0 ? 0 : (t & 0xC0000000u) == 0x80000000u ? 1 : (t & 0xC0000000u) == 0x40000000u ? 2 : 3;
}
constexpr bool IsArray(TypeCode t) { return (t & ArrayFlag) != 0; }
constexpr TypeCode ElementOf(TypeCode t) { return t & ~ArrayFlag; }
// Width of the numeric types; every other code is 0.
constexpr uint32_t NumericWidth(TypeCode t) {
  switch (t) {
    case Byte: return 1;
    case Short: return 2;
    case Integer: return 4;
    case Long: return 8;
    case Float: return 4;
    case Double: return 8;
    default: return 0;
  }
}
constexpr bool IsNumeric(TypeCode t) { return NumericWidth(t) != 0; }
}  // namespace tc

// The 12-byte typed value record. An omitted argument has all three fields 0.
struct CmdArg {
  uint32_t lo;
  uint32_t hi;
  TypeCode type;
};
static_assert(sizeof(CmdArg) == 12, "CmdArg is 12 bytes");
static_assert(offsetof(CmdArg, lo) == 0 && offsetof(CmdArg, hi) == 4 && offsetof(CmdArg, type) == 8,
              "CmdArg field offsets");

// Every command of every module: (result, argument count, first argument).
using CommandFn = void(__cdecl*)(CmdArg* result, int32_t count, CmdArg* args);

// An array value: dimension count n, n sizes, then the elements. A byte array is {1, length, bytes}.
struct ArrayBlock {
  uint32_t dims;
  uint32_t sizes[1];  // really `dims` entries, then the elements
};
static_assert(sizeof(ArrayBlock) == 8, "ArrayBlock header of a one-dimensional array");

inline uint32_t ByteArrayLength(const void* block) {
  return block ? static_cast<const uint32_t*>(block)[1] : 0;
}
inline const uint8_t* ByteArrayData(const void* block) {
  return block ? static_cast<const uint8_t*>(block) + 8 : nullptr;
}

// Building CmdArg values.
inline CmdArg MakeInt(int32_t v) { return CmdArg{static_cast<uint32_t>(v), 0, tc::Integer}; }
inline CmdArg MakeLogical(bool v) { return CmdArg{v ? 1u : 0u, 0, tc::Logical}; }
inline CmdArg MakePtr(const void* p, TypeCode t) {
  return CmdArg{static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)), 0, t};
}
inline CmdArg MakeText(const char* s) { return MakePtr(s, tc::Text); }
CmdArg MakeDouble(double v);
CmdArg MakeDateTime(double v);
CmdArg MakeFloat(float v);
CmdArg MakeLong(int64_t v);
double ArgDouble(const CmdArg& a);    // the 8 bytes as a double
float ArgFloat(const CmdArg& a);      // the low 4 bytes as a float
int64_t ArgLong(const CmdArg& a);
inline void* ArgPtr(const CmdArg& a) { return reinterpret_cast<void*>(static_cast<uintptr_t>(a.lo)); }
inline const char* ArgText(const CmdArg& a) { return static_cast<const char*>(ArgPtr(a)); }
