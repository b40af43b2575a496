// The interface table and helper table as compiled code sees them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/events.h"
#include "runtime/exit.h"
#include "runtime/heap.h"
#include "runtime/interface_table.h"
#include "tests/support/error_capture.h"
#include "tests/support/test_image.h"

namespace {

const InterfaceTable& T() { return rt::kInterfaceTable; }

int g_seenCount = -1;
CmdArg g_seenResult;
CmdArg* g_seenArgs = nullptr;

void __cdecl Echo(CmdArg* result, int32_t count, CmdArg* args) {
  g_seenCount = count;
  g_seenResult = *result;
  g_seenArgs = args;
  if (count > 0) *result = args[count - 1];
}

void __cdecl Scribble(CmdArg* result, int32_t, CmdArg*) { result->lo = 0xDEAD; }

class Interface : public ::testing::Test {
 protected:
  void SetUp() override { testimg::InitRuntime(); }
};

TEST_F(Interface, CoreCommandGetsZeroedResultAndItsArguments) {
  CmdArg args[2] = {MakeInt(1), MakeDouble(2.5)};
  CmdArg r = T().callCoreCommand(Echo, 2, args);
  EXPECT_EQ(g_seenCount, 2);
  EXPECT_EQ(g_seenResult.lo | g_seenResult.hi | g_seenResult.type, 0u);
  EXPECT_EQ(g_seenArgs, args);
  EXPECT_EQ(r.type, tc::Double);
  EXPECT_DOUBLE_EQ(ArgDouble(r), 2.5);

  // No arguments: still a valid pointer; a command that sets only part of the result leaves the rest 0.
  r = T().callCoreCommand(Echo, 0, nullptr);
  EXPECT_NE(g_seenArgs, nullptr);
  EXPECT_EQ(r.lo | r.hi | r.type, 0u);
  r = T().callCoreCommand(Scribble, 0, nullptr);
  EXPECT_EQ(r.lo, 0xDEADu);
  EXPECT_EQ(r.hi | r.type, 0u);
}

TEST_F(Interface, ModuleCommandSlotIgnoresTheModuleIndex) {
  CmdArg args[1] = {MakeText("x")};
  for (int32_t module : {0, 3, 6, -1, 1000}) {
    CmdArg a = T().callModuleCommand(Echo, module, 1, args);
    CmdArg b = T().callCoreCommand(Echo, 1, args);
    EXPECT_EQ(a.lo, b.lo);
    EXPECT_EQ(a.type, b.type);
  }
}

TEST_F(Interface, HeapSlotsUseTheRuntimeHeap) {
  auto p = static_cast<char*>(T().allocBlock(16));
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "0123456789", 11);
  p = static_cast<char*>(T().reallocBlock(p, 4096));
  EXPECT_STREQ(p, "0123456789");
  T().freeBlock(p);
  T().freeBlock(const_cast<char*>(testimg::Hello()));
  EXPECT_STREQ(testimg::Hello(), "hello");
}

TEST_F(Interface, TypedEventArgumentsAreWidenedByTheirTypes) {
  TypedEventRecord r{};
  static int32_t variable = 0;  // in the image: above 4 GB on the 64-bit build, so both halves count
  const void* address = &variable;
  r.argCount = 5;
  r.args[0] = {0x1234FF, 0, tc::Byte, 0};
  r.args[1] = {0xFFFF8000u, 0, tc::Short, 0};
  r.args[2] = {0, 0x3FF80000u, tc::Double, 0};  // 1.5: eight bytes, two words
  r.args[3] = {AddrLow(address), AddrHigh(address), tc::Integer, 1};  // by reference
  r.args[4] = {7, 9, tc::Integer, 0};                                  // only the low half
  uint32_t words[24] = {};
  uint32_t n = rt::WidenTypedArguments(r, words, 24);
  std::vector<uint32_t> expected = {0xFF, 0xFFFF8000u, 0, 0x3FF80000u, AddrLow(address)};
  if (kWideAddresses) expected.push_back(AddrHigh(address));  // an address is two words there
  expected.push_back(7);
  EXPECT_EQ(std::vector<uint32_t>(words, words + n), expected);
  if (kWideAddresses) {
    EXPECT_EQ(AddrFromHalves(words[4], words[5]), address);
  }
}

TEST_F(Interface, HelperTableEntries) {
  EXPECT_EQ(T().helper(helper::RegisterExitCallback), reinterpret_cast<const void*>(rt::kHelperTable.registerExitCallback));
  EXPECT_EQ(T().helper(helper::RuntimeInit), reinterpret_cast<const void*>(rt::kHelperTable.runtimeInit));
  EXPECT_EQ(T().helper(7), nullptr);
  EXPECT_EQ(T().helper(-1), nullptr);

  // Helper 2 is MakeArrayPrivate.
  void* array = const_cast<void*>(testimg::ConstantByteArray());
  rt::kHelperTable.makeArrayPrivate(1, &array);
  EXPECT_FALSE(rt::InConstantArea(array));
  rt::FreeBlock(array);
}

TEST_F(Interface, FindFilesWalksAFolderAndClosesTheHandleAtTheEnd) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string folder = std::string(dir) + "rs_find_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"\\a.lst", "\\b.lst", "\\c.txt"}) {
    HANDLE f = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
  }
  void* handle = nullptr;
  std::vector<std::string> found;
  char* name = rt::kHelperTable.findNextFile((folder + "\\*.lst").c_str(), 0, 0, &handle);
  while (name) {
    found.push_back(name);
    rt::FreeBlock(name);
    name = rt::kHelperTable.findNextFile(nullptr, 0, 0, &handle);
  }
  EXPECT_EQ(handle, nullptr);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"a.lst", "b.lst"}));
  for (const char* n : {"\\a.lst", "\\b.lst", "\\c.txt"}) DeleteFileA((folder + n).c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(Interface, DllCommandsResolveOnceFromTheSystemDllsOrByOrdinal) {
  void* tick = T().resolveDllCommand(testimg::kDllGetTickCount);
  ASSERT_NE(tick, nullptr);
  EXPECT_EQ(tick, reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount")));
  EXPECT_EQ(T().resolveDllCommand(testimg::kDllGetTickCount), tick);  // cached
  auto fn = reinterpret_cast<DWORD(WINAPI*)()>(tick);
  EXPECT_GT(fn(), 0u);

  void* byOrdinal = T().resolveDllCommand(testimg::kDllByOrdinal);
  EXPECT_EQ(byOrdinal, reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), MAKEINTRESOURCEA(1))));
}

using InterfaceDeath = Interface;

TEST_F(InterfaceDeath, MissingDllExportsNameTheDllAndEntry) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        T().resolveDllCommand(testimg::kDllMissingNamed);
      },
      ::testing::ExitedWithCode(-1), "无法找到指定DLL库文件“kernel32.dll”中的输出命令“NoSuchExportAnywhere”");
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        T().resolveDllCommand(testimg::kDllMissingUnnamed);
      },
      ::testing::ExitedWithCode(-1), "无法找到指定DLL库文件中的输出命令“NoSuchExportEither”");
}

TEST_F(InterfaceDeath, SlotZeroReportsTheTableMessage) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        T().reportErrorByCode(4);
      },
      ::testing::ExitedWithCode(-1), "runtime error 4: 数组成员引用下标必须大于等于1");
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        T().reportErrorByCode(99);
      },
      ::testing::ExitedWithCode(-1), "runtime error 99: \\n$");
}

TEST_F(InterfaceDeath, FullTableSlot13RefusesExternalPackages) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        rt::kFullInterfaceTable.externalPackageCall();
      },
      ::testing::ExitedWithCode(-1), "静态编译的程序不能调用");
}

TEST_F(InterfaceDeath, LoadingAStartupWindowThatDoesNotExistFails) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        T().loadStartupWindow(0x52010001);
      },
      ::testing::ExitedWithCode(-1), "载入启动窗口失败");
}

}  // namespace
