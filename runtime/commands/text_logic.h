// The text and number rules of the core commands, kept free of the command glue so they can
// be tested directly. Texts are GBK byte strings; positions are 1-based byte counts.
#pragma once
#include <cstdint>
#include <string>

namespace rt {

// Full-width ASCII forms (lead byte 0xA3) become ASCII, the full-width space a space,
// 0xA1 0xAB "~", 0xA1 0xEE/0xEF "*"; everything else is kept.
std::string NormaliseFullWidth(const char* text);
// Leading white space, one sign, decimal digits; 32-bit accumulation without overflow check.
int32_t ParseLeadingInteger(const char* text);
int32_t TextToInteger(const char* text);

// Position (1-based) of `key` in `text`, or -1. Matches never begin inside a double-byte character.
int32_t FindTextPosition(const char* text, const char* key, bool hasStart, int32_t start, bool ignoreCase);
// Byte ranges of MidText and LeftText as (offset, count); count 0 means the empty text.
void MidRange(uint32_t length, int32_t start, int32_t count, uint32_t& offset, uint32_t& bytes);
uint32_t LeftCount(uint32_t length, int32_t count);

// Halves away from zero, with a 1e-12 nudge for values a hair below a half.
double RoundToPlaces(double x, int32_t places);

// The answer code of a message box button (IDOK 1 ... IDNO 7) as the command returns it.
int32_t MessageBoxAnswer(int button);

}  // namespace rt
