// Reading and writing one character of the Unicode forms the conversion layer handles itself
// (UTF-8, UTF-16 in both byte orders). Pure logic.
#pragma once
#include <cstddef>
#include <cstdint>

namespace enc {

enum class ReadResult {
  Ok,          // *cp and *used set
  Invalid,     // not a valid sequence; *used is how many bytes to skip when invalid input is ignored
  Incomplete,  // a valid start cut short by the end of the input
};

// Strict UTF-8: no overlong forms, no encoded surrogates, nothing above U+10FFFF.
ReadResult ReadUtf8(const uint8_t* p, size_t n, char32_t* cp, size_t* used);
// UTF-16 (surrogatePairs) or UCS-2 (no surrogates at all).
ReadResult ReadUtf16(const uint8_t* p, size_t n, bool littleEndian, bool surrogatePairs, char32_t* cp,
                     size_t* used);

// Writers take a valid scalar value and return the bytes written (at most 4).
size_t WriteUtf8(char32_t cp, uint8_t* out);
size_t WriteUtf16(char32_t cp, bool littleEndian, uint8_t* out);

}  // namespace enc
