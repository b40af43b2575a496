#include "modules/encoding/code_page_codec.h"

#include <windows.h>

#include <cstring>

namespace enc {

bool CodePageCodec::Open(uint32_t codePage, bool eucCn) {
  if (!IsValidCodePage(codePage)) return false;
  CPINFO info;
  if (!GetCPInfo(codePage, &info) || info.MaxCharSize < 1 || info.MaxCharSize > 2) return false;
  codePage_ = codePage;
  eucCn_ = eucCn;
  for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
    for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead_[b] = true;
  }
  // Find out once which way this code page lets us notice unrepresentable characters.
  wchar_t probe = L'A';
  char out[4];
  BOOL used = FALSE;
  if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &probe, 1, out, sizeof out, nullptr, &used) > 0) {
    encodeFlags_ = WC_NO_BEST_FIT_CHARS;
    reportsDefaultUse_ = true;
  } else if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &probe, 1, out, sizeof out, nullptr, nullptr) > 0) {
    encodeFlags_ = WC_NO_BEST_FIT_CHARS;
  } else {
    encodeFlags_ = 0;
  }
  char ascii[128];
  wchar_t wide[128];
  for (int i = 0; i < 128; ++i) ascii[i] = static_cast<char>(i);
  char back[128];
  asciiCompatible_ = !lead_[0] &&
                     MultiByteToWideChar(codePage, 0, ascii, 128, wide, 128) == 128 &&
                     WideCharToMultiByte(codePage, 0, wide, 128, back, 128, nullptr, nullptr) == 128 &&
                     std::memcmp(ascii, back, 128) == 0;
  for (int i = 0; asciiCompatible_ && i < 128; ++i) asciiCompatible_ = wide[i] == i;
  return true;
}

bool CodePageCodec::WithinEucCn(const uint8_t* bytes, size_t len) const {
  if (!eucCn_) return true;
  if (len == 1) return bytes[0] < 0x80;
  return bytes[0] >= 0xA1 && bytes[0] <= 0xF7 && bytes[1] >= 0xA1 && bytes[1] <= 0xFE;
}

bool CodePageCodec::DecodeOne(const uint8_t* p, size_t len, char32_t* cp) const {
  if (!WithinEucCn(p, len)) return false;
  wchar_t w[2];
  int got = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(p),
                                static_cast<int>(len), w, 2);
  if (got != 1) return false;
  *cp = w[0];
  return true;
}

size_t CodePageCodec::Decode(const uint8_t* p, size_t n, size_t maxChars, bool stopAtAscii, char32_t* cps,
                             uint8_t* lens, ReadResult* stop, size_t* skip) const {
  if (maxChars > kMaxRun) maxChars = kMaxRun;
  // Find the whole characters first, then decode them in one call; only a run the platform
  // rejects is walked again character by character to find the bad one.
  size_t count = 0, bytes = 0;
  *stop = ReadResult::Ok;
  while (count < maxChars && bytes < n) {
    if (stopAtAscii && count > 0 && p[bytes] < 0x80) break;
    size_t len = CharLength(p[bytes]);
    if (bytes + len > n) {
      *stop = ReadResult::Incomplete;
      break;
    }
    lens[count++] = static_cast<uint8_t>(len);
    bytes += len;
  }
  wchar_t wide[kMaxRun];
  bool whole = count > 0 && MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(p),
                                                static_cast<int>(bytes), wide, static_cast<int>(count)) ==
                                static_cast<int>(count);
  if (whole && eucCn_) {
    for (size_t i = 0, at = 0; i < count && whole; at += lens[i++]) whole = WithinEucCn(p + at, lens[i]);
  }
  if (whole) {
    for (size_t i = 0; i < count; ++i) cps[i] = wide[i];
    return count;
  }
  size_t at = 0;
  for (size_t i = 0; i < count; at += lens[i++]) {
    if (!DecodeOne(p + at, lens[i], &cps[i])) {
      *stop = ReadResult::Invalid;
      *skip = 1;
      return i;
    }
  }
  return count;
}

size_t CodePageCodec::EncodeOne(char32_t cp, uint8_t* out) const {
  if (cp > 0xFFFF) return 0;  // no single- or double-byte code page holds these
  wchar_t w = static_cast<wchar_t>(cp);
  BOOL used = FALSE;
  int got = WideCharToMultiByte(codePage_, encodeFlags_, &w, 1, reinterpret_cast<char*>(out), 2, nullptr,
                                reportsDefaultUse_ ? &used : nullptr);
  if (got <= 0 || used) return 0;
  if (!reportsDefaultUse_) {
    wchar_t back[2];
    if (MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(out), got, back, 2) != 1 ||
        back[0] != w)
      return 0;
  }
  size_t len = static_cast<size_t>(got);
  if (len != CharLength(out[0]) || !WithinEucCn(out, len)) return 0;
  return len;
}

// One platform call for the whole run; 0 when anything in it needs a closer look.
size_t CodePageCodec::EncodeRunFast(const char32_t* cps, size_t n, uint8_t* out, uint8_t* lens) const {
  wchar_t wide[kMaxRun];
  for (size_t i = 0; i < n; ++i) {
    if (cps[i] > 0xFFFF || (cps[i] >= 0xD800 && cps[i] <= 0xDFFF)) return 0;
    wide[i] = static_cast<wchar_t>(cps[i]);
  }
  BOOL used = FALSE;
  int got = WideCharToMultiByte(codePage_, encodeFlags_, wide, static_cast<int>(n), reinterpret_cast<char*>(out),
                                static_cast<int>(2 * n), nullptr, reportsDefaultUse_ ? &used : nullptr);
  if (got <= 0 || used) return 0;
  if (!reportsDefaultUse_) {
    wchar_t back[kMaxRun];
    if (MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(out), got, back,
                            static_cast<int>(n)) != static_cast<int>(n) ||
        std::memcmp(back, wide, n * sizeof(wchar_t)) != 0)
      return 0;
  }
  // Split the bytes back into characters; they must line up one for one.
  size_t at = 0, i = 0;
  for (; i < n && at < static_cast<size_t>(got); ++i) {
    size_t len = CharLength(out[at]);
    if (at + len > static_cast<size_t>(got) || !WithinEucCn(out + at, len)) return 0;
    lens[i] = static_cast<uint8_t>(len);
    at += len;
  }
  return i == n && at == static_cast<size_t>(got) ? n : 0;
}

size_t CodePageCodec::Encode(const char32_t* cps, size_t n, uint8_t* out, uint8_t* lens) const {
  if (n == 0) return 0;
  if (EncodeRunFast(cps, n, out, lens) == n) return n;
  size_t at = 0;
  for (size_t i = 0; i < n; ++i) {
    size_t len = EncodeOne(cps[i], out + at);
    if (len == 0) return i;
    lens[i] = static_cast<uint8_t>(len);
    at += len;
  }
  return n;
}

size_t CodePageCodec::BestFit(char32_t cp, uint8_t* out) const {
  if (cp > 0xFFFF) return 0;
  wchar_t w = static_cast<wchar_t>(cp);
  BOOL used = FALSE;
  int got = WideCharToMultiByte(codePage_, 0, &w, 1, reinterpret_cast<char*>(out), 2, nullptr,
                                reportsDefaultUse_ ? &used : nullptr);
  if (got <= 0 || used || !WithinEucCn(out, static_cast<size_t>(got))) return 0;
  return static_cast<size_t>(got);
}

}  // namespace enc
