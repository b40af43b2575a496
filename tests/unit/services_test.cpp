// The service entry as modules see it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "runtime/heap.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/startup.h"
#include "tests/support/error_capture.h"
#include "tests/support/test_image.h"

namespace {

class Services : public ::testing::Test {
 protected:
  void SetUp() override {
    testimg::InitRuntime();
    svc_ = rt::ServiceEntry();
  }
  AddrWord Call(uint32_t code, AddrWord a1 = 0, AddrWord a2 = 0) { return svc_(code, a1, a2); }
  RuntimeServiceFn svc_ = nullptr;
};

TEST_F(Services, ModulesAreNotifiedOnceWithTheServiceEntry) {
  auto& seen = testimg::RecordedNotifications();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "notify 1");
  EXPECT_EQ(testimg::RecordedService(), svc_);
  // The null descriptor and the module without a notify entry are kept in place but skipped.
  EXPECT_EQ(rt::App().modules.size(), 10u);
  EXPECT_EQ(rt::App().moduleData, std::vector<uint32_t>(10, 0));
}

TEST_F(Services, TypeEntriesByTypeCode) {
  auto entry = [&](TypeCode t) { return FromWord<const UnitTypeInfo>(Call(svc::TypeEntry, t)); };
  ASSERT_NE(entry(tc::EditBox), nullptr);
  EXPECT_STREQ(entry(tc::EditBox)->englishName, "EditBox");
  EXPECT_EQ(entry(tc::EditBox)->stateFlags, 0x80000040u);
  EXPECT_STREQ(entry(tc::Window)->englishName, "window");
  EXPECT_EQ(entry(tc::Window)->propertyCount, 32u);
  EXPECT_STREQ(entry(tc::CommonDlg)->englishName, "CommonDlg");
  EXPECT_STREQ(entry(tc::ListView)->englishName, "ListView");
  EXPECT_EQ(entry(tc::ListView)->propertyCount, 39u);
  EXPECT_STREQ(entry(tc::SearchResult)->englishName, "SearchResult");
  EXPECT_EQ(entry(tc::ModuleType(0, 2))->englishName, nullptr);  // an empty slot keeps its place
  EXPECT_EQ(entry(tc::ModuleType(0, 52)), nullptr);
  EXPECT_EQ(entry(tc::ModuleType(1, 1)), nullptr);  // the thread module has no types
  EXPECT_EQ(entry(tc::ModuleType(40, 1)), nullptr);
  EXPECT_EQ(entry(0), nullptr);
}

TEST_F(Services, ConstantAnswers) {
  EXPECT_EQ(Call(svc::Placeholder), 1u);
  EXPECT_EQ(Call(svc::RuntimeLevel), 0x30005u);
  EXPECT_EQ(Call(svc::ImageKind), 3u);
  EXPECT_EQ(Call(svc::Nothing2002, 1, 2), 0u);
  EXPECT_EQ(Call(999), 0u);
  EXPECT_EQ(Call(3000), 0u);
  EXPECT_EQ(rt::App().headerWords[2], 0x000100D4u);  // kept increased by one
}

TEST_F(Services, ProgramDirectoryAndName) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full = path;
  std::string dir = full.substr(0, full.rfind('\\'));
  std::string name = full.substr(full.rfind('\\') + 1);

  auto d = FromWord<char>(Call(svc::ProgramDirectory));
  auto n = FromWord<char>(Call(svc::ProgramFileName));
  EXPECT_EQ(dir, d);
  EXPECT_EQ(name, n);
  rt::FreeBlock(d);
  rt::FreeBlock(n);

  char buffer[MAX_PATH + 1] = "unchanged";
  Call(svc::CopyRuntimeString, 2001, Word(buffer));
  EXPECT_EQ(dir, buffer);
  Call(svc::CopyRuntimeString, 2002, Word(buffer));
  EXPECT_EQ(name, buffer);
  Call(svc::CopyRuntimeString, 7, Word(buffer));
  EXPECT_STREQ(buffer, "");

  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(dir, current);  // the program directory became the current directory
}

TEST_F(Services, ProgramPathsSplitAtTheLastBackslash) {
  std::string dir, file;
  rt::SplitProgramPath("C:\\a\\b\\prog.exe", dir, file);
  EXPECT_EQ(dir, "C:\\a\\b");
  EXPECT_EQ(file, "prog.exe");
  rt::SplitProgramPath("prog.exe", dir, file);
  EXPECT_EQ(dir, "");
  EXPECT_EQ(file, "prog.exe");
}

TEST_F(Services, HeapServices) {
  auto p = FromWord<char>(Call(svc::Allocate, 10, 0));
  ASSERT_NE(p, nullptr);
  std::strcpy(p, "abc");
  p = FromWord<char>(Call(svc::Resize, Word(p), 100000));
  EXPECT_STREQ(p, "abc");
  Call(svc::Free, Word(p));
  EXPECT_EQ(Call(svc::Allocate, 0x7FFFFFFF, 1), 0u);  // may fail: null instead of an error
  Call(svc::Free, 0);
}

TEST_F(Services, WindowServicesAnswerWhileNoWindowExists) {
  struct {
    uint32_t id;
    void* owner;
    uint32_t modal;
  } request = {0x52010001, nullptr, 0};
  EXPECT_EQ(static_cast<uint32_t>(Call(svc::LoadWindow, Word(&request))), 0xFFFFFFFFu);
  EXPECT_EQ(Call(svc::FindUnit, 0x52010001, 0), 0u);
  EXPECT_EQ(Call(svc::WindowHandle, 0x52010001), 0u);
  EXPECT_EQ(Call(svc::WindowCount), 0u);
  EXPECT_EQ(Call(svc::IsUnitWindow, Word(rt::App().hiddenOwner)), 0u);
}

TEST_F(Services, EventsWithoutAHandlerAndWhileBlocked) {
  EventRecord r{};
  r.windowId = 0x52010001;
  r.eventIndex = 0;
  // While blocked the lookup answers nothing before it looks for the window (the test image
  // has none, which unblocked would be a runtime error).
  rt::App().eventBlockCount = 1;
  EXPECT_EQ(Call(svc::RaiseEvent, Word(&r)), 0u);
  rt::App().eventBlockCount = 0;
  EXPECT_EQ(r.hasResult, 0u);
  uint32_t source[2] = {9, 9};
  EXPECT_EQ(Call(svc::CurrentEventSource, Word(source)), 0u);

  LONG before = rt::App().eventBlockCount;
  Call(svc::BlockEvents);
  EXPECT_EQ(rt::App().eventBlockCount, before + 1);
  Call(svc::UnblockEvents);
  Call(svc::UnblockEvents);  // never below 0
  EXPECT_EQ(rt::App().eventBlockCount, 0);
}

TEST_F(Services, ValueToIntegerService) {
  CmdArg d = MakeDouble(-7.9);
  EXPECT_EQ(static_cast<int32_t>(Call(svc::ToInteger, Word(&d))), -7);
}

TEST_F(Services, FreeArrayFreesElementsOfTextArrays) {
  auto block = static_cast<uint32_t*>(rt::AllocBlock(8 + sizeof(void*)));
  block[0] = 1;
  block[1] = 1;
  reinterpret_cast<char**>(block + 2)[0] = rt::DupText("element");  // elements are addresses
  Call(svc::FreeArray, tc::Text | tc::ArrayFlag, Word(block));
  Call(svc::FreeArray, tc::ByteArray | tc::ArrayFlag, 0);
  EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

TEST_F(Services, ProgramIconsLoadOnce) {
  HICON pair[2] = {nullptr, nullptr};
  Call(svc::ProgramIcons, Word(pair));
  HICON again[2] = {nullptr, nullptr};
  Call(svc::ProgramIcons, Word(again));
  EXPECT_NE(pair[0], nullptr);  // the test exe carries the program's icon resource
  EXPECT_NE(pair[1], nullptr);
  EXPECT_EQ(pair[0], again[0]);
  EXPECT_EQ(pair[1], again[1]);
}

using ServicesDeath = Services;

TEST_F(ServicesDeath, StrictUnitLookupAndReportedErrorsEndTheProgram) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        Call(svc::FindUnitStrict, 0x52010001, 0x16010066);
      },
      ::testing::ExitedWithCode(-1), "指定窗口或窗口组件不存在或尚未载入");
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        Call(svc::ReportError, Word("module says no"));
      },
      ::testing::ExitedWithCode(-1), "runtime error 0: module says no");
  EXPECT_EXIT(Call(svc::Exit, 42), ::testing::ExitedWithCode(42), "");
}

}  // namespace
