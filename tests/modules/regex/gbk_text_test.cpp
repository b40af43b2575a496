// The link pattern over GBK pages under the ANSI code page 936, where the system's own per-byte
// class table cannot be trusted for bytes with bit 7 set.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/modules/regex/regex_test_kit.h"

using regextest::Found;
using regextest::RegexVar;

namespace {

const char kLinkPattern[] = "thunder:..[^\\s]*";

// Fills freed heap memory with set bits before the first expression of the process is made, so any
// entry of a class table that the system leaves unset reads as "every class" instead of the zeros
// of a fresh heap. A long-running program sees garbage there; so should these tests.
void DirtyFreedMemory() {
  std::vector<void*> blocks;
  for (size_t size = 256; size <= 8192; size += 64) {
    void* p = std::malloc(size);
    std::memset(p, 0xFF, size);
    blocks.push_back(p);
  }
  for (void* p : blocks) std::free(p);
}

class GbkText : public ::testing::Test {
 protected:
  void SetUp() override {
    regextest::StartRuntime();
    DirtyFreedMemory();
    ASSERT_EQ(GetACP(), 936u) << "these tests mean the Chinese code page (LC_ALL=zh_CN.UTF-8)";
  }
};

// Every byte from 0x80 to 0xFE, the lead and trail bytes of double-byte characters.
std::string AllHighBytes() {
  std::string s;
  for (int b = 0x80; b <= 0xFE; ++b) s += static_cast<char>(b);
  return s;
}

TEST_F(GbkText, NoHighByteIsWhiteSpace) {
  RegexVar space, notSpace, notSpaceClass, word, blank;
  ASSERT_TRUE(space.Create("\\s"));
  ASSERT_TRUE(notSpace.Create("[^\\s]"));
  ASSERT_TRUE(notSpaceClass.Create("\\S"));
  ASSERT_TRUE(word.Create("\\w"));
  ASSERT_TRUE(blank.Create("[[:blank:][:cntrl:][:punct:]]"));
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char one[2] = {static_cast<char>(b), 0};
    EXPECT_FALSE(space.Match(one)) << std::hex << b;
    EXPECT_TRUE(notSpace.Match(one)) << std::hex << b;
    EXPECT_TRUE(notSpaceClass.Match(one)) << std::hex << b;
    EXPECT_FALSE(blank.Match(one)) << std::hex << b;
    EXPECT_EQ(word.Match(one), b != 0xFF) << std::hex << b << ": GBK bytes are parts of letters";
  }
  // The ASCII white space still is.
  for (const char* ws : {" ", "\t", "\r", "\n", "\v", "\f"}) EXPECT_TRUE(space.Match(ws)) << int{*ws};
}

TEST_F(GbkText, LinkRunsOverEveryHighByteAndStopsAtWhiteSpace) {
  RegexVar re;
  ASSERT_TRUE(re.Create(kLinkPattern));
  const std::string link = "thunder://" + AllHighBytes() + "end";
  const std::string page = "前" + link + "\r\n后 " + link + "\t" + "thunder:x";
  const std::vector<Found> expected = {{link, 2, {}}, {link, static_cast<int32_t>(2 + link.size() + 5), {}}};
  EXPECT_EQ(re.SearchAll(page.c_str()), expected);
}

TEST_F(GbkText, LinksInAPageAreFoundTheSameWayEveryTime) {
  const std::string first = "thunder://QUFodHRwOi8vZG93bi5leGFtcGxlLmNvbS/kuK3mlofnlLXlvbEubWt2Wlo=";
  const std::string second = "thunder://QUFodHRwOi8v电影天堂/第二部【高清】.rmvb";
  const std::string page = "<html><head><title>《流浪地球》高清下载</title></head><body>\r\n"
                           "<p>下载地址：" + first + "　全角空格不算空白</p>\r\n"
                           "<a href=\"#\">迅雷：" + second + "\n简介：中文字幕，导演：郭帆</a></body></html>";
  // The full-width space (0xA1 0xA1) right after the first link is part of the link, not white space.
  const std::string firstLink = first + "　全角空格不算空白</p>";
  const std::vector<Found> expected = {{firstLink, static_cast<int32_t>(page.find(first)), {}},
                                       {second, static_cast<int32_t>(page.find(second)), {}}};
  for (int run = 0; run < 200; ++run) {
    RegexVar re;  // a new expression each time, as the scan compiles one per page
    ASSERT_TRUE(re.Create(kLinkPattern));
    ASSERT_EQ(re.SearchAll(page.c_str()), expected) << "run " << run;
  }
}

TEST_F(GbkText, WorkersSearchWithTheirOwnExpressionsAtTheSameTime) {
  const std::string page = "标题 thunder://甲乙丙 正文 thunder://丁戊\r\n";
  const std::vector<Found> expected = {{"thunder://甲乙丙", 5, {}}, {"thunder://丁戊", 27, {}}};
  std::vector<int> wrong(4, 0);
  std::vector<std::thread> workers;
  for (int w = 0; w < 4; ++w)
    workers.emplace_back([&, w] {
      for (int run = 0; run < 50; ++run) {
        RegexVar re;
        if (!re.Create(kLinkPattern) || re.SearchAll(page.c_str()) != expected) ++wrong[w];
      }
    });
  for (auto& t : workers) t.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST_F(GbkText, CaseInsensitiveMatchingLeavesChineseBytesAlone) {
  RegexVar re;
  ASSERT_TRUE(re.Create("THUNDER:..[^\\s]*", false));
  const std::string page = "链接：Thunder://甲乙ABC丙 下一个";
  EXPECT_EQ(re.SearchAll(page.c_str()), (std::vector<Found>{{"Thunder://甲乙ABC丙", 6, {}}}));
  // Chinese in the pattern is literal text, whatever the case flag.
  ASSERT_TRUE(re.Create("第(\\d+)集", false));
  EXPECT_EQ(re.SearchAll("电视剧第12集和第3集"), (std::vector<Found>{{"第12集", 6, {}}, {"第3集", 14, {}}}));
  ASSERT_TRUE(re.Create("第(\\d+)集"));
  EXPECT_TRUE(re.Match("第7集"));
  EXPECT_FALSE(re.Match("弟7集"));
}

}  // namespace
