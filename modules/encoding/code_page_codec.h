// A platform code page (single- or double-byte) as seen by the conversion layer: character
// boundaries, strict decoding and encoding that report what the code page cannot hold instead
// of replacing it, and a best-fit form for transliteration.
#pragma once
#include <cstddef>
#include <cstdint>

#include "modules/encoding/unicode_codecs.h"

namespace enc {

class CodePageCodec {
 public:
  // Characters handled per run; callers keep their run buffers this large.
  static constexpr size_t kMaxRun = 512;

  // False when the platform lacks the code page or its characters take more than two bytes.
  // eucCn limits code page 936 to the GB2312 (EUC-CN) byte ranges.
  bool Open(uint32_t codePage, bool eucCn);

  // Whether bytes 0x00-0x7F are ASCII both ways, so that ASCII text may be copied through.
  bool AsciiCompatible() const { return asciiCompatible_; }

  // Reads up to maxChars (at most kMaxRun) whole characters from p[0..n). Returns how many were
  // read and sets *stop: Ok when the input or maxChars ran out (or, with stopAtAscii, an ASCII
  // character follows), Invalid or Incomplete for the character after the last one read (with
  // *skip the bytes to step over an invalid one).
  size_t Decode(const uint8_t* p, size_t n, size_t maxChars, bool stopAtAscii, char32_t* cps, uint8_t* lens,
                ReadResult* stop, size_t* skip) const;

  // Encodes cps[0..n) (n at most kMaxRun) into out, giving each character's byte count in lens.
  // Returns how many characters were encoded before the first one the code page cannot hold.
  // out must hold 2 bytes per character.
  size_t Encode(const char32_t* cps, size_t n, uint8_t* out, uint8_t* lens) const;

  // The platform's nearest replacement for a character the code page cannot hold; 0 if none.
  size_t BestFit(char32_t cp, uint8_t* out) const;

 private:
  size_t CharLength(uint8_t lead) const { return lead_[lead] ? 2 : 1; }
  bool WithinEucCn(const uint8_t* bytes, size_t len) const;
  bool DecodeOne(const uint8_t* p, size_t len, char32_t* cp) const;
  size_t EncodeOne(char32_t cp, uint8_t* out) const;
  size_t EncodeRunFast(const char32_t* cps, size_t n, uint8_t* out, uint8_t* lens) const;

  uint32_t codePage_ = 0;
  bool eucCn_ = false;
  bool lead_[256] = {};
  uint32_t encodeFlags_ = 0;
  // Some code pages refuse the used-default-character report; those are checked by decoding
  // the result back instead.
  bool reportsDefaultUse_ = false;
  bool asciiCompatible_ = false;
};

}  // namespace enc
