// The value model: texts and byte arrays, the heap's constant-area rules, conversions.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>

#include "runtime/heap.h"
#include "runtime/high_heap.h"
#include "runtime/value_convert.h"
#include "tests/support/error_capture.h"
#include "tests/support/test_image.h"

namespace {

class Values : public ::testing::Test {
 protected:
  void SetUp() override { testimg::InitRuntime(); }
};

std::string TextOf(const CmdArg& v) {
  char* t = rt::ValueToText(v);
  std::string s = t ? t : "<null>";
  rt::FreeBlock(t);
  return s;
}

TEST_F(Values, EmptyTextsAndByteArraysAreNull) {
  EXPECT_EQ(rt::DupText(""), nullptr);
  EXPECT_EQ(rt::DupText(nullptr), nullptr);
  EXPECT_EQ(rt::TextFromBytes("abc", 0), nullptr);
  EXPECT_EQ(rt::TextFromBytes("abc", -3), nullptr);
  EXPECT_EQ(rt::ByteArrayFromBytes("abc", 0), nullptr);
  EXPECT_EQ(TextOf(MakePtr(nullptr, tc::ByteArray)), "<null>");

  char* t = rt::TextFromBytes("abcdef", 3);
  EXPECT_STREQ(t, "abc");
  rt::FreeBlock(t);
  auto b = static_cast<uint32_t*>(rt::ByteArrayFromBytes("xyz", 3));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b[0], 1u);
  EXPECT_EQ(b[1], 3u);
  EXPECT_EQ(std::memcmp(b + 2, "xyz", 3), 0);
  rt::FreeBlock(b);
}

TEST_F(Values, ConstantsAreNeverFreedAndReallocCopiesThem) {
  const char* literal = testimg::Hello();
  ASSERT_TRUE(rt::InConstantArea(literal));
  rt::FreeBlock(const_cast<char*>(literal));
  rt::FreeBlock(nullptr);
  EXPECT_STREQ(literal, "hello");

  auto copy = static_cast<char*>(rt::ReallocBlock(const_cast<char*>(literal), 3));
  ASSERT_NE(copy, literal);
  EXPECT_FALSE(rt::InConstantArea(copy));
  EXPECT_EQ(std::memcmp(copy, "hel", 3), 0);
  rt::FreeBlock(copy);

  // Growing past the area's end copies only what the area holds.
  const char* nearEnd = reinterpret_cast<const char*>(testimg::Constants() + testimg::ConstantsLength() - 4);
  auto grown = static_cast<char*>(rt::ReallocBlock(const_cast<char*>(nearEnd), 64));
  EXPECT_EQ(std::memcmp(grown, nearEnd, 4), 0);
  rt::FreeBlock(grown);
  EXPECT_STREQ(literal, "hello");
}

TEST_F(Values, MakeArrayPrivateCopiesOnlyConstants) {
  void* array = const_cast<void*>(testimg::ConstantByteArray());
  rt::MakeArrayPrivate(1, &array);
  ASSERT_NE(array, testimg::ConstantByteArray());
  EXPECT_EQ(std::memcmp(array, testimg::ConstantByteArray(), 11), 0);
  void* before = array;
  rt::MakeArrayPrivate(1, &array);  // already private: untouched
  EXPECT_EQ(array, before);
  rt::FreeBlock(array);
}

TEST_F(Values, AddressesSurviveTheirWordsAndHalves) {
  // The program's own data: above 4 GB on the 64-bit build (the exe sits at 0x140000000), so a
  // dropped high half fails here; a stack address would sit below 4 GB under Wine and pass anyway.
  static int inTheImage = 0;
  const void* p = &inTheImage;
  if (kWideAddresses) {
    EXPECT_NE(AddrHigh(p), 0u);
  }
  EXPECT_EQ(FromWord<const void>(Word(p)), p);
  EXPECT_EQ(ArgPtr(MakePtr(p, tc::Text)), p);
  EXPECT_EQ(AddrFromHalves(AddrLow(p), AddrHigh(p)), p);
  // A pseudo-handle such as (HANDLE)-1 comes back whole from its 32-bit word.
  HANDLE current = GetCurrentProcess();
  EXPECT_EQ(HandleFromWord<HANDLE>(HandleWord(current)), current);
  EXPECT_EQ(tc::ElementWidth(tc::Text), sizeof(void*));
  EXPECT_EQ(tc::ElementWidth(tc::Short), 2u);
}

TEST_F(Values, TheAboveFourGigabyteModeHandsOutHighBlocksAndReusesThem) {
  if (!kWideAddresses) GTEST_SKIP() << "the 32-bit program has no such mode";
  auto a = static_cast<char*>(rt::HighAlloc(10));
  ASSERT_NE(a, nullptr);
  EXPECT_GE(Word(a), uint64_t{1} << 32);
  EXPECT_EQ(Word(a) % 16, 0u);
  std::strcpy(a, "kept");
  auto b = static_cast<char*>(rt::HighRealloc(a, 5000));  // outgrows its class: moves, keeps the text
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b, "kept");
  const size_t live = rt::HighLiveBlocks();
  EXPECT_TRUE(rt::HighFree(b));
  EXPECT_TRUE(rt::HighFree(b));  // twice: ignored
  EXPECT_EQ(rt::HighLiveBlocks(), live - 1);
  EXPECT_EQ(rt::HighAlloc(6000), b);  // the freed block of that class comes back first
  int onTheStack = 0;
  EXPECT_FALSE(rt::HighFree(&onTheStack));  // not one of the mode's blocks
  if (rt::HighHeapEnabled()) {
    void* block = rt::AllocBlock(3);
    EXPECT_TRUE(rt::InHighHeap(block));
    rt::FreeBlock(block);
  }
}

TEST_F(Values, FreeArrayReleasesTextElements) {
  // A two-element text array: both texts and the block go back to the heap (no crash, no leak
  // of the elements; a constant element is skipped).
  auto block = static_cast<uint32_t*>(rt::AllocBlock(4 + 4 + 2 * sizeof(void*)));
  block[0] = 1;
  block[1] = 2;
  auto elements = reinterpret_cast<const char**>(block + 2);  // addresses, pointer-wide
  elements[0] = rt::DupText("one");
  elements[1] = testimg::Hello();
  rt::FreeArray(tc::Text | tc::ArrayFlag, block);
  EXPECT_STREQ(testimg::Hello(), "hello");
}

TEST_F(Values, NumbersToText) {
  EXPECT_EQ(TextOf(CmdArg{0xFF, 0, tc::Byte}), "255");
  EXPECT_EQ(TextOf(CmdArg{0xFFFF, 0, tc::Short}), "-1");
  EXPECT_EQ(TextOf(MakeInt(-42)), "-42");
  EXPECT_EQ(TextOf(MakeLong(-1234567890123LL)), "-1234567890123");
  EXPECT_EQ(TextOf(MakeFloat(0.1f)), "0.1");
  EXPECT_EQ(TextOf(MakeFloat(15.0f)), "15");
  EXPECT_EQ(TextOf(MakeFloat(0.05f)), "0.05");
  EXPECT_EQ(TextOf(MakeFloat(-3.14159274f)), "-3.14159");
  EXPECT_EQ(TextOf(MakeFloat(0.0f)), "0");
  EXPECT_EQ(TextOf(MakeDouble(1.0 / 3.0)), "0.3333333333333");
  EXPECT_EQ(TextOf(MakeDouble(1e20)), "1e+20");
}

TEST_F(Values, FloatRoundingKeepsSixDigits) {
  EXPECT_DOUBLE_EQ(rt::RoundFloatSixDigits(15.0f), 15.0);
  EXPECT_NEAR(rt::RoundFloatSixDigits(0.05f), 0.05, 1e-15);
  EXPECT_NEAR(rt::RoundFloatSixDigits(123456.7f), 123457.0, 1e-6);
  EXPECT_NEAR(rt::RoundFloatSixDigits(-2.5e-7f), -2.5e-7, 1e-20);
}

TEST_F(Values, LogicalTextAndBytes) {
  EXPECT_EQ(TextOf(MakeLogical(true)), "真");
  EXPECT_EQ(TextOf(CmdArg{5, 0, tc::Logical}), "真");
  EXPECT_EQ(TextOf(MakeLogical(false)), "假");
  EXPECT_EQ(TextOf(MakeText("abc")), "abc");
  EXPECT_EQ(TextOf(MakeText("")), "<null>");

  const uint8_t bytes[] = {'a', 'b', 0, 'c', 'd'};
  void* b = rt::ByteArrayFromBytes(bytes, 5);
  EXPECT_EQ(TextOf(MakePtr(b, tc::ByteArray)), "ab");
  rt::FreeBlock(b);

  // An Integer array is read as its raw bytes up to the first zero byte.
  uint32_t ints[4] = {1, 2, 0x00636261, 0};
  EXPECT_EQ(TextOf(MakePtr(ints, tc::Integer | tc::ArrayFlag)), "abc");
  uint32_t texts[3] = {1, 1, 0};
  EXPECT_EQ(TextOf(MakePtr(texts, tc::Text | tc::ArrayFlag)), "<null>");
  EXPECT_EQ(TextOf(CmdArg{1, 0, tc::SubPtr}), "<null>");
}

TEST_F(Values, DatesToText) {
  EXPECT_EQ(TextOf(MakeDateTime(0.0)), "1899年12月30日");
  EXPECT_EQ(TextOf(MakeDateTime(0.5)), "1899年12月30日12时");
  EXPECT_EQ(TextOf(MakeDateTime(45000.0 + 0.5 + 30.0 / 1440)), "2023年3月15日12时30分");
  EXPECT_EQ(TextOf(MakeDateTime(1.0 + 1.0 / 86400)), "1899年12月31日0时0分1秒");
  EXPECT_EQ(TextOf(MakeDateTime(-1.25)), "1899年12月29日6时");
  EXPECT_EQ(TextOf(MakeDateTime(9e9)), "9999年12月31日");
  EXPECT_EQ(TextOf(MakeDateTime(-9e9)), "100年1月1日");
  EXPECT_EQ(TextOf(MakeDateTime(60.0)), "1900年2月28日");  // no 29 February 1900
}

TEST_F(Values, ToInteger) {
  EXPECT_EQ(rt::ValueToInteger(MakeDouble(-2.7)), -2);
  EXPECT_EQ(rt::ValueToInteger(MakeDouble(2.7)), 2);
  EXPECT_EQ(rt::ValueToInteger(CmdArg{5, 1, tc::Long}), 5);
  EXPECT_EQ(rt::ValueToInteger(CmdArg{0xFF, 0, tc::Byte}), 255);
  EXPECT_EQ(rt::ValueToInteger(CmdArg{0x8000, 0, tc::Short}), -32768);
  EXPECT_EQ(rt::ValueToInteger(MakeFloat(-9.9f)), -9);
}

TEST_F(Values, DataView) {
  CmdArg i = MakeInt(7);
  rt::DataView v = rt::ValueDataView(i);
  EXPECT_EQ(v.size, 4u);
  EXPECT_EQ(*static_cast<const int32_t*>(v.data), 7);
  EXPECT_EQ(rt::ValueDataView(MakeDouble(1)).size, 8u);
  EXPECT_EQ(rt::ValueDataView(CmdArg{1, 0, tc::Byte}).size, 1u);
  EXPECT_EQ(rt::ValueDataView(MakePtr(&i, tc::SubPtr)).size, sizeof(void*));  // an address, whole
  EXPECT_EQ(rt::ValueDataView(MakeLogical(true)).size, 4u);
  EXPECT_EQ(rt::ValueDataView(MakeText("abc")).size, 4u);
  void* b = rt::ByteArrayFromBytes("xyz", 3);
  rt::DataView bv = rt::ValueDataView(MakePtr(b, tc::ByteArray));
  EXPECT_EQ(bv.size, 3u);
  EXPECT_EQ(std::memcmp(bv.data, "xyz", 3), 0);
  rt::FreeBlock(b);
  EXPECT_EQ(rt::ValueDataView(CmdArg{1, 0, tc::Window}).size, 0u);
}

using ValuesDeath = Values;

TEST_F(ValuesDeath, ToIntegerOfTextEndsTheProgram) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        rt::ValueToInteger(MakeText("12"));
      },
      ::testing::ExitedWithCode(-1), "runtime error 0: 欲转换数据类型不是数值");
}

TEST_F(ValuesDeath, FailedAllocationNamesTheSize) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        rt::AllocBlock(0x7FFFFFFFu);
      },
      ::testing::ExitedWithCode(-1), "分配 2147483647 字节内存失败!");
  EXPECT_EQ(rt::TryAllocBlock(0x7FFFFFFFu), nullptr);
}

}  // namespace
