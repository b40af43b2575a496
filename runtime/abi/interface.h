// The door from the compiled application to the runtime: the interface table stored in the
// program image, the helper table behind slot 12, the image header, and the shape of event
// handlers and exit callbacks. The application includes this header set and nothing else of
// the runtime.
#pragma once
#include <cstddef>
#include <cstdint>

#include "runtime/abi/module.h"
#include "runtime/abi/values.h"

// What an event handler gives back: whether it returned a value, and the value (8 bytes for typed events).
struct HandlerResult {
  uint32_t returned;
  uint32_t lo;
  uint32_t hi;
};
// An event handler gets the event's arguments as 32-bit words (8-byte arguments take two words).
using EventHandlerFn = HandlerResult(__cdecl*)(const uint32_t* args, uint32_t wordCount);
using ExitCallbackFn = void(__cdecl*)();
using ApplicationEntryFn = int(__cdecl*)();

struct ImageHeader;

// The 13 slots, in their fixed order. Slots 1 and 12 give back the address to continue into;
// the caller calls it with its own arguments, untouched.
struct InterfaceTable {
  void(__cdecl* reportErrorByCode)(int32_t code);                                          // 0
  void*(__cdecl* resolveDllCommand)(int32_t index);                                       // 1
  CmdArg(__cdecl* callModuleCommand)(CommandFn fn, int32_t module, int32_t count, CmdArg* args);  // 2
  CmdArg(__cdecl* callCoreCommand)(CommandFn fn, int32_t count, CmdArg* args);              // 3
  uint64_t(__cdecl* readProperty)(uint32_t window, uint32_t unit, int32_t property, int32_t fourth);  // 4
  void(__cdecl* writeProperty)(uint32_t window, uint32_t unit, int32_t property, int32_t fourth,
                               uint32_t lo, uint32_t hi);                                  // 5
  void*(__cdecl* allocBlock)(uint32_t size);                                               // 6
  void*(__cdecl* reallocBlock)(void* block, uint32_t size);                                // 7
  void(__cdecl* freeBlock)(void* block);                                                   // 8
  void(__cdecl* exitProgram)(int32_t code);                                                // 9
  void(__cdecl* runMessageLoop)();                                                         // 10
  void(__cdecl* loadStartupWindow)(uint32_t windowId);                                     // 11
  const void*(__cdecl* helper)(int32_t index);                                             // 12
};
static_assert(sizeof(InterfaceTable) == 13 * sizeof(void*), "13 slots, each one address");
static_assert(kWideAddresses || sizeof(InterfaceTable) == 13 * 4, "13 slots of 4 bytes on the 32-bit program");

// The helpers reached through slot 12.
struct HelperTable {
  char*(__cdecl* findNextFile)(const char* pattern, uint32_t attributeMask, int32_t anyAttribute,
                               void** searchHandle);                                         // 0
  void(__cdecl* closeSearch)(void* searchHandle);                                            // 1
  void(__cdecl* makeArrayPrivate)(uint32_t elementWidth, void** arrayPointer);               // 2
  void(__cdecl* registerExitCallback)(ExitCallbackFn function);                              // 3
  uint64_t(__cdecl* readVarProperty)(const uint32_t* unitValue, int32_t property, int32_t fourth);  // 4
  void(__cdecl* writeVarProperty)(const uint32_t* unitValue, int32_t property, int32_t fourth, uint32_t lo,
                                  uint32_t hi);                                              // 5
  void(__cdecl* runtimeInit)(const ImageHeader* image);                                      // 6
};
static_assert(sizeof(HelperTable) == 7 * sizeof(void*), "7 helpers, each one address");
static_assert(kWideAddresses || sizeof(HelperTable) == 7 * 4, "7 helpers of 4 bytes on the 32-bit program");

namespace helper {
constexpr int32_t FindNextFile = 0, CloseSearch = 1, MakeArrayPrivate = 2, RegisterExitCallback = 3,
                  ReadVarProperty = 4, WriteVarProperty = 5, RuntimeInit = 6;
}

// Thirteen words at a fixed place of the program image; on the 64-bit build each is a
// pointer-wide slot (alignas(AddrWord) on the numbers), so the addresses keep all their bits.
struct ImageHeader {
  alignas(AddrWord) uint32_t kind;             // 0
  alignas(AddrWord) uint32_t reserved1;        // 1
  alignas(AddrWord) uint32_t reserved2;        // 2 (kept increased by one)
  const void* codeBase;                        // 3 handler offsets are relative to this
  const uint8_t* constantArea;                 // 4
  alignas(AddrWord) uint32_t constantLength;   // 5
  const uint8_t* formData;                     // 6
  alignas(AddrWord) uint32_t formLength;       // 7
  alignas(AddrWord) uint32_t moduleCount;      // 8
  const ModuleDescriptor* const* modules;      // 9
  alignas(AddrWord) uint32_t dllCommandCount;  // 10
  const char* const* dllFiles;                 // 11
  const char* const* dllEntries;               // 12
};
static_assert(sizeof(ImageHeader) == 13 * sizeof(AddrWord), "ImageHeader is 13 slots");
static_assert(offsetof(ImageHeader, codeBase) == 3 * sizeof(AddrWord) &&
                  offsetof(ImageHeader, modules) == 9 * sizeof(AddrWord) &&
                  offsetof(ImageHeader, dllEntries) == 12 * sizeof(AddrWord),
              "ImageHeader slot positions");
static_assert(kWideAddresses || sizeof(ImageHeader) == 13 * 4, "ImageHeader is 13 words on the 32-bit program");
