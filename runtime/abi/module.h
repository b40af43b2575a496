// What a runtime module sees of the runtime: its descriptor layout, its notify entry and
// the one service entry through which it asks the runtime for anything.
#pragma once
#include <cstddef>
#include <cstdint>

#include "runtime/abi/values.h"

// (service code, argument 1, argument 2) -> 32-bit result.
using RuntimeServiceFn = uint32_t(__cdecl*)(uint32_t code, uint32_t arg1, uint32_t arg2);
// (message, argument 1, argument 2) -> 32-bit. Message 1: start-up, arg1 = the service entry.
// Message 6: exit, arg1 = the module's data word.
using ModuleNotifyFn = uint32_t(__cdecl*)(uint32_t message, uint32_t arg1, uint32_t arg2);

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

// One entry of a unit type's property table (20 bytes).
struct PropertyInfo {
  const char* chineseName;
  const char* englishName;
  const char* explanation;
  uint32_t dataType;  // low 16 bits 1000..1024, high bits flags
  uint32_t state;
};
static_assert(sizeof(PropertyInfo) == 20, "PropertyInfo is 20 bytes");

// A unit type's entry in its module's type table (56 bytes).
struct UnitTypeInfo {
  const char* chineseName;
  const char* englishName;
  const char* explanation;
  uint32_t methodCount;
  const void* methodTable;
  uint32_t stateFlags;
  uint32_t pictureId;
  uint32_t eventCount;
  const void* eventTable;
  uint32_t propertyCount;
  const PropertyInfo* properties;
  void* (__cdecl* interfaceGetter)(uint32_t interfaceNumber);
  uint32_t elementCount;
  const void* elementTable;
};
static_assert(sizeof(UnitTypeInfo) == 56, "UnitTypeInfo is 56 bytes");
static_assert(offsetof(UnitTypeInfo, stateFlags) == 20 && offsetof(UnitTypeInfo, propertyCount) == 36 &&
                  offsetof(UnitTypeInfo, interfaceGetter) == 44,
              "UnitTypeInfo field offsets");

constexpr uint32_t kModuleFormatStamp = 0x01312D65;  // 20000101

// A module's description in the program image: 144 bytes, 36 words.
struct ModuleDescriptor {
  uint32_t formatStamp;        // 0
  const char* identifier;      // 1
  uint32_t versionMajor;       // 2
  uint32_t versionMinor;       // 3
  uint32_t versionBuild;       // 4
  uint32_t moreVersions[4];    // 5-8
  const char* displayName;     // 9
  uint32_t one;                // 10
  const char* description;     // 11
  uint32_t flags;              // 12
  const char* moreTexts[8];    // 13-20
  uint32_t typeCount;          // 21
  const UnitTypeInfo* types;   // 22
  uint32_t reserved23;         // 23
  const void* reserved24;      // 24
  uint32_t commandCount;       // 25
  const void* reserved26;      // 26
  const CommandFn* commands;   // 27
  const void* reserved28[2];   // 28, 29
  ModuleNotifyFn notify;       // 30
  const void* reserved31[5];   // 31-35
};
static_assert(sizeof(ModuleDescriptor) == 144, "ModuleDescriptor is 144 bytes");
static_assert(offsetof(ModuleDescriptor, typeCount) == 21 * 4 && offsetof(ModuleDescriptor, commands) == 27 * 4 &&
                  offsetof(ModuleDescriptor, notify) == 30 * 4,
              "ModuleDescriptor word positions");

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
  void(__cdecl* function)(uint32_t parameter);
  uint32_t parameter;
};

// Helpers for module code: pass pointers through the 32-bit service words.
inline uint32_t Word(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }
template <typename T>
inline T* FromWord(uint32_t w) { return reinterpret_cast<T*>(static_cast<uintptr_t>(w)); }
