// Character-set names as the conversion layer understands them: the names and common aliases
// of the usual iconv libraries, matched without regard to case, and the "//TRANSLIT" and
// "//IGNORE" suffixes. Pure logic: which code pages exist is checked by the layer at open.
#pragma once
#include <cstdint>

namespace enc {

enum class CharsetKind {
  Utf8,
  Utf16LE,
  Utf16BE,
  Utf16Bom,  // byte order mark read on input (big-endian without one), written on output
  Ucs2LE,    // UTF-16 without surrogates: only the basic multilingual plane
  Ucs2BE,
  Ascii,
  Latin1,
  CodePage,  // a platform code page, single- or double-byte
};

struct Charset {
  CharsetKind kind = CharsetKind::Ascii;
  uint32_t codePage = 0;  // for CodePage
  bool eucCn = false;     // GB2312: code page 936 limited to the EUC-CN byte ranges
};

struct CharsetRequest {
  Charset charset;
  bool translit = false;
  bool ignore = false;
};

// Parses a name such as "utf-8", "GBK//IGNORE" or "" (the ANSI code page, also "CHAR").
// Returns false for a name this layer does not know.
bool ParseCharsetName(const char* name, uint32_t ansiCodePage, CharsetRequest* out);

}  // namespace enc
