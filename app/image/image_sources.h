// The readable sources of the program image: the application's constant texts and its
// window descriptions, which the build-time generator serialises.
#pragma once
#include <cstdint>
#include <vector>

struct ConstantText {
  const char* name;  // the name the application's code uses for its offset
  const char* text;  // GBK
};
// Ends with {nullptr, nullptr}.
extern const ConstantText kAppConstantTexts[];

// The form segment of all the program's windows.
std::vector<uint8_t> BuildFormSegment();
