// The conversion driver: buffer growth, its limit, and that a failure hands back nothing.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "modules/encoding/convert_driver.h"

namespace {

std::vector<uint8_t> Block(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> b(8 + bytes.size());
  const uint32_t header[2] = {1, static_cast<uint32_t>(bytes.size())};
  std::memcpy(b.data(), header, 8);
  if (!bytes.empty()) std::memcpy(b.data() + 8, bytes.data(), bytes.size());
  return b;
}

struct Opened {
  explicit Opened(const char* to, const char* from) : cd(iconv_open(to, from)) {
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  }
  ~Opened() { iconv_close(cd); }
  iconv_t cd;
};

TEST(ConvertDriver, ExpandingOutputGrowsByHalfTheInputPlus128) {
  Opened c("UTF-16LE", "GBK");
  auto block = Block(std::vector<uint8_t>(1000, 'x'));
  enc::Converted out;
  ASSERT_TRUE(enc::ConvertWhole(c.cd, block.data(), &out));
  EXPECT_EQ(out.growths, 2u);  // 1000 -> 1628 -> 2256
  ASSERT_EQ(out.length, 2000u);
  for (size_t i = 0; i < 2000; i += 2) {
    ASSERT_EQ(out.data[i], 'x');
    ASSERT_EQ(out.data[i + 1], 0);
  }
  std::free(out.data);

  // A tiny input grows in steps of 128: 1 byte of UTF-8 becomes a marked UTF-16 pair.
  Opened marked("UTF-16", "UTF-8");
  auto one = Block({'A'});
  ASSERT_TRUE(enc::ConvertWhole(marked.cd, one.data(), &out));
  EXPECT_EQ(out.growths, 1u);
  EXPECT_EQ(out.length, 4u);
  std::free(out.data);
}

TEST(ConvertDriver, ShrinkingOutputNeedsNoGrowth) {
  Opened c("GBK", "UTF-8");
  std::vector<uint8_t> page;
  for (int i = 0; i < 500; ++i) page.insert(page.end(), {0xE4, 0xB8, 0xAD, 'a'});
  auto block = Block(page);
  enc::Converted out;
  ASSERT_TRUE(enc::ConvertWhole(c.cd, block.data(), &out));
  EXPECT_EQ(out.growths, 0u);
  EXPECT_EQ(out.length, 1500u);
  std::free(out.data);
}

TEST(ConvertDriver, NullFailsAndEmptySucceedsWithNothing) {
  Opened c("GBK", "UTF-8");
  enc::Converted out;
  out.length = 99;
  EXPECT_FALSE(enc::ConvertWhole(c.cd, nullptr, &out));
  EXPECT_EQ(out.data, nullptr);
  EXPECT_EQ(out.length, 0u);
  auto empty = Block({});
  EXPECT_TRUE(enc::ConvertWhole(c.cd, empty.data(), &out));
  EXPECT_EQ(out.data, nullptr);
  EXPECT_EQ(out.length, 0u);
}

// Stand-in converters, so the driver's growth and resumption can be watched call by call.
struct Call {
  size_t inLeft, room;
};
std::vector<Call> g_calls;
// Writes every input byte twice, whole pairs only, like a converter that doubles the size.
size_t DoublingIconv(iconv_t, char** in, size_t* inLeft, char** out, size_t* room) {
  g_calls.push_back({*inLeft, *room});
  while (*inLeft > 0 && *room >= 2) {
    *(*out)++ = **in;
    *(*out)++ = **in;
    ++*in;
    --*inLeft;
    *room -= 2;
  }
  if (*inLeft > 0) {
    errno = E2BIG;
    return static_cast<size_t>(-1);
  }
  return 0;
}
size_t AlwaysFull(iconv_t, char**, size_t*, char** out, size_t* room) {
  g_calls.push_back({0, *room});
  *out += *room;  // fills whatever it is given without using up the input
  *room = 0;
  errno = E2BIG;
  return static_cast<size_t>(-1);
}
size_t BadAfterSome(iconv_t, char** in, size_t* inLeft, char** out, size_t* room) {
  **out = 'x';
  ++*out;
  --*room;
  ++*in;
  --*inLeft;
  errno = EILSEQ;
  return static_cast<size_t>(-1);
}

TEST(ConvertDriver, GivesUpAfterTheEleventhGrowth) {
  g_calls.clear();
  auto block = Block(std::vector<uint8_t>(1000, 'x'));
  enc::Converted out;
  EXPECT_FALSE(enc::ConvertWhole(nullptr, block.data(), &out, AlwaysFull));
  EXPECT_EQ(out.data, nullptr);
  EXPECT_EQ(out.length, 0u);
  ASSERT_EQ(g_calls.size(), 12u);  // the first try and one after each of the 11 growths
  EXPECT_EQ(g_calls[0].room, 1000u);
  for (size_t i = 1; i < g_calls.size(); ++i) EXPECT_EQ(g_calls[i].room, 628u) << i;  // only the new part is free
}

TEST(ConvertDriver, ResumesWhereTheConverterStopped) {
  g_calls.clear();
  std::vector<uint8_t> input(300);
  for (size_t i = 0; i < input.size(); ++i) input[i] = static_cast<uint8_t>(i % 251);
  auto block = Block(input);
  enc::Converted out;
  ASSERT_TRUE(enc::ConvertWhole(nullptr, block.data(), &out, DoublingIconv));
  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(g_calls[0].inLeft, 300u);
  EXPECT_EQ(g_calls[0].room, 300u);
  EXPECT_EQ(g_calls[1].inLeft, 150u);  // where the first call stopped
  EXPECT_EQ(g_calls[1].room, 278u);    // 300 / 2 + 128 new bytes, the old ones kept
  EXPECT_EQ(g_calls[2].inLeft, 11u);
  EXPECT_EQ(out.growths, 2u);
  ASSERT_EQ(out.length, 600u);
  for (size_t i = 0; i < input.size(); ++i) {
    ASSERT_EQ(out.data[2 * i], input[i]) << i;
    ASSERT_EQ(out.data[2 * i + 1], input[i]) << i;
  }
  std::free(out.data);
}

TEST(ConvertDriver, AFailureAfterPartialOutputHandsBackNothing) {
  auto block = Block({'a', 'b', 'c'});
  enc::Converted out;
  EXPECT_FALSE(enc::ConvertWhole(nullptr, block.data(), &out, BadAfterSome));
  EXPECT_EQ(out.data, nullptr);
  EXPECT_EQ(out.length, 0u);
}

}  // namespace
