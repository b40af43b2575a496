// Typed values shared by the compiled application, the runtime and the modules.
// Every layout here is fixed: little-endian, no padding. The 32-bit program stores an address in
// a 32-bit word; the 64-bit build of the same sources keeps every byte format as it is and carries
// addresses in pointer-wide slots of its in-memory records, and in a CmdArg's two halves.
#pragma once
#include <cstddef>
#include <cstdint>

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "a 32-bit or a 64-bit target");
constexpr bool kWideAddresses = sizeof(void*) == 8;

// The one conversion between addresses and the words that carry them. Nothing else casts a
// pointer to an integer: a pointer cut to 32 bits on the 64-bit build is a bug, never a shortcut.
//
// AddrWord: an address as the runtime's service entry, notify entries and in-memory records carry
// it; 32 bits on the 32-bit program, pointer-wide on the 64-bit build.
using AddrWord = uintptr_t;
inline AddrWord Word(const void* p) { return reinterpret_cast<AddrWord>(p); }
template <typename T>
inline T* FromWord(AddrWord w) { return reinterpret_cast<T*>(w); }
// The low and high 32 bits of an address, as a CmdArg or a property pair carries it.
inline uint32_t AddrLow(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }
inline uint32_t AddrHigh(const void* p) {
  return static_cast<uint32_t>(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)) >> 32);
}
template <typename T = void>
inline T* AddrFromHalves(uint32_t lo, uint32_t hi) {
  if constexpr (kWideAddresses) {
    return reinterpret_cast<T*>(static_cast<uintptr_t>((static_cast<uint64_t>(hi) << 32) | lo));
  } else {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(lo));  // the 32-bit program ignores the high half
  }
}
// Handles (windows, menus, cursors, kernel objects) are 32-bit values on both targets, and 64-bit
// Windows hands out pseudo-handles such as (HANDLE)-1: a handle read back from a 32-bit word is
// sign-extended, so every such value survives the round trip.
template <typename H>
inline uint32_t HandleWord(H h) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)); }
template <typename H>
inline H HandleFromWord(uint32_t w) {
  return reinterpret_cast<H>(static_cast<intptr_t>(static_cast<int32_t>(w)));
}

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
// Width of one element of an array of this type: the numeric widths, and an owned pointer for
// Text and ByteArray elements (4 bytes on the 32-bit program, 8 on the 64-bit build).
constexpr uint32_t ElementWidth(TypeCode element) {
  return element == Text || element == ByteArray ? static_cast<uint32_t>(sizeof(void*)) : NumericWidth(element);
}
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

// The elements of a one-dimensional array whose elements are addresses (texts, byte arrays, the
// cells of module objects): one address each, pointer-wide, from offset 8.
inline void* const* AddressElements(const void* block) {
  return reinterpret_cast<void* const*>(static_cast<const uint8_t*>(block) + 8);
}

// Building CmdArg values.
inline CmdArg MakeInt(int32_t v) { return CmdArg{static_cast<uint32_t>(v), 0, tc::Integer}; }
inline CmdArg MakeLogical(bool v) { return CmdArg{v ? 1u : 0u, 0, tc::Logical}; }
inline CmdArg MakePtr(const void* p, TypeCode t) { return CmdArg{AddrLow(p), AddrHigh(p), t}; }
inline CmdArg MakeText(const char* s) { return MakePtr(s, tc::Text); }
CmdArg MakeDouble(double v);
CmdArg MakeDateTime(double v);
CmdArg MakeFloat(float v);
CmdArg MakeLong(int64_t v);
double ArgDouble(const CmdArg& a);    // the 8 bytes as a double
float ArgFloat(const CmdArg& a);      // the low 4 bytes as a float
int64_t ArgLong(const CmdArg& a);
inline void* ArgPtr(const CmdArg& a) { return AddrFromHalves(a.lo, a.hi); }
inline const char* ArgText(const CmdArg& a) { return static_cast<const char*>(ArgPtr(a)); }
