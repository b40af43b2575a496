// The converter goes through Unicode: the source is read a run of characters at a time into
// code points, which are written in the target; only characters that fit in the output are
// committed, so the pointers always stand on a character boundary.
#include "modules/encoding/iconv_layer.h"

#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

#include "modules/encoding/charset_names.h"
#include "modules/encoding/code_page_codec.h"
#include "modules/encoding/unicode_codecs.h"

namespace {

using enc::CharsetKind;
using enc::ReadResult;

constexpr size_t kRun = enc::CodePageCodec::kMaxRun;
// Stands for input bytes stepped over under "//IGNORE": consumed, nothing written.
constexpr char32_t kSkipped = 0xFFFFFFFF;

struct Converter {
  enc::CharsetRequest from, to;
  enc::CodePageCodec fromCodePage, toCodePage;
  // Best-fit source for transliterating into ASCII or Latin-1.
  enc::CodePageCodec translitCodePage;
  bool haveTranslitCodePage = false;
  // UTF-16 with a byte order mark: whether the mark is still to be read or written.
  bool readingMark = true;
  bool littleEndianInput = false;
  bool writingMark = true;
  // Both sides keep ASCII as is, so ASCII stretches are copied straight through.
  bool asciiShortcut = false;

  // One run's worth of work.
  char32_t cps[kRun];
  uint8_t inLens[kRun];
  uint8_t outLens[kRun];
  uint8_t irreversible[kRun];
  uint8_t bytes[kRun * 4];

  void Reset() {
    readingMark = true;
    littleEndianInput = false;
    writingMark = true;
  }
};

bool OpenSide(const enc::Charset& cs, enc::CodePageCodec* codec) {
  return cs.kind != CharsetKind::CodePage || codec->Open(cs.codePage, cs.eucCn);
}

bool KeepsAscii(const enc::Charset& cs, const enc::CodePageCodec& codec) {
  switch (cs.kind) {
    case CharsetKind::Utf8:
    case CharsetKind::Ascii:
    case CharsetKind::Latin1: return true;
    case CharsetKind::CodePage: return codec.AsciiCompatible();
    default: return false;
  }
}

// Reads up to kRun characters of the source. Invalid input under "//IGNORE" becomes kSkipped
// entries; otherwise reading stops there and *stop says why.
size_t DecodeRun(Converter& c, const uint8_t* p, size_t n, ReadResult* stop) {
  *stop = ReadResult::Ok;
  size_t count = 0;
  const CharsetKind kind = c.from.charset.kind;
  while (count < kRun && n > 0) {
    // Leave ASCII to the caller's shortcut; a double-byte character's trail byte may be below
    // 0x80, but only a character's first byte is looked at here.
    if (c.asciiShortcut && count > 0 && p[0] < 0x80) break;
    ReadResult r = ReadResult::Ok;
    size_t used = 1;
    if (kind == CharsetKind::CodePage) {
      size_t skip = 1;
      size_t got = c.fromCodePage.Decode(p, n, kRun - count, c.asciiShortcut, c.cps + count, c.inLens + count, &r, &skip);
      for (size_t i = 0; i < got; ++i) {
        p += c.inLens[count];
        n -= c.inLens[count++];
      }
      if (r == ReadResult::Ok) continue;
      used = skip;
    } else {
      char32_t cp = 0;
      switch (kind) {
        case CharsetKind::Utf8: r = enc::ReadUtf8(p, n, &cp, &used); break;
        case CharsetKind::Utf16LE:
        case CharsetKind::Utf16BE:
          r = enc::ReadUtf16(p, n, kind == CharsetKind::Utf16LE, true, &cp, &used);
          break;
        case CharsetKind::Utf16Bom: r = enc::ReadUtf16(p, n, c.littleEndianInput, true, &cp, &used); break;
        case CharsetKind::Ucs2LE:
        case CharsetKind::Ucs2BE:
          r = enc::ReadUtf16(p, n, kind == CharsetKind::Ucs2LE, false, &cp, &used);
          break;
        case CharsetKind::Ascii:
          cp = p[0];
          if (cp >= 0x80) r = ReadResult::Invalid;
          break;
        default: cp = p[0]; break;  // Latin-1: every byte is its own code point
      }
      if (r == ReadResult::Ok) {
        c.cps[count] = cp;
        c.inLens[count++] = static_cast<uint8_t>(used);
        p += used;
        n -= used;
        continue;
      }
    }
    if (r == ReadResult::Invalid && c.to.ignore && used <= n) {
      c.cps[count] = kSkipped;
      c.inLens[count++] = static_cast<uint8_t>(used);
      p += used;
      n -= used;
      continue;
    }
    *stop = r;
    break;
  }
  return count;
}

// Writes one code point in a target the layer encodes itself; 0 when the target cannot hold it.
size_t EncodeOwn(CharsetKind kind, char32_t cp, uint8_t* out) {
  switch (kind) {
    case CharsetKind::Utf8: return enc::WriteUtf8(cp, out);
    case CharsetKind::Utf16LE: return enc::WriteUtf16(cp, true, out);
    case CharsetKind::Utf16BE:
    case CharsetKind::Utf16Bom: return enc::WriteUtf16(cp, false, out);
    case CharsetKind::Ucs2LE:
    case CharsetKind::Ucs2BE: return cp > 0xFFFF ? 0 : enc::WriteUtf16(cp, kind == CharsetKind::Ucs2LE, out);
    case CharsetKind::Ascii:
      if (cp >= 0x80) return 0;
      out[0] = static_cast<uint8_t>(cp);
      return 1;
    default:
      if (cp > 0xFF) return 0;
      out[0] = static_cast<uint8_t>(cp);
      return 1;
  }
}

// A stand-in for a character the target cannot hold; 0 when there is none.
size_t Transliterate(Converter& c, char32_t cp, uint8_t* out) {
  size_t len = 0;
  if (c.to.charset.kind == CharsetKind::CodePage) {
    len = c.toCodePage.BestFit(cp, out);
  } else if (c.haveTranslitCodePage) {
    len = c.translitCodePage.BestFit(cp, out);
  }
  if (len > 0) return len;
  if (c.to.charset.kind == CharsetKind::CodePage) {
    char32_t question = '?';
    uint8_t lens[1];
    return c.toCodePage.Encode(&question, 1, out, lens) == 1 ? lens[0] : 0;
  }
  return EncodeOwn(c.to.charset.kind, '?', out);
}

// Encodes the run cps[i..end), which holds no skipped entries, at c.bytes + at. Returns how
// many characters were written before one that the target cannot hold.
size_t EncodeSpan(Converter& c, size_t i, size_t end, size_t at) {
  if (c.to.charset.kind == CharsetKind::CodePage) {
    return c.toCodePage.Encode(c.cps + i, end - i, c.bytes + at, c.outLens + i);
  }
  size_t k = i;
  for (; k < end; ++k) {
    size_t len = EncodeOwn(c.to.charset.kind, c.cps[k], c.bytes + at);
    if (len == 0) break;
    c.outLens[k] = static_cast<uint8_t>(len);
    at += len;
  }
  return k - i;
}

// Writes cps[0..n) into c.bytes with each character's length in c.outLens. Returns how many
// were written before one that the target cannot hold (and that no suffix lets through).
size_t EncodeRun(Converter& c, size_t n) {
  size_t at = 0;
  size_t i = 0;
  while (i < n) {
    if (c.cps[i] == kSkipped) {
      c.outLens[i] = 0;
      c.irreversible[i++] = 1;
      continue;
    }
    size_t end = i;
    while (end < n && c.cps[end] != kSkipped) ++end;
    size_t done = EncodeSpan(c, i, end, at);
    for (size_t k = i; k < i + done; ++k) {
      at += c.outLens[k];
      c.irreversible[k] = 0;
    }
    i += done;
    if (i == end) continue;
    // c.cps[i] cannot be held by the target.
    size_t len = c.to.translit ? Transliterate(c, c.cps[i], c.bytes + at) : 0;
    if (len == 0 && !c.to.ignore) return i;
    c.outLens[i] = static_cast<uint8_t>(len);
    c.irreversible[i++] = 1;
    at += len;
  }
  return n;
}

}  // namespace

iconv_t iconv_open(const char* tocode, const char* fromcode) {
  const uint32_t acp = GetACP();
  enc::CharsetRequest to, from;
  if (!enc::ParseCharsetName(tocode, acp, &to) || !enc::ParseCharsetName(fromcode, acp, &from)) {
    errno = EINVAL;
    return reinterpret_cast<iconv_t>(-1);
  }
  Converter* c = new (std::nothrow) Converter;
  if (!c) {
    errno = ENOMEM;
    return reinterpret_cast<iconv_t>(-1);
  }
  c->from = from;
  c->to = to;
  if (!OpenSide(from.charset, &c->fromCodePage) || !OpenSide(to.charset, &c->toCodePage)) {
    delete c;
    errno = EINVAL;
    return reinterpret_cast<iconv_t>(-1);
  }
  if (to.translit && (to.charset.kind == CharsetKind::Ascii || to.charset.kind == CharsetKind::Latin1)) {
    c->haveTranslitCodePage =
        c->translitCodePage.Open(to.charset.kind == CharsetKind::Ascii ? 20127 : 28591, false);
  }
  c->asciiShortcut = KeepsAscii(from.charset, c->fromCodePage) && KeepsAscii(to.charset, c->toCodePage);
  c->Reset();
  return c;
}

size_t iconv(iconv_t cd, char** inbuf, size_t* inbytesleft, char** outbuf, size_t* outbytesleft) {
  if (!cd || cd == reinterpret_cast<iconv_t>(-1)) {
    errno = EBADF;
    return static_cast<size_t>(-1);
  }
  Converter& c = *static_cast<Converter*>(cd);
  if (!inbuf || !*inbuf) {
    c.Reset();  // no target here keeps a shift state, so there is nothing to write
    return 0;
  }
  const uint8_t* in = reinterpret_cast<const uint8_t*>(*inbuf);
  size_t inLeft = inbytesleft ? *inbytesleft : 0;
  uint8_t* out = outbuf && *outbuf ? reinterpret_cast<uint8_t*>(*outbuf) : nullptr;
  size_t outLeft = out && outbytesleft ? *outbytesleft : 0;
  size_t irreversible = 0;
  int error = 0;

  if (c.from.charset.kind == CharsetKind::Utf16Bom && c.readingMark && inLeft > 0) {
    if (inLeft < 2) {
      error = EINVAL;
    } else {
      c.readingMark = false;
      if ((in[0] == 0xFF && in[1] == 0xFE) || (in[0] == 0xFE && in[1] == 0xFF)) {
        c.littleEndianInput = in[0] == 0xFF;
        in += 2;
        inLeft -= 2;
      }
    }
  }
  while (!error && inLeft > 0) {
    if (c.asciiShortcut) {
      size_t run = 0;
      const size_t most = inLeft < outLeft ? inLeft : outLeft;
      while (run < most && in[run] < 0x80) ++run;
      std::memcpy(out, in, run);
      in += run;
      inLeft -= run;
      out += run;
      outLeft -= run;
      if (inLeft == 0) break;
      if (in[0] < 0x80) {
        error = E2BIG;
        break;
      }
    }
    ReadResult stop;
    size_t count = DecodeRun(c, in, inLeft, &stop);
    size_t encoded = EncodeRun(c, count);
    if (c.to.charset.kind == CharsetKind::Utf16Bom && c.writingMark && encoded > 0) {
      if (outLeft < 2) {
        error = E2BIG;
        break;
      }
      out[0] = 0xFE;
      out[1] = 0xFF;
      out += 2;
      outLeft -= 2;
      c.writingMark = false;
    }
    // Commit the characters that fit, in one copy.
    size_t i = 0, outBytes = 0, inBytes = 0;
    for (; i < encoded && outBytes + c.outLens[i] <= outLeft; ++i) {
      outBytes += c.outLens[i];
      inBytes += c.inLens[i];
      irreversible += c.irreversible[i];
    }
    std::memcpy(out, c.bytes, outBytes);
    out += outBytes;
    outLeft -= outBytes;
    in += inBytes;
    inLeft -= inBytes;
    if (i < encoded) {
      error = E2BIG;
    } else if (encoded < count) {
      error = EILSEQ;
    } else if (stop == ReadResult::Invalid) {
      error = EILSEQ;
    } else if (stop == ReadResult::Incomplete) {
      error = EINVAL;
    } else if (count == 0) {
      break;  // cannot happen with input left, but never spin
    }
  }
  *inbuf = reinterpret_cast<char*>(const_cast<uint8_t*>(in));
  if (inbytesleft) *inbytesleft = inLeft;
  if (out) {
    *outbuf = reinterpret_cast<char*>(out);
    *outbytesleft = outLeft;
  }
  if (error) {
    errno = error;
    return static_cast<size_t>(-1);
  }
  return irreversible;
}

int iconv_close(iconv_t cd) {
  if (!cd || cd == reinterpret_cast<iconv_t>(-1)) {
    errno = EBADF;
    return -1;
  }
  delete static_cast<Converter*>(cd);
  return 0;
}
