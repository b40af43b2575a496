// The converter layer through its iconv interface: names, the pointer-and-bytes-left contract,
// E2BIG, EILSEQ, EINVAL, the suffixes and the Unicode forms.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "modules/encoding/iconv_layer.h"

namespace {

constexpr size_t kFailed = static_cast<size_t>(-1);

// One iconv call over the whole of `in` with `room` bytes of output.
struct Step {
  size_t result;
  int error;
  std::string out;
  size_t consumed;
};

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    EXPECT_NE(cd_, reinterpret_cast<iconv_t>(-1)) << from << " -> " << to;
  }
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  Step Run(const std::string& in, size_t room = 4096) {
    std::string buffer(room, '\x55');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = &buffer[0];
    size_t outLeft = room;
    errno = 0;
    size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
    Step s{r, r == kFailed ? errno : 0, buffer.substr(0, room - outLeft), in.size() - inLeft};
    // The pointers and the counts must tell the same story.
    EXPECT_EQ(static_cast<size_t>(inPtr - in.data()), s.consumed);
    EXPECT_EQ(static_cast<size_t>(outPtr - buffer.data()), s.out.size());
    return s;
  }
  // Converts everything, failing the test on any error.
  std::string All(const std::string& in) {
    Step s = Run(in, 4 * in.size() + 16);
    EXPECT_NE(s.result, kFailed) << "errno " << s.error;
    EXPECT_EQ(s.consumed, in.size());
    return s.out;
  }
  iconv_t cd() const { return cd_; }

 private:
  iconv_t cd_;
};

// UTF-8 forms of a few characters.
const std::string kZhong = "\xE4\xB8\xAD";        // 中, GBK D6 D0
const std::string kWen = "\xE6\x96\x87";          // 文, GBK CE C4
const std::string kHangul = "\xED\x95\x9C";       // 한, not in GBK
const std::string kEmoji = "\xF0\x9F\x98\x80";    // U+1F600
const std::string kEAcute = "\xC3\xA9";           // é

TEST(IconvLayer, OpensKnownNamesInAnyCaseAndRefusesUnknownOnes) {
  const char* names[] = {"UTF-8", "utf8", "GBK", "gbk", "CP936", "GB2312", "BIG5", "big5", "CP950", "UTF-16LE",
                         "utf-16be", "UCS-2LE", "ASCII", "US-ASCII", "ISO-8859-1", "latin1", "CP1252",
                         "Shift_JIS", "cp932", "", "CHAR", "GBK//IGNORE", "ascii//TRANSLIT"};
  for (const char* n : names) {
    iconv_t cd = iconv_open(n, "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << n;
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      EXPECT_EQ(iconv_close(cd), 0);
    }
    cd = iconv_open("UTF-8", n);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << n;
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  for (const char* n : {"NO-SUCH-SET", "UTF-9", "CP99999"}) {
    errno = 0;
    EXPECT_EQ(iconv_open(n, "UTF-8"), reinterpret_cast<iconv_t>(-1)) << n;
    EXPECT_EQ(errno, EINVAL) << n;
    errno = 0;
    EXPECT_EQ(iconv_open("GBK", n), reinterpret_cast<iconv_t>(-1)) << n;
    EXPECT_EQ(errno, EINVAL) << n;
  }
}

TEST(IconvLayer, Utf8ToGbkAndBackByteExactly) {
  Converter toGbk("GBK", "UTF-8");
  EXPECT_EQ(toGbk.All("a" + kZhong + kWen + "z"), "a\xD6\xD0\xCE\xC4z");
  Converter toUtf8("utf-8", "cp936");
  EXPECT_EQ(toUtf8.All("a\xD6\xD0\xCE\xC4z"), "a" + kZhong + kWen + "z");
  // The empty name is the ANSI code page, 936 under test.
  Converter fromAnsi("UTF-8", "");
  EXPECT_EQ(fromAnsi.All("\xD6\xD0"), kZhong);
  // A long run crosses the layer's internal runs without losing a byte.
  std::string page, gbk;
  for (int i = 0; i < 3000; ++i) {
    page += kZhong + "x" + kWen;
    gbk += "\xD6\xD0x\xCE\xC4";
  }
  Converter big("GBK", "UTF-8");
  EXPECT_TRUE(big.All(page) == gbk);
}

TEST(IconvLayer, FullOutputStopsOnACharacterBoundary) {
  Converter c("GBK", "UTF-8");
  const std::string in = kZhong + kWen + "ab";
  Step s = c.Run(in, 3);  // room for 中 and one byte: 文 does not fit
  EXPECT_EQ(s.result, kFailed);
  EXPECT_EQ(s.error, E2BIG);
  EXPECT_EQ(s.out, "\xD6\xD0");
  EXPECT_EQ(s.consumed, 3u);
  s = c.Run(in.substr(3), 3);  // the rest, continuing where it stopped
  EXPECT_EQ(s.error, E2BIG);
  EXPECT_EQ(s.out, "\xCE\xC4" "a");
  EXPECT_EQ(s.consumed, 4u);
  s = c.Run("b", 1);
  EXPECT_EQ(s.result, 0u);
  EXPECT_EQ(s.out, "b");

  Converter wide("UTF-16LE", "ASCII");
  s = wide.Run("abc", 5);
  EXPECT_EQ(s.error, E2BIG);
  EXPECT_EQ(s.out, std::string("a\0b\0", 4));
  EXPECT_EQ(s.consumed, 2u);
  s = wide.Run("abc", 0);
  EXPECT_EQ(s.error, E2BIG);
  EXPECT_EQ(s.consumed, 0u);
}

TEST(IconvLayer, InvalidUtf8IsAnIllegalSequenceAtItsPlace) {
  for (const std::string& bad : {std::string("\xFF"), std::string("\xC0\x80"), std::string("\xED\xA0\x80"),
                                std::string("\xF4\x90\x80\x80"), std::string("\x80"), std::string("\xE4\x41\x42")}) {
    Converter c("GBK", "UTF-8");
    Step s = c.Run("ab" + bad + "cd");
    EXPECT_EQ(s.result, kFailed);
    EXPECT_EQ(s.error, EILSEQ);
    EXPECT_EQ(s.out, "ab");
    EXPECT_EQ(s.consumed, 2u);
  }
  Converter gbk("UTF-8", "GBK");
  Step s = gbk.Run("\xD6\xD0\x81\x20");  // a lead byte with a trail byte GBK does not have
  EXPECT_EQ(s.error, EILSEQ);
  EXPECT_EQ(s.out, kZhong);
  EXPECT_EQ(s.consumed, 2u);
  Converter ascii("UTF-8", "ASCII");
  s = ascii.Run("a\xE9");
  EXPECT_EQ(s.error, EILSEQ);
  EXPECT_EQ(s.consumed, 1u);
}

TEST(IconvLayer, CharactersTheTargetCannotHoldAreIllegalSequences) {
  for (const std::string& missing : {kHangul, kEmoji}) {
    Converter c("GBK", "UTF-8");
    Step s = c.Run("a" + kZhong + missing + "b");
    EXPECT_EQ(s.result, kFailed);
    EXPECT_EQ(s.error, EILSEQ);
    EXPECT_EQ(s.out, "a\xD6\xD0");
    EXPECT_EQ(s.consumed, 4u);
  }
  Converter ascii("ASCII", "UTF-8");
  EXPECT_EQ(ascii.Run("x" + kEAcute).error, EILSEQ);
  Converter latin("ISO-8859-1", "UTF-8");
  EXPECT_EQ(latin.All("x" + kEAcute), "x\xE9");
  EXPECT_EQ(latin.Run(kZhong).error, EILSEQ);
  Converter ucs2("UCS-2LE", "UTF-8");
  EXPECT_EQ(ucs2.Run(kEmoji).error, EILSEQ);
  // GB2312 is narrower than GBK: the traditional 們 (U+5011) is only in GBK.
  const std::string men = "\xE5\x80\x91";
  Converter gbk("GBK", "UTF-8");
  EXPECT_EQ(gbk.All(men).size(), 2u);
  Converter gb2312("GB2312", "UTF-8");
  EXPECT_EQ(gb2312.All(kZhong), "\xD6\xD0");
  EXPECT_EQ(gb2312.Run(men).error, EILSEQ);
}

TEST(IconvLayer, IgnoreDropsAndTranslitReplaces) {
  Converter ignore("GBK//IGNORE", "UTF-8");
  Step s = ignore.Run("a" + kEmoji + kZhong + kHangul + "b");
  EXPECT_EQ(s.result, 2u);  // two characters dropped
  EXPECT_EQ(s.out, "a\xD6\xD0" "b");
  // Invalid input is stepped over as well.
  s = ignore.Run("a\xFF" "b");
  EXPECT_EQ(s.result, 1u);
  EXPECT_EQ(s.out, "ab");
  // But an incomplete character at the end is still reported.
  EXPECT_EQ(ignore.Run("a\xE4\xB8").error, EINVAL);

  Converter translit("gbk//translit", "UTF-8");
  s = translit.Run("a" + kHangul + "b");
  EXPECT_EQ(s.result, 1u);
  EXPECT_EQ(s.out, "a?b");
  EXPECT_EQ(translit.Run("\xFF").error, EILSEQ);  // transliteration does not excuse invalid input

  Converter ascii("ASCII//TRANSLIT", "UTF-8");
  s = ascii.Run(kEAcute + kZhong);
  ASSERT_NE(s.result, kFailed);
  ASSERT_EQ(s.out.size(), 2u);
  EXPECT_TRUE(s.out[0] == 'e' || s.out[0] == '?') << s.out;
  EXPECT_EQ(s.out[1], '?');
}

TEST(IconvLayer, IncompleteInputAtTheEndWaitsForTheRest) {
  Converter c("GBK", "UTF-8");
  Step s = c.Run("a" + kZhong.substr(0, 2));
  EXPECT_EQ(s.result, kFailed);
  EXPECT_EQ(s.error, EINVAL);
  EXPECT_EQ(s.out, "a");
  EXPECT_EQ(s.consumed, 1u);
  // The caller hands over the character again once the rest has arrived.
  s = c.Run(kZhong + kWen.substr(0, 1));
  EXPECT_EQ(s.error, EINVAL);
  EXPECT_EQ(s.out, "\xD6\xD0");
  EXPECT_EQ(c.All(kWen), "\xCE\xC4");

  Converter gbk("UTF-8", "GBK");
  s = gbk.Run("a\xD6");
  EXPECT_EQ(s.error, EINVAL);
  EXPECT_EQ(s.consumed, 1u);
  Converter le("UTF-8", "UTF-16LE");
  EXPECT_EQ(le.Run(std::string("a\0b", 3)).error, EINVAL);
  s = le.Run(std::string("\x3D\xD8", 2));  // a high surrogate whose pair is still to come
  EXPECT_EQ(s.error, EINVAL);
  EXPECT_EQ(s.consumed, 0u);
  EXPECT_EQ(le.Run(std::string("\x3D\xD8" "a\0", 4)).error, EILSEQ);  // ... and one that has none
}

TEST(IconvLayer, Utf16InBothByteOrders) {
  const std::string in = "A" + kZhong + kEmoji;
  const std::string le("A\0\x2D\x4E\x3D\xD8\x00\xDE", 8);
  const std::string be("\0A\x4E\x2D\xD8\x3D\xDE\x00", 8);
  Converter toLe("UTF-16LE", "UTF-8"), toBe("utf-16be", "UTF-8");
  EXPECT_EQ(toLe.All(in), le);
  EXPECT_EQ(toBe.All(in), be);
  Converter fromLe("UTF-8", "UTF-16LE"), fromBe("UTF-8", "UTF-16BE");
  EXPECT_EQ(fromLe.All(le), in);
  EXPECT_EQ(fromBe.All(be), in);
  Converter ucs2("GBK", "UCS-2LE");
  EXPECT_EQ(ucs2.All(std::string("A\0\x2D\x4E", 4)), "A\xD6\xD0");
  EXPECT_EQ(ucs2.Run(le.substr(4)).error, EILSEQ);  // UCS-2 has no surrogates

  // Plain UTF-16 reads a byte order mark once and writes one big-endian mark.
  Converter fromMarked("UTF-8", "UTF-16");
  EXPECT_EQ(fromMarked.All("\xFF\xFE" + le), in);
  EXPECT_EQ(fromMarked.All(std::string("B\0", 2)), "B");  // still little-endian on the next call
  EXPECT_EQ(iconv(fromMarked.cd(), nullptr, nullptr, nullptr, nullptr), 0u);
  EXPECT_EQ(fromMarked.All(std::string("\0C", 2)), "C");  // after a reset, big-endian by default
  Converter toMarked("UTF-16", "UTF-8");
  EXPECT_EQ(toMarked.All("A"), std::string("\xFE\xFF\0A", 4));
  EXPECT_EQ(toMarked.All("B"), std::string("\0B", 2));
}

TEST(IconvLayer, OtherCodePages) {
  Converter big5("BIG5", "UTF-8");
  EXPECT_EQ(big5.All(kZhong), "\xA4\xA4");
  Converter sjis("SHIFT_JIS", "UTF-8");
  EXPECT_EQ(sjis.All("\xE3\x81\x82"), "\x82\xA0");  // あ
  Converter cp1252("CP1252", "UTF-8");
  EXPECT_EQ(cp1252.All("\xE2\x82\xAC" + kEAcute), "\x80\xE9");  // € é
  EXPECT_EQ(cp1252.Run(kZhong).error, EILSEQ);
  Converter fromBig5("GBK", "big5");
  EXPECT_EQ(fromBig5.All("\xA4\xA4"), "\xD6\xD0");
}

TEST(IconvLayer, AsciiIsCopiedThroughOnlyWhereBothSidesKeepIt) {
  // GBK trail bytes can look like ASCII: 丂 is 81 40, the second byte an "@".
  Converter fromGbk("UTF-8", "GBK");
  EXPECT_EQ(fromGbk.All("a\x81\x40@b\xD6\xD0" "c"), "a\xE4\xB8\x82@b" + kZhong + "c");
  Step s = fromGbk.Run("ab\x81\x40" "cd", 4);  // room for "ab" and 丂 (3 bytes) does not fit
  EXPECT_EQ(s.error, E2BIG);
  EXPECT_EQ(s.out, "ab");
  EXPECT_EQ(s.consumed, 2u);
  // An EBCDIC code page keeps no ASCII at all: "A" is C1 there.
  Converter ebcdic("CP037", "UTF-8");
  EXPECT_EQ(ebcdic.All("AB"), "\xC1\xC2");
}

}  // namespace
