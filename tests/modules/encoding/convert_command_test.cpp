// ConvertEncoding called the way compiled code calls a module command, with the runtime started
// so the module holds the real service entry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "modules/encoding/encoding_module.h"
#include "runtime/heap.h"
#include "runtime/interface_table.h"
#include "tests/support/test_image.h"

namespace {

constexpr int32_t kModuleIndex = 4;  // EncodingLib's place in the module list

// A byte array argument built on the runtime heap, freed when it goes out of scope.
class Bytes {
 public:
  explicit Bytes(const std::string& s) : block_(rt::AllocBlock(static_cast<uint32_t>(8 + s.size()))) {
    auto* w = static_cast<uint32_t*>(block_);
    w[0] = 1;
    w[1] = static_cast<uint32_t>(s.size());
    if (!s.empty()) std::memcpy(static_cast<uint8_t*>(block_) + 8, s.data(), s.size());
  }
  ~Bytes() { rt::FreeBlock(block_); }
  CmdArg arg() const { return MakePtr(block_, tc::ByteArray); }

 private:
  void* block_;
};

struct Outcome {
  bool isNull;
  std::string bytes;
  uint32_t flag;
};

Outcome CallWith(std::vector<CmdArg> args, uint32_t* flag) {
  CommandFn fn = kEncodingLibDescriptor.commands[encoding_cmd::ConvertEncoding];
  CmdArg r = rt::kInterfaceTable.callModuleCommand(fn, kModuleIndex, static_cast<int32_t>(args.size()), args.data());
  EXPECT_EQ(r.type, tc::ByteArray);
  const void* block = ArgPtr(r);
  Outcome o{block == nullptr, "", flag ? *flag : 0};
  if (block) {
    EXPECT_EQ(static_cast<const uint32_t*>(block)[0], 1u);
    EXPECT_GT(ByteArrayLength(block), 0u) << "empty byte arrays must be null";
    o.bytes.assign(reinterpret_cast<const char*>(ByteArrayData(block)), ByteArrayLength(block));
  }
  rt::FreeBlock(ArgPtr(r));
  return o;
}

// Converts with the success flag given, as the by-reference fourth argument.
Outcome Convert(const std::string& in, const char* from, const char* to) {
  Bytes b(in);
  uint32_t flag = 0x55;  // must be overwritten whatever happens
  return CallWith({b.arg(), MakeText(from), MakeText(to), MakePtr(&flag, tc::Logical)}, &flag);
}

class ConvertEncoding : public ::testing::Test {
 protected:
  void SetUp() override { testimg::InitRuntime(); }
};

TEST_F(ConvertEncoding, ModuleListsTheCommandAndAnswersNotifications) {
  ASSERT_EQ(kEncodingLibDescriptor.commandCount, 1u);
  ASSERT_NE(kEncodingLibDescriptor.commands, nullptr);
  EXPECT_NE(EncodingLibService(), nullptr);
  EXPECT_EQ(kEncodingLibDescriptor.notify(notify::Exit, 0, 0), 0u);
  EXPECT_EQ(kEncodingLibDescriptor.notify(3, 0, 0), static_cast<uint32_t>(-1));
}

TEST_F(ConvertEncoding, Utf8PageToGbkByteExactly) {
  // The source file is UTF-8: u8"" keeps it so, a plain literal is compiled to GBK.
  const std::string page = u8"<html><head><title>流浪地球 - 电影下载</title></head>"
                           u8"<body><a href=\"thunder://QUFodHRwOi8v\">迅雷下载</a>，高清。</body></html>";
  const std::string expected = "<html><head><title>流浪地球 - 电影下载</title></head>"
                               "<body><a href=\"thunder://QUFodHRwOi8v\">迅雷下载</a>，高清。</body></html>";
  Outcome o = Convert(page, "UTF-8", "GBK");
  EXPECT_EQ(o.flag, 1u);
  EXPECT_EQ(o.bytes, expected);
  EXPECT_EQ(Convert("abc", "UTF-8", "GBK").bytes, "abc");
  o = Convert("\xE4\xB8\xAD", "utf-8", "gbk");  // one 3-byte character becomes 2 bytes
  EXPECT_EQ(o.bytes, "\xD6\xD0");
  EXPECT_EQ(o.flag, 1u);
  // And back again, with null (empty) texts for the ANSI code page.
  Bytes gbk(expected);
  uint32_t flag = 0;
  o = CallWith({gbk.arg(), MakeText(nullptr), MakeText("UTF-8"), MakePtr(&flag, tc::Logical)}, &flag);
  EXPECT_EQ(o.bytes, page);
  EXPECT_EQ(o.flag, 1u);
}

TEST_F(ConvertEncoding, ExpandingConversionGrowsPastTheFirstBuffer) {
  Outcome o = Convert(std::string(1000, 'q'), "GBK", "UTF-16LE");
  EXPECT_EQ(o.flag, 1u);
  ASSERT_EQ(o.bytes.size(), 2000u);
  for (size_t i = 0; i < o.bytes.size(); i += 2) ASSERT_EQ(o.bytes.substr(i, 2), std::string("q\0", 2));
  std::string chinese;
  for (int i = 0; i < 400; ++i) chinese += "中文";  // GBK, 2 bytes each; 3 each in UTF-8
  o = Convert(chinese, "GBK", "UTF-8");
  EXPECT_EQ(o.flag, 1u);
  EXPECT_EQ(o.bytes.size(), 2400u);
  EXPECT_EQ(o.bytes.substr(0, 6), u8"中文");
}

TEST_F(ConvertEncoding, FailuresGiveTheEmptyArrayAndFalse) {
  const std::string emoji = "\xF0\x9F\x98\x80";
  Outcome o = Convert(u8"电影" + emoji + "ok", "UTF-8", "GBK");
  EXPECT_TRUE(o.isNull);  // nothing of what was converted before the emoji
  EXPECT_EQ(o.flag, 0u);
  o = Convert(u8"电影" + emoji + "ok", "UTF-8", "GBK//IGNORE");
  EXPECT_EQ(o.bytes, "电影ok");
  EXPECT_EQ(o.flag, 1u);
  o = Convert("\xFF", "UTF-8", "GBK");
  EXPECT_TRUE(o.isNull);
  EXPECT_EQ(o.flag, 0u);
  o = Convert("abc\xE4\xB8", "UTF-8", "GBK");  // cut short in a character
  EXPECT_TRUE(o.isNull);
  EXPECT_EQ(o.flag, 0u);
  for (auto names : {std::make_pair("UTF-8", "NO-SUCH"), std::make_pair("NO-SUCH", "GBK")}) {
    o = Convert("abc", names.first, names.second);
    EXPECT_TRUE(o.isNull);
    EXPECT_EQ(o.flag, 0u);
  }
}

TEST_F(ConvertEncoding, EmptyAndNullInput) {
  Outcome o = Convert("", "UTF-8", "GBK");
  EXPECT_TRUE(o.isNull);
  EXPECT_EQ(o.flag, 1u);
  uint32_t flag = 1;
  o = CallWith({MakePtr(nullptr, tc::ByteArray), MakeText("UTF-8"), MakeText("GBK"), MakePtr(&flag, tc::Logical)},
               &flag);
  EXPECT_TRUE(o.isNull);
  EXPECT_EQ(o.flag, 0u);
}

TEST_F(ConvertEncoding, SuccessFlagMayBeLeftOut) {
  Bytes b("\xE4\xB8\xAD");
  // The scan worker leaves it out: three arguments, or a fourth with every field 0.
  EXPECT_EQ(CallWith({b.arg(), MakeText("UTF-8"), MakeText("GBK")}, nullptr).bytes, "\xD6\xD0");
  EXPECT_EQ(CallWith({b.arg(), MakeText("UTF-8"), MakeText("GBK"), CmdArg{0, 0, 0}}, nullptr).bytes, "\xD6\xD0");
  EXPECT_TRUE(CallWith({b.arg(), MakeText("UTF-8"), MakeText("NO-SUCH"), CmdArg{0, 0, 0}}, nullptr).isNull);
}

TEST_F(ConvertEncoding, ConcurrentCallsShareNothing) {
  std::string page, expected;
  for (int i = 0; i < 200; ++i) {
    page += u8"第" + std::to_string(i) + u8"部电影 ";
    expected += "第" + std::to_string(i) + "部电影 ";
  }
  std::vector<int> good(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 100; ++i) {
        Bytes b(page);
        uint32_t flag = 0;
        CmdArg args[4] = {b.arg(), MakeText("UTF-8"), MakeText("GBK"), MakePtr(&flag, tc::Logical)};
        CmdArg r = rt::kInterfaceTable.callModuleCommand(
            kEncodingLibDescriptor.commands[encoding_cmd::ConvertEncoding], kModuleIndex, 4, args);
        const void* block = ArgPtr(r);
        if (flag == 1 && ByteArrayLength(block) == expected.size() &&
            std::memcmp(ByteArrayData(block), expected.data(), expected.size()) == 0)
          ++good[t];
        rt::FreeBlock(ArgPtr(r));
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ(good[t], 100) << "thread " << t;
}

}  // namespace
