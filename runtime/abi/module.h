// What a runtime module sees of the runtime: its descriptor layout, its notify entry and
// the one service entry through which it asks the runtime for anything.
#pragma once
#include <cstddef>
#include <cstdint>

#include "runtime/abi/values.h"

// (service code, argument 1, argument 2) -> result. The arguments and the result are words that
// may carry an address: 32 bits on the 32-bit program, pointer-wide on the 64-bit build.
using RuntimeServiceFn = AddrWord(__cdecl*)(uint32_t code, AddrWord arg1, AddrWord arg2);
// (message, argument 1, argument 2) -> word. Message 1: start-up, arg1 = the service entry.
// Message 6: exit, arg1 = the module's data word.
using ModuleNotifyFn = AddrWord(__cdecl*)(uint32_t message, AddrWord arg1, AddrWord arg2);

// The service entry travels to each module as notify message 1's first word.
inline AddrWord ServiceWord(RuntimeServiceFn fn) { return reinterpret_cast<AddrWord>(fn); }
inline RuntimeServiceFn ServiceFromWord(AddrWord w) { return reinterpret_cast<RuntimeServiceFn>(w); }

namespace notify {
constexpr uint32_t Startup = 1;
constexpr uint32_t Exit = 6;
}  // namespace notify

namespace svc {
constexpr uint32_t ProgramIcons = 1000;
constexpr uint32_t WindowRegistry = 1001;
constexpr uint32_t TypeEntry = 1002;
constexpr uint32_t Placeholder = 1004;
constexpr uint32_t RuntimeLevel = 1005;
constexpr uint32_t CopyRuntimeString = 1006;
constexpr uint32_t AttachWindow = 1011;
constexpr uint32_t AddIdleCallback = 1012;
constexpr uint32_t RemoveIdleCallback = 1013;
constexpr uint32_t IsUnitWindow = 1014;
constexpr uint32_t UnitDestroyed = 2000;
constexpr uint32_t ToInteger = 2001;
constexpr uint32_t Nothing2002 = 2002;
constexpr uint32_t ProgramDirectory = 2003;
constexpr uint32_t ProgramFileName = 2004;
constexpr uint32_t LoadWindow = 2005;
constexpr uint32_t FindUnit = 2006;
constexpr uint32_t FindUnitStrict = 2007;
constexpr uint32_t RaiseEvent = 2008;
constexpr uint32_t BlockEvents = 2009;
constexpr uint32_t UnblockEvents = 2010;
constexpr uint32_t CurrentEventSource = 2017;
constexpr uint32_t ProcessEvents = 2018;
constexpr uint32_t FreeArray = 2023;
constexpr uint32_t Allocate = 2024;
constexpr uint32_t Free = 2025;
constexpr uint32_t Resize = 2026;
constexpr uint32_t ReportError = 2027;
constexpr uint32_t Exit = 2028;
constexpr uint32_t ImageKind = 2030;
constexpr uint32_t RaiseTypedEvent = 2031;
constexpr uint32_t WindowCount = 2032;
constexpr uint32_t WindowHandle = 2033;
constexpr uint32_t RuntimeLevelValue = 0x30005;
constexpr uint32_t StringProgramDirectory = 2001;
constexpr uint32_t StringProgramFileName = 2002;
}  // namespace svc

// The records below are laid out in words: 4 bytes each on the 32-bit program; on the 64-bit build
// every word is a pointer-wide slot (alignas(AddrWord) on the numbers), so a record keeps its word
// count and every field its word position.
constexpr size_t kSlot = sizeof(AddrWord);

// One entry of a unit type's property table (20 bytes, 5 words).
struct PropertyInfo {
  const char* chineseName;
  const char* englishName;
  const char* explanation;
  alignas(AddrWord) uint32_t dataType;  // low 16 bits 1000..1024, high bits flags
  alignas(AddrWord) uint32_t state;
};
static_assert(sizeof(PropertyInfo) == 5 * kSlot && offsetof(PropertyInfo, dataType) == 3 * kSlot,
              "PropertyInfo is 5 words");
static_assert(kWideAddresses || sizeof(PropertyInfo) == 20, "PropertyInfo is 20 bytes on the 32-bit program");

// A unit type's entry in its module's type table (56 bytes, 14 words).
struct UnitTypeInfo {
  const char* chineseName;
  const char* englishName;
  const char* explanation;
  alignas(AddrWord) uint32_t methodCount;
  const void* methodTable;
  alignas(AddrWord) uint32_t stateFlags;
  alignas(AddrWord) uint32_t pictureId;
  alignas(AddrWord) uint32_t eventCount;
  const void* eventTable;
  alignas(AddrWord) uint32_t propertyCount;
  const PropertyInfo* properties;
  void* (__cdecl* interfaceGetter)(uint32_t interfaceNumber);
  alignas(AddrWord) uint32_t elementCount;
  const void* elementTable;
};
static_assert(sizeof(UnitTypeInfo) == 14 * kSlot, "UnitTypeInfo is 14 words");
static_assert(offsetof(UnitTypeInfo, stateFlags) == 5 * kSlot && offsetof(UnitTypeInfo, propertyCount) == 9 * kSlot &&
                  offsetof(UnitTypeInfo, interfaceGetter) == 11 * kSlot,
              "UnitTypeInfo word positions");
static_assert(kWideAddresses || sizeof(UnitTypeInfo) == 56, "UnitTypeInfo is 56 bytes on the 32-bit program");
static_assert(kWideAddresses || (offsetof(UnitTypeInfo, stateFlags) == 20 && offsetof(UnitTypeInfo, propertyCount) == 36 &&
                                 offsetof(UnitTypeInfo, interfaceGetter) == 44),
              "UnitTypeInfo field offsets on the 32-bit program");

constexpr uint32_t kModuleFormatStamp = 0x01312D65;  // 20000101

// A module's description in the program image: 144 bytes, 36 words.
struct ModuleDescriptor {
  alignas(AddrWord) uint32_t formatStamp;        // 0
  const char* identifier;                        // 1
  alignas(AddrWord) uint32_t versionMajor;       // 2
  alignas(AddrWord) uint32_t versionMinor;       // 3
  alignas(AddrWord) uint32_t versionBuild;       // 4
  AddrWord moreVersions[4];                      // 5-8
  const char* displayName;                       // 9
  alignas(AddrWord) uint32_t one;                // 10
  const char* description;                       // 11
  alignas(AddrWord) uint32_t flags;              // 12
  const char* moreTexts[8];                      // 13-20
  alignas(AddrWord) uint32_t typeCount;          // 21
  const UnitTypeInfo* types;                     // 22
  alignas(AddrWord) uint32_t reserved23;         // 23
  const void* reserved24;                        // 24
  alignas(AddrWord) uint32_t commandCount;       // 25
  const void* reserved26;                        // 26
  const CommandFn* commands;                     // 27
  const void* reserved28[2];                     // 28, 29
  ModuleNotifyFn notify;                         // 30
  const void* reserved31[5];                     // 31-35
};
static_assert(sizeof(ModuleDescriptor) == 36 * kSlot, "ModuleDescriptor is 36 words");
static_assert(offsetof(ModuleDescriptor, typeCount) == 21 * kSlot && offsetof(ModuleDescriptor, commands) == 27 * kSlot &&
                  offsetof(ModuleDescriptor, notify) == 30 * kSlot,
              "ModuleDescriptor word positions");
static_assert(kWideAddresses || sizeof(ModuleDescriptor) == 144, "ModuleDescriptor is 144 bytes on the 32-bit program");

// An event whose arguments are all 32-bit.
struct EventRecord {
  uint32_t windowId;
  uint32_t unitId;
  int32_t eventIndex;
  uint32_t argCount;
  uint32_t args[5];
  uint32_t hasResult;
  uint32_t result;
};
static_assert(sizeof(EventRecord) == 44, "EventRecord layout");

struct TypedEventArg {
  uint32_t lo;
  uint32_t hi;
  TypeCode type;
  uint32_t flags;  // bit 0: by reference (lo is an address); bit 1: always 8 bytes
};
struct TypedEventRecord {
  uint32_t windowId;
  uint32_t unitId;
  int32_t eventIndex;
  uint32_t argCount;
  TypedEventArg args[12];
  uint32_t hasResult;
  uint32_t resultLo;
  uint32_t resultHi;
};
static_assert(sizeof(TypedEventArg) == 16, "TypedEventArg layout");
static_assert(sizeof(TypedEventRecord) == 16 + 12 * 16 + 12, "TypedEventRecord layout");

// The idle callback record handed to service 1012.
struct IdleCallbackRecord {
  void* window;  // HWND
  void(__cdecl* function)(AddrWord parameter);
  AddrWord parameter;
};
