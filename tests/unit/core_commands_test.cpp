// The core text, number, byte and file commands, called the way compiled code calls them.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cmath>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/commands/core_commands.h"
#include "runtime/commands/text_logic.h"
#include "runtime/heap.h"
#include "runtime/interface_table.h"
#include "tests/support/test_image.h"

namespace {

CmdArg Call(core::Command c, std::vector<CmdArg> args) {
  return rt::kInterfaceTable.callCoreCommand(kCoreCommands[c], static_cast<int32_t>(args.size()), args.data());
}
std::string TakeText(CmdArg r) {
  EXPECT_TRUE(r.type == tc::Text || r.type == 0);
  std::string s = ArgText(r) ? ArgText(r) : "";
  if (ArgText(r)) {
    EXPECT_NE(s, "") << "empty texts must be null";
  }
  rt::FreeBlock(ArgPtr(r));
  return s;
}
std::vector<uint8_t> TakeBytes(CmdArg r) {
  const void* b = ArgPtr(r);
  std::vector<uint8_t> v(ByteArrayData(b), ByteArrayData(b) + ByteArrayLength(b));
  if (b) {
    EXPECT_GT(ByteArrayLength(b), 0u) << "empty byte arrays must be null";
  }
  rt::FreeBlock(ArgPtr(r));
  return v;
}
CmdArg Omitted() { return CmdArg{0, 0, 0}; }

class CoreCommands : public ::testing::Test {
 protected:
  void SetUp() override { testimg::InitRuntime(); }
};

TEST_F(CoreCommands, ToIntegerOfTextsAndValues) {
  auto toInt = [](CmdArg a) { return static_cast<int32_t>(Call(core::ToInteger, {a}).lo); };
  EXPECT_EQ(toInt(MakeText("  -42abc")), -42);
  EXPECT_EQ(toInt(MakeText("abc")), 0);
  EXPECT_EQ(toInt(MakeText("１２３")), 123);        // full-width digits
  EXPECT_EQ(toInt(MakeText("　－７")), -7);        // full-width space and sign
  EXPECT_EQ(toInt(MakeText("+")), 0);
  EXPECT_EQ(toInt(MakeText("4294967297")), 1);     // 32-bit accumulation, no overflow check
  EXPECT_EQ(toInt(MakeText(nullptr)), 0);
  EXPECT_EQ(toInt(MakeDouble(-2.7)), -2);
  EXPECT_EQ(toInt(MakeDateTime(45000.5)), 0);
  EXPECT_EQ(toInt(MakeLogical(true)), 1);
  EXPECT_EQ(toInt(CmdArg{0xFFFF, 0, tc::Short}), -1);
  EXPECT_EQ(Call(core::ToInteger, {MakeText("9")}).type, tc::Integer);
  // A lead byte followed by the terminator ends the normalisation walk.
  EXPECT_EQ(rt::NormaliseFullWidth("12\xA3"), "12");
}

TEST_F(CoreCommands, FindTextPositions) {
  auto find = [](const char* t, const char* k, CmdArg start, CmdArg ic = MakeLogical(false)) {
    return static_cast<int32_t>(Call(core::FindText, {MakeText(t), MakeText(k), start, ic}).lo);
  };
  EXPECT_EQ(find("abcabc", "bc", Omitted()), 2);
  EXPECT_EQ(find("abcabc", "bc", MakeInt(3)), 5);
  EXPECT_EQ(find("abcabc", "bc", MakeInt(0)), 2);
  EXPECT_EQ(find("abcabc", "bc", MakeInt(-7)), 2);
  EXPECT_EQ(find("abcabc", "bc", MakeInt(7)), -1);
  EXPECT_EQ(find("ABC", "b", Omitted(), MakeLogical(true)), 2);
  EXPECT_EQ(find("ABC", "b", Omitted(), MakeLogical(false)), -1);
  EXPECT_EQ(find("abc", "", Omitted()), 1);
  EXPECT_EQ(find("abc", "", MakeInt(2)), 1);
  EXPECT_EQ(find("", "", Omitted()), -1);
  // "丁" is 0xB6 0xA1; "ⅰ" bytes must not match across the character boundary.
  EXPECT_EQ(find("\xB6\xA1\xA1", "\xA1\xA1", Omitted()), -1);
  EXPECT_EQ(find("电影<title>", "<title>", Omitted()), 5);
}

TEST_F(CoreCommands, MidAndLeftText) {
  auto mid = [](const char* t, int s, int n) { return TakeText(Call(core::MidText, {MakeText(t), MakeInt(s), MakeInt(n)})); };
  EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(mid("abcdef", 0, 3), "");
  EXPECT_EQ(mid("abcdef", 7, 3), "");
  EXPECT_EQ(mid("abcdef", 2, 0), "");
  EXPECT_EQ(mid("abcdef", 2, 100), "bcdef");
  auto left = [](const char* t, int n) { return TakeText(Call(core::LeftText, {MakeText(t), MakeInt(n)})); };
  EXPECT_EQ(left("abc", 5), "abc");
  EXPECT_EQ(left("abc", 0), "");
  EXPECT_EQ(left("abc", -1), "");
  EXPECT_EQ(left("abc", 2), "ab");
  EXPECT_EQ(static_cast<int32_t>(Call(core::TextLength, {MakeText("电影ab")}).lo), 6);
  EXPECT_EQ(static_cast<int32_t>(Call(core::TextLength, {MakeText(nullptr)}).lo), 0);
}

TEST_F(CoreCommands, RoundNumberHalvesAwayFromZero) {
  auto round = [](double x, CmdArg d) { return ArgDouble(Call(core::RoundNumber, {MakeDouble(x), d})); };
  EXPECT_DOUBLE_EQ(round(2.5, Omitted()), 3);
  EXPECT_DOUBLE_EQ(round(-2.5, Omitted()), -3);
  EXPECT_DOUBLE_EQ(round(1.005, MakeInt(2)), 1.01);
  EXPECT_DOUBLE_EQ(round(1234, MakeInt(-2)), 1200);
  EXPECT_DOUBLE_EQ(round(0.5 - 1e-13, Omitted()), 1);
  EXPECT_DOUBLE_EQ(round(0.5 - 1e-11, Omitted()), 0);
  EXPECT_DOUBLE_EQ(round(0, MakeInt(3)), 0);
  EXPECT_DOUBLE_EQ(round(33.0 / 100 * 100, Omitted()), 33);
  EXPECT_EQ(Call(core::RoundNumber, {MakeDouble(1)}).type, tc::Double);
}

TEST_F(CoreCommands, ToTextAndToBytes) {
  EXPECT_EQ(TakeText(Call(core::ToText, {MakeInt(10001)})), "10001");
  EXPECT_EQ(TakeText(Call(core::ToText, {MakeText("")})), "");
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {MakeText("ab")})), (std::vector<uint8_t>{0x61, 0x62}));
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {MakeInt(1)})), (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {CmdArg{0x1234, 0, tc::Short}})), (std::vector<uint8_t>{0x34, 0x12}));
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {MakeDouble(1)})).size(), 8u);
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {MakeText(nullptr)})).size(), 0u);
  uint32_t shorts[] = {1, 3, 0x00020001, 0x00000003};
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {MakePtr(shorts, tc::Short | tc::ArrayFlag)})),
            (std::vector<uint8_t>{1, 0, 2, 0, 3, 0}));
  uint32_t texts[] = {1, 1, 0};
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {MakePtr(texts, tc::Text | tc::ArrayFlag)})).size(), 0u);
  EXPECT_EQ(TakeBytes(Call(core::ToBytes, {CmdArg{1, 2, tc::Window}})).size(), 0u);
}

TEST_F(CoreCommands, NowIsTheLocalTimeInWholeSeconds) {
  CmdArg r = Call(core::Now, {});
  ASSERT_EQ(r.type, tc::DateTime);
  double date = ArgDouble(r);
  double seconds = date * 86400.0;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
  SYSTEMTIME st;
  GetLocalTime(&st);
  double nowDays = 0;
  SystemTimeToVariantTime(&st, &nowDays);
  EXPECT_NEAR(date, nowDays, 5.0 / 86400);
}

class Files : public CoreCommands {
 protected:
  void SetUp() override {
    CoreCommands::SetUp();
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    path_ = std::string(dir) + "rs_file_" + std::to_string(GetCurrentProcessId()) + ".lst";
    DeleteFileA(path_.c_str());
  }
  void TearDown() override { DeleteFileA(path_.c_str()); }
  bool Write(std::vector<CmdArg> pieces) {
    pieces.insert(pieces.begin(), MakeText(path_.c_str()));
    return Call(core::WriteWholeFile, pieces).lo != 0;
  }
  std::vector<uint8_t> Read() { return TakeBytes(Call(core::ReadWholeFile, {MakeText(path_.c_str())})); }
  std::string path_;
};

std::vector<uint8_t> Bytes(const char* s) { return std::vector<uint8_t>(s, s + std::strlen(s)); }

TEST_F(Files, WriteThenReadBack) {
  void* a = rt::ByteArrayFromBytes("line1\r\n", 7);
  void* b = rt::ByteArrayFromBytes("电影\r\n", 6);
  EXPECT_TRUE(Write({MakePtr(a, tc::ByteArray), MakePtr(nullptr, tc::ByteArray), MakePtr(b, tc::ByteArray)}));
  EXPECT_EQ(Read(), Bytes("line1\r\n电影\r\n"));
  rt::FreeBlock(a);
  rt::FreeBlock(b);

  EXPECT_TRUE(Write({}));  // no data: an empty file, and true
  EXPECT_EQ(GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES, true);
  EXPECT_TRUE(Read().empty());
}

TEST_F(Files, EmptyNamesMissingFilesAndBadFolders) {
  EXPECT_EQ(Call(core::WriteWholeFile, {MakeText("")}).lo, 0u);
  EXPECT_TRUE(TakeBytes(Call(core::ReadWholeFile, {MakeText("")})).empty());
  EXPECT_TRUE(Read().empty());  // missing
  void* a = rt::ByteArrayFromBytes("x", 1);
  EXPECT_EQ(Call(core::WriteWholeFile, {MakeText("Z:\\no\\such\\folder\\x.lst"), MakePtr(a, tc::ByteArray)}).lo, 0u);
  rt::FreeBlock(a);
}

TEST_F(Files, AReplaceThatFailsHalfWayKeepsTheOldFile) {
  void* old = rt::ByteArrayFromBytes("old content\r\n", 13);
  ASSERT_TRUE(Write({MakePtr(old, tc::ByteArray)}));
  rt::FreeBlock(old);

  // The second piece claims bytes the process cannot read: the write fails after the first piece.
  void* first = rt::ByteArrayFromBytes("new first piece\r\n", 17);
  static uint32_t bogus[2] = {1, 0x10000000};
  EXPECT_FALSE(Write({MakePtr(first, tc::ByteArray), MakePtr(bogus, tc::ByteArray)}));
  rt::FreeBlock(first);
  EXPECT_EQ(Read(), Bytes("old content\r\n"));

  // Nothing is left behind beside it.
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((path_ + ".~*").c_str(), &data);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(Files, AReadOnlyFileOrAFolderIsNotReplaced) {
  void* old = rt::ByteArrayFromBytes("kept", 4);
  ASSERT_TRUE(Write({MakePtr(old, tc::ByteArray)}));
  rt::FreeBlock(old);
  ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  void* fresh = rt::ByteArrayFromBytes("replaced", 8);
  EXPECT_FALSE(Write({MakePtr(fresh, tc::ByteArray)}));
  SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Read(), Bytes("kept"));
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  EXPECT_EQ(Call(core::WriteWholeFile, {MakeText(dir), MakePtr(fresh, tc::ByteArray)}).lo, 0u);
  EXPECT_NE(GetFileAttributesA(dir) & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the folder is still a folder";
  rt::FreeBlock(fresh);
}

TEST_F(Files, AReplaceBlockedByAReaderKeepsTheOldFile) {
  void* old = rt::ByteArrayFromBytes("kept", 4);
  ASSERT_TRUE(Write({MakePtr(old, tc::ByteArray)}));
  HANDLE reader = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  void* fresh = rt::ByteArrayFromBytes("replaced", 8);
  EXPECT_FALSE(Write({MakePtr(fresh, tc::ByteArray)}));
  CloseHandle(reader);
  EXPECT_EQ(Read(), Bytes("kept"));
  EXPECT_TRUE(Write({MakePtr(fresh, tc::ByteArray)}));
  EXPECT_EQ(Read(), Bytes("replaced"));
  rt::FreeBlock(old);
  rt::FreeBlock(fresh);
}

TEST(MessageBoxAnswers, MapTheButtons) {
  EXPECT_EQ(rt::MessageBoxAnswer(IDOK), 0);
  EXPECT_EQ(rt::MessageBoxAnswer(IDCANCEL), 1);
  EXPECT_EQ(rt::MessageBoxAnswer(IDABORT), 2);
  EXPECT_EQ(rt::MessageBoxAnswer(IDRETRY), 3);
  EXPECT_EQ(rt::MessageBoxAnswer(IDIGNORE), 4);
  EXPECT_EQ(rt::MessageBoxAnswer(IDYES), 5);
  EXPECT_EQ(rt::MessageBoxAnswer(IDNO), 6);
  EXPECT_EQ(rt::MessageBoxAnswer(11), 0);
}

}  // namespace
