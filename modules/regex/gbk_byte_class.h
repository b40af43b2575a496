// Character classes of the bytes of GBK text, in the bit layout of the system's CT_CTYPE1
// classification (the layout the regex traits test against).
#pragma once
#include <cstdint>

namespace rx {

namespace ctype1 {
constexpr uint16_t Upper = 0x0001;
constexpr uint16_t Lower = 0x0002;
constexpr uint16_t Digit = 0x0004;
constexpr uint16_t Space = 0x0008;
constexpr uint16_t Punct = 0x0010;
constexpr uint16_t Cntrl = 0x0020;
constexpr uint16_t Blank = 0x0040;
constexpr uint16_t XDigit = 0x0080;
constexpr uint16_t Alpha = 0x0100;
constexpr uint16_t Defined = 0x0200;
// Every class bit above; the traits keep their own extra bits (word, vertical, ...) above these.
constexpr uint16_t AllClasses = 0x03FF;
}  // namespace ctype1

// A byte with bit 7 set never stands alone in GBK: it is the lead or the trail of a double-byte
// character.
constexpr bool IsHighByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The class of a high byte, fixed rather than asked of the system: under code page 936 the system
// classifies a whole 256-byte run at once, gets fewer characters back than bytes, and leaves the
// tail of its table undefined. 0x80..0xFE are lead and trail bytes of double-byte characters, so
// they count as parts of a letter: never space, blank, control or punctuation, and \w runs over
// Chinese text. 0xFF never occurs in GBK and belongs to no class.
constexpr uint16_t HighByteClass(unsigned char b) {
  return b == 0xFF ? 0 : static_cast<uint16_t>(ctype1::Alpha | ctype1::Defined);
}

}  // namespace rx
