// ThreadLib's commands called through the module's command table, with the module started by the
// runtime like every other module.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <thread>
#include <vector>

#include "modules/thread/thread_commands.h"
#include "modules/thread/section_registry.h"
#include "modules/thread/thread_module.h"
#include "tests/modules/thread/section_waiting.h"
#include "tests/support/test_image.h"

namespace {

CmdArg Call(int command, std::initializer_list<CmdArg> list = {}) {
  std::vector<CmdArg> args(list);
  args.push_back(CmdArg{0xDEAD, 0xBEEF, 0xFFFF});  // beyond the count: must not be read
  CmdArg result{0, 0, 0};
  kThreadLibDescriptor.commands[command](&result, static_cast<int32_t>(list.size()), args.data());
  return result;
}
bool Truth(const CmdArg& r) {
  EXPECT_EQ(r.type, tc::Logical);
  return r.lo != 0;
}
CmdArg ByRef(uint32_t* variable) { return MakePtr(variable, tc::Integer); }
CmdArg Sub(LPTHREAD_START_ROUTINE routine) { return MakePtr(reinterpret_cast<void*>(routine), tc::SubPtr); }

// What the most recent recording routine saw.
std::atomic<uint32_t> g_seenParameter{0xFFFFFFFF};
std::atomic<uint32_t> g_seenSlot{0};
uint32_t g_slot = 0;
HANDLE g_ran = nullptr;

DWORD WINAPI RecordingRoutine(LPVOID parameter) {
  g_seenSlot = g_slot;  // the handle must already be in the caller's variable
  g_seenParameter = AddrLow(parameter);
  SetEvent(g_ran);
  return AddrLow(parameter) + 1;
}

HANDLE g_neverSet = nullptr;
DWORD WINAPI WaitingRoutine(LPVOID) {
  SetEvent(g_ran);
  WaitForSingleObject(g_neverSet, INFINITE);
  return 0;
}

class ThreadLib : public ::testing::Test {
 protected:
  void SetUp() override {
    testimg::InitRuntime();
    g_ran = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_neverSet = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_slot = 0;
    g_seenSlot = 0;
    g_seenParameter = 0xFFFFFFFF;
  }
  void TearDown() override {
    CloseHandle(g_ran);
    SetEvent(g_neverSet);
  }
};

TEST_F(ThreadLib, ModuleAnswersItsNotificationsAndListsSevenCommands) {
  EXPECT_EQ(kThreadLibDescriptor.commandCount, 7u);
  for (int i = 0; i < thread::kCount; ++i) EXPECT_NE(kThreadLibDescriptor.commands[i], nullptr);
  EXPECT_NE(ThreadLibService(), nullptr);
  EXPECT_EQ(kThreadLibDescriptor.notify(2, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(kThreadLibDescriptor.notify(0, 0, 0), 0xFFFFFFFFu);
  // The table order: a section comes from slot 1 and only slot 2 deletes it.
  CmdArg h = Call(thread::CreateSection);
  EXPECT_EQ(h.type, tc::Integer);
  EXPECT_NE(h.lo, 0u);
  EXPECT_TRUE(Truth(Call(thread::DeleteSection, {h})));
}

TEST_F(ThreadLib, StartedRoutineGetsItsParameterAndItsHandleIsTheCallers) {
  ASSERT_TRUE(Truth(Call(thread::StartThread, {Sub(RecordingRoutine), MakeInt(-5), ByRef(&g_slot)})));
  ASSERT_NE(g_slot, 0u);
  HANDLE thread = HandleFromWord<HANDLE>(g_slot);
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(g_seenParameter.load(), static_cast<uint32_t>(-5));
  EXPECT_EQ(g_seenSlot.load(), g_slot);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, static_cast<DWORD>(-4));  // the routine's result is the thread's exit code

  CmdArg handle = MakeInt(static_cast<int32_t>(g_slot));
  EXPECT_TRUE(Truth(Call(thread::CloseThreadHandle, {handle})));
  EXPECT_FALSE(Truth(Call(thread::CloseThreadHandle, {handle})));
  EXPECT_FALSE(Truth(Call(thread::KillThread, {handle})));
}

TEST_F(ThreadLib, StartWithOnlyTheRoutinePassesZeroAndKeepsNoHandle) {
  for (int round = 0; round < 3; ++round) {  // warm up whatever the first thread creates
    DWORD before = 0, after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &before);
    ASSERT_TRUE(Truth(Call(thread::StartThread, {Sub(RecordingRoutine)})));
    ASSERT_EQ(WaitForSingleObject(g_ran, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(g_seenParameter.load(), 0u);
    GetProcessHandleCount(GetCurrentProcess(), &after);
    if (round == 2) {
      EXPECT_EQ(after, before);
    }
  }
  // Omitted optional arguments (all fields 0) count as not given.
  ASSERT_TRUE(Truth(Call(thread::StartThread, {Sub(RecordingRoutine), CmdArg{0, 0, 0}, CmdArg{0, 0, 0}})));
  ASSERT_EQ(WaitForSingleObject(g_ran, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(g_seenParameter.load(), 0u);
}

TEST_F(ThreadLib, StartWithoutARoutineFailsAndClearsTheVariable) {
  g_slot = 77;
  EXPECT_FALSE(Truth(Call(thread::StartThread, {CmdArg{0, 0, 0}, MakeInt(1), ByRef(&g_slot)})));
  EXPECT_EQ(g_slot, 0u);
  g_slot = 77;
  EXPECT_FALSE(Truth(Call(thread::StartThread, {MakePtr(nullptr, tc::SubPtr), MakeInt(1), ByRef(&g_slot)})));
  EXPECT_EQ(g_slot, 0u);
  g_slot = 77;
  CmdArg notASubroutine = MakePtr(reinterpret_cast<void*>(&RecordingRoutine), tc::Integer);
  EXPECT_FALSE(Truth(Call(thread::StartThread, {notASubroutine, MakeInt(1), ByRef(&g_slot)})));
  EXPECT_EQ(g_slot, 0u);
  EXPECT_FALSE(Truth(Call(thread::StartThread)));
  EXPECT_EQ(WaitForSingleObject(g_ran, 50), static_cast<DWORD>(WAIT_TIMEOUT));  // nothing ran
}

TEST_F(ThreadLib, KillThreadTerminatesButLeavesTheHandleOpen) {
  ASSERT_TRUE(Truth(Call(thread::StartThread, {Sub(WaitingRoutine), MakeInt(0), ByRef(&g_slot)})));
  CmdArg handle = MakeInt(static_cast<int32_t>(g_slot));
  HANDLE thread = HandleFromWord<HANDLE>(g_slot);
  // Killed only once it runs its own code: a thread cut off while the system still starts it up
  // can take the process with it.
  ASSERT_EQ(WaitForSingleObject(g_ran, 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(Truth(Call(thread::KillThread, {handle})));
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 0xFFFFFFFFu);
  EXPECT_TRUE(Truth(Call(thread::CloseThreadHandle, {handle})));
  EXPECT_FALSE(Truth(Call(thread::KillThread, {handle})));
}

TEST_F(ThreadLib, NullMadeUpAndDeletedHandlesAreIgnoredByEveryCommand) {
  CmdArg section = Call(thread::CreateSection);
  ASSERT_TRUE(Truth(Call(thread::DeleteSection, {section})));

  // A handle the module never gave out, even a live one of this process, is not touched.
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  CmdArg foreign = MakeInt(static_cast<int32_t>(HandleWord(event)));
  for (CmdArg h : {MakeInt(0), section, MakeInt(0x00400000), foreign}) {
    Call(thread::EnterSection, {h});  // would never return if it entered a section nobody leaves
    Call(thread::LeaveSection, {h});
    EXPECT_FALSE(Truth(Call(thread::DeleteSection, {h})));
    EXPECT_FALSE(Truth(Call(thread::KillThread, {h})));
    EXPECT_FALSE(Truth(Call(thread::CloseThreadHandle, {h})));
  }
  DWORD flags = 0;
  EXPECT_EQ(GetHandleInformation(event, &flags), TRUE);  // still open
  CloseHandle(event);

  // No argument at all.
  Call(thread::EnterSection);
  Call(thread::LeaveSection);
  EXPECT_FALSE(Truth(Call(thread::DeleteSection)));
  EXPECT_FALSE(Truth(Call(thread::KillThread)));
  EXPECT_FALSE(Truth(Call(thread::CloseThreadHandle)));

  // A worker stuck on a deleted handle would keep this test from ending.
  std::thread worker([&] {
    Call(thread::EnterSection, {section});
    Call(thread::EnterSection, {section});
  });
  worker.join();
}

TEST_F(ThreadLib, ASectionEnteredTwiceNeedsTwoLeavesBeforeAnotherThreadGetsIn) {
  CmdArg h = Call(thread::CreateSection);
  Call(thread::EnterSection, {h});
  Call(thread::EnterSection, {h});
  std::atomic<bool> gotIn{false}, released{false}, inOnlyAfterRelease{false};
  std::thread other([&] {
    Call(thread::EnterSection, {h});
    inOnlyAfterRelease = released.load();
    gotIn = true;
    Call(thread::LeaveSection, {h});
  });
  EXPECT_TRUE(SomeoneWaits(ThreadLibSections(), h.lo)) << "the other thread never reached the section";
  EXPECT_FALSE(gotIn);
  Call(thread::LeaveSection, {h});
  EXPECT_FALSE(gotIn);
  EXPECT_EQ(ThreadLibSections().Waiting(h.lo), 1u) << "one Leave of two opened the section";
  released = true;
  Call(thread::LeaveSection, {h});
  other.join();
  EXPECT_TRUE(gotIn);
  EXPECT_TRUE(inOnlyAfterRelease) << "the other thread got in before the second Leave";
  EXPECT_TRUE(Truth(Call(thread::DeleteSection, {h})));
  EXPECT_FALSE(Truth(Call(thread::DeleteSection, {h})));
}

TEST_F(ThreadLib, ExitNotificationDeletesTheSectionsLeftOver) {
  CmdArg idle = Call(thread::CreateSection);
  CmdArg held = Call(thread::CreateSection);
  HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE goOn = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread worker([&] {
    Call(thread::EnterSection, {held});
    SetEvent(entered);
    WaitForSingleObject(goOn, 5000);
    Call(thread::LeaveSection, {held});  // after the exit sweep: nothing to leave, no harm
  });
  ASSERT_EQ(WaitForSingleObject(entered, 5000), WAIT_OBJECT_0);

  EXPECT_EQ(kThreadLibDescriptor.notify(notify::Exit, 0, 0), 0u);
  EXPECT_FALSE(Truth(Call(thread::DeleteSection, {idle})));
  EXPECT_FALSE(Truth(Call(thread::DeleteSection, {held})));
  Call(thread::EnterSection, {held});  // unregistered now: returns at once although still held
  SetEvent(goOn);
  worker.join();
  CloseHandle(entered);
  CloseHandle(goOn);
}

}  // namespace
