// A program image for tests, laid out like the shipped one: the real module list plus a
// recording module, a few constants, and DLL commands for the resolution tests.
#pragma once
#include <string>
#include <vector>

#include "runtime/abi/interface.h"

namespace testimg {

// Constants of the test image's constant area.
const char* Hello();        // "hello"
const uint8_t* Constants();  // start of the area
uint32_t ConstantsLength();
const void* ConstantByteArray();  // {1, 3, 'a', 'b', 'c'}

// The header; RuntimeInit has not been called on it.
const ImageHeader& Header();
// Calls RuntimeInit with the test image once per process.
void InitRuntime();

// What the recording module saw: "notify 1", "notify 6", in order.
std::vector<std::string>& RecordedNotifications();
RuntimeServiceFn RecordedService();

// The test image's DLL commands: 0 GetTickCount from the system DLLs, 1 ordinal of kernel32,
// 2 a missing entry of a named DLL, 3 a missing entry with no DLL named.
enum { kDllGetTickCount = 0, kDllByOrdinal = 1, kDllMissingNamed = 2, kDllMissingUnnamed = 3 };

}  // namespace testimg
