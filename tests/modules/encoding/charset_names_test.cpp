// Character-set names: aliases, case, suffixes and the ANSI code page stand-ins.
#include <gtest/gtest.h>

#include "modules/encoding/charset_names.h"

namespace {

using enc::CharsetKind;

enc::CharsetRequest Parse(const char* name, uint32_t acp = 936) {
  enc::CharsetRequest r;
  EXPECT_TRUE(enc::ParseCharsetName(name, acp, &r)) << name;
  return r;
}
bool Known(const char* name) {
  enc::CharsetRequest r;
  return enc::ParseCharsetName(name, 936, &r);
}

TEST(CharsetNames, AliasesMatchWithoutRegardToCase) {
  for (const char* n : {"UTF-8", "utf-8", "Utf8"}) EXPECT_EQ(Parse(n).charset.kind, CharsetKind::Utf8) << n;
  for (const char* n : {"GBK", "gbk", "cp936", "CP936", "ms936"}) {
    EXPECT_EQ(Parse(n).charset.kind, CharsetKind::CodePage) << n;
    EXPECT_EQ(Parse(n).charset.codePage, 936u) << n;
    EXPECT_FALSE(Parse(n).charset.eucCn) << n;
  }
  EXPECT_TRUE(Parse("gb2312").charset.eucCn);
  EXPECT_EQ(Parse("gb2312").charset.codePage, 936u);
  EXPECT_EQ(Parse("Big5").charset.codePage, 950u);
  EXPECT_EQ(Parse("cp950").charset.codePage, 950u);
  EXPECT_EQ(Parse("Shift_JIS").charset.codePage, 932u);
  EXPECT_EQ(Parse("CP932").charset.codePage, 932u);
  EXPECT_EQ(Parse("cp1252").charset.codePage, 1252u);
  EXPECT_EQ(Parse("windows-1251").charset.codePage, 1251u);
  EXPECT_EQ(Parse("iso-8859-5").charset.codePage, 28595u);
  EXPECT_EQ(Parse("utf-16le").charset.kind, CharsetKind::Utf16LE);
  EXPECT_EQ(Parse("UTF-16BE").charset.kind, CharsetKind::Utf16BE);
  EXPECT_EQ(Parse("utf-16").charset.kind, CharsetKind::Utf16Bom);
  EXPECT_EQ(Parse("ucs-2le").charset.kind, CharsetKind::Ucs2LE);
  for (const char* n : {"ASCII", "us-ascii", "ANSI_X3.4-1968", "cp20127"})
    EXPECT_EQ(Parse(n).charset.kind, CharsetKind::Ascii) << n;
  for (const char* n : {"ISO-8859-1", "latin1", "Latin1", "l1", "CP28591"})
    EXPECT_EQ(Parse(n).charset.kind, CharsetKind::Latin1) << n;
  EXPECT_EQ(Parse("cp65001").charset.kind, CharsetKind::Utf8);
}

TEST(CharsetNames, UnknownNamesAreRefused) {
  for (const char* n : {"UTF-9", "GBKX", "CP", "CPabc", "WINDOWS-", "ISO-8859-", "ISO-8859-12", "UTF-8//FOO",
                        "GBK/IGNORE"})
    EXPECT_FALSE(Known(n)) << n;
  std::string longName(200, 'A');
  EXPECT_FALSE(Known(longName.c_str()));
}

TEST(CharsetNames, SuffixesSetTheirFlagsInAnyOrder) {
  enc::CharsetRequest r = Parse("gbk//ignore");
  EXPECT_TRUE(r.ignore);
  EXPECT_FALSE(r.translit);
  EXPECT_EQ(r.charset.codePage, 936u);
  r = Parse("ASCII//TRANSLIT");
  EXPECT_TRUE(r.translit);
  EXPECT_FALSE(r.ignore);
  r = Parse("ascii//TRANSLIT//IGNORE");
  EXPECT_TRUE(r.translit && r.ignore);
  r = Parse("UTF-8//Ignore//Translit");
  EXPECT_TRUE(r.translit && r.ignore);
  EXPECT_EQ(r.charset.kind, CharsetKind::Utf8);
  r = Parse("UTF-8//");
  EXPECT_FALSE(r.translit || r.ignore);
  EXPECT_FALSE(Parse("GBK").ignore);
}

TEST(CharsetNames, EmptyNameAndCharMeanTheAnsiCodePage) {
  for (const char* n : {"", "CHAR", "char", "//IGNORE"}) {
    EXPECT_EQ(Parse(n, 936).charset.kind, CharsetKind::CodePage) << n;
    EXPECT_EQ(Parse(n, 936).charset.codePage, 936u) << n;
  }
  EXPECT_TRUE(Parse("//IGNORE").ignore);
  EXPECT_EQ(Parse("", 1252).charset.codePage, 1252u);
  EXPECT_EQ(Parse(nullptr, 932).charset.codePage, 932u);
  // A code page the layer does itself keeps its own handling.
  EXPECT_EQ(Parse("", 65001).charset.kind, CharsetKind::Utf8);
}

}  // namespace
