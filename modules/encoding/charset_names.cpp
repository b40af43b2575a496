#include "modules/encoding/charset_names.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace enc {
namespace {

// Longest name worth looking at; anything longer is unknown.
constexpr size_t kMaxName = 64;

struct Alias {
  const char* name;
  CharsetKind kind;
  uint32_t codePage;
  bool eucCn;
};

constexpr Alias kAliases[] = {
    {"UTF-8", CharsetKind::Utf8, 0, false},
    {"UTF8", CharsetKind::Utf8, 0, false},
    {"UTF-16", CharsetKind::Utf16Bom, 0, false},
    {"UTF16", CharsetKind::Utf16Bom, 0, false},
    {"UTF-16LE", CharsetKind::Utf16LE, 0, false},
    {"UTF16LE", CharsetKind::Utf16LE, 0, false},
    {"UTF-16BE", CharsetKind::Utf16BE, 0, false},
    {"UTF16BE", CharsetKind::Utf16BE, 0, false},
    {"WCHAR_T", CharsetKind::Utf16LE, 0, false},  // wchar_t is UTF-16 little-endian on this platform
    {"UCS-2LE", CharsetKind::Ucs2LE, 0, false},
    {"UNICODELITTLE", CharsetKind::Ucs2LE, 0, false},
    {"UCS-2BE", CharsetKind::Ucs2BE, 0, false},
    {"UNICODEBIG", CharsetKind::Ucs2BE, 0, false},
    {"UNICODE-1-1", CharsetKind::Ucs2BE, 0, false},
    {"CSUNICODE11", CharsetKind::Ucs2BE, 0, false},
    {"ASCII", CharsetKind::Ascii, 0, false},
    {"US-ASCII", CharsetKind::Ascii, 0, false},
    {"ANSI_X3.4-1968", CharsetKind::Ascii, 0, false},
    {"ANSI_X3.4-1986", CharsetKind::Ascii, 0, false},
    {"ISO646-US", CharsetKind::Ascii, 0, false},
    {"ISO_646.IRV:1991", CharsetKind::Ascii, 0, false},
    {"ISO-IR-6", CharsetKind::Ascii, 0, false},
    {"US", CharsetKind::Ascii, 0, false},
    {"IBM367", CharsetKind::Ascii, 0, false},
    {"CP367", CharsetKind::Ascii, 0, false},
    {"CSASCII", CharsetKind::Ascii, 0, false},
    {"ISO-8859-1", CharsetKind::Latin1, 0, false},
    {"ISO8859-1", CharsetKind::Latin1, 0, false},
    {"ISO_8859-1", CharsetKind::Latin1, 0, false},
    {"ISO_8859-1:1987", CharsetKind::Latin1, 0, false},
    {"ISO-IR-100", CharsetKind::Latin1, 0, false},
    {"LATIN1", CharsetKind::Latin1, 0, false},
    {"L1", CharsetKind::Latin1, 0, false},
    {"IBM819", CharsetKind::Latin1, 0, false},
    {"CP819", CharsetKind::Latin1, 0, false},
    {"CSISOLATIN1", CharsetKind::Latin1, 0, false},
    {"GBK", CharsetKind::CodePage, 936, false},
    {"CP936", CharsetKind::CodePage, 936, false},
    {"MS936", CharsetKind::CodePage, 936, false},
    {"WINDOWS-936", CharsetKind::CodePage, 936, false},
    {"GB2312", CharsetKind::CodePage, 936, true},
    {"EUC-CN", CharsetKind::CodePage, 936, true},
    {"EUCCN", CharsetKind::CodePage, 936, true},
    {"CSGB2312", CharsetKind::CodePage, 936, true},
    {"CN-GB", CharsetKind::CodePage, 936, true},
    {"GB18030", CharsetKind::CodePage, 54936, false},
    {"BIG5", CharsetKind::CodePage, 950, false},
    {"BIG-5", CharsetKind::CodePage, 950, false},
    {"BIG-FIVE", CharsetKind::CodePage, 950, false},
    {"BIGFIVE", CharsetKind::CodePage, 950, false},
    {"CN-BIG5", CharsetKind::CodePage, 950, false},
    {"CSBIG5", CharsetKind::CodePage, 950, false},
    {"CP950", CharsetKind::CodePage, 950, false},
    {"SHIFT_JIS", CharsetKind::CodePage, 932, false},
    {"SHIFT-JIS", CharsetKind::CodePage, 932, false},
    {"SJIS", CharsetKind::CodePage, 932, false},
    {"MS_KANJI", CharsetKind::CodePage, 932, false},
    {"CSSHIFTJIS", CharsetKind::CodePage, 932, false},
    {"CP932", CharsetKind::CodePage, 932, false},
    {"WINDOWS-31J", CharsetKind::CodePage, 932, false},
    {"CP949", CharsetKind::CodePage, 949, false},
    {"UHC", CharsetKind::CodePage, 949, false},
    {"MS-EE", CharsetKind::CodePage, 1250, false},
    {"MS-CYRL", CharsetKind::CodePage, 1251, false},
    {"MS-ANSI", CharsetKind::CodePage, 1252, false},
    {"MS-GREEK", CharsetKind::CodePage, 1253, false},
    {"MS-TURK", CharsetKind::CodePage, 1254, false},
    {"MS-HEBR", CharsetKind::CodePage, 1255, false},
    {"MS-ARAB", CharsetKind::CodePage, 1256, false},
    {"WINBALTRIM", CharsetKind::CodePage, 1257, false},
    {"KOI8-R", CharsetKind::CodePage, 20866, false},
    {"CSKOI8R", CharsetKind::CodePage, 20866, false},
    {"KOI8-U", CharsetKind::CodePage, 21866, false},
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EndsWith(const char* s, size_t len, const char* suffix) {
  size_t n = std::strlen(suffix);
  return len >= n && std::memcmp(s + len - n, suffix, n) == 0;
}

// Digits only, at least one, value fits; returns 0 otherwise.
uint32_t DecimalOf(const char* s) {
  if (!*s) return 0;
  uint32_t v = 0;
  for (; *s; ++s) {
    if (*s < '0' || *s > '9' || v > 100000) return 0;
    v = v * 10 + static_cast<uint32_t>(*s - '0');
  }
  return v;
}

// Code pages that the layer handles itself rather than through the platform.
Charset FromCodePageNumber(uint32_t cp) {
  switch (cp) {
    case 65001: return {CharsetKind::Utf8, 0, false};
    case 1200: return {CharsetKind::Utf16LE, 0, false};
    case 1201: return {CharsetKind::Utf16BE, 0, false};
    case 20127: return {CharsetKind::Ascii, 0, false};
    case 28591: return {CharsetKind::Latin1, 0, false};
    case 936: return {CharsetKind::CodePage, 936, false};
    default: return {CharsetKind::CodePage, cp, false};
  }
}

// "CP1251", "WINDOWS-1251", "ISO-8859-5": names that carry their number.
bool NumberedName(const char* upper, Charset* out) {
  uint32_t n = 0;
  if (std::strncmp(upper, "CP", 2) == 0) {
    n = DecimalOf(upper + 2);
  } else if (std::strncmp(upper, "WINDOWS-", 8) == 0) {
    n = DecimalOf(upper + 8);
  } else if (std::strncmp(upper, "ISO-8859-", 9) == 0 || std::strncmp(upper, "ISO_8859-", 9) == 0 ||
             std::strncmp(upper, "ISO8859-", 8) == 0) {
    uint32_t part = DecimalOf(upper + (upper[3] == '8' ? 8 : 9));
    if (part == 1) {
      *out = {CharsetKind::Latin1, 0, false};
      return true;
    }
    if ((part >= 2 && part <= 9) || part == 13 || part == 15) {
      *out = {CharsetKind::CodePage, 28590 + part, false};
      return true;
    }
    return false;
  }
  if (n == 0) return false;
  *out = FromCodePageNumber(n);
  return true;
}

}  // namespace

bool ParseCharsetName(const char* name, uint32_t ansiCodePage, CharsetRequest* out) {
  if (!name) name = "";
  size_t len = std::strlen(name);
  if (len >= kMaxName) return false;
  char upper[kMaxName];
  for (size_t i = 0; i < len; ++i) upper[i] = Upper(name[i]);
  upper[len] = 0;

  CharsetRequest request;
  // Suffixes may be stacked in either order; a bare trailing "//" means nothing.
  for (bool again = true; again;) {
    again = false;
    if (EndsWith(upper, len, "//TRANSLIT")) {
      request.translit = true;
      len -= 10;
      again = true;
    } else if (EndsWith(upper, len, "//IGNORE")) {
      request.ignore = true;
      len -= 8;
      again = true;
    }
    upper[len] = 0;
  }
  if (EndsWith(upper, len, "//")) upper[len -= 2] = 0;

  if (len == 0 || std::strcmp(upper, "CHAR") == 0) {
    // The ANSI code page goes by its "CP" name, so 936 becomes GBK like any other spelling.
    std::snprintf(upper, sizeof upper, "CP%u", static_cast<unsigned>(ansiCodePage));
  }
  for (const Alias& a : kAliases) {
    if (std::strcmp(upper, a.name) == 0) {
      request.charset = {a.kind, a.codePage, a.eucCn};
      *out = request;
      return true;
    }
  }
  if (!NumberedName(upper, &request.charset)) return false;
  *out = request;
  return true;
}

}  // namespace enc
