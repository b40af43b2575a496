// The section registry on its own, with an allocator the tests can count and starve.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "modules/thread/section_registry.h"
#include "tests/modules/thread/section_waiting.h"

namespace {

std::atomic<int> g_allocs{0};
std::atomic<int> g_frees{0};
std::atomic<bool> g_starve{false};

void* CountingAllocate(uint32_t size) {
  if (g_starve) return nullptr;
  ++g_allocs;
  return std::malloc(size);
}
void CountingRelease(void* block) {
  ++g_frees;
  std::free(block);
}

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    g_allocs = 0;
    g_frees = 0;
    g_starve = false;
  }
  SectionRegistry reg_{{CountingAllocate, CountingRelease}};
};

// Runs fn on a thread of its own; the test fails instead of hanging if it does not come back.
template <typename Fn>
bool FinishesWithin(Fn fn, DWORD ms = 5000) {
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread t([&] {
    fn();
    SetEvent(done);
  });
  bool finished = WaitForSingleObject(done, ms) == WAIT_OBJECT_0;
  if (finished) t.join(); else t.detach();
  CloseHandle(done);
  return finished;
}

TEST_F(Registry, FailedAllocationIsANullHandleThatEverythingIgnores) {
  g_starve = true;
  uint32_t h = reg_.Create();
  EXPECT_EQ(h, 0u);
  EXPECT_EQ(reg_.Count(), 0u);
  EXPECT_TRUE(FinishesWithin([&] {
    reg_.Enter(h);
    reg_.Leave(h);
  }));
  EXPECT_FALSE(reg_.Delete(h));
  EXPECT_FALSE(reg_.Contains(h));
}

TEST_F(Registry, DeletedAndMadeUpHandlesAreIgnored) {
  uint32_t h = reg_.Create();
  ASSERT_NE(h, 0u);
  EXPECT_TRUE(reg_.Contains(h));
  EXPECT_TRUE(reg_.Delete(h));
  EXPECT_FALSE(reg_.Delete(h));
  EXPECT_EQ(g_frees, 1);
  uint32_t madeUp = 0x12345678;
  EXPECT_TRUE(FinishesWithin([&] {
    reg_.Enter(h);
    reg_.Leave(h);
    reg_.Enter(madeUp);
    reg_.Leave(madeUp);
  }));
  EXPECT_FALSE(reg_.Delete(madeUp));
  EXPECT_EQ(reg_.Count(), 0u);
}

TEST_F(Registry, NewestSectionsComeFirstAndAnyCanBeUnlinked) {
  uint32_t a = reg_.Create(), b = reg_.Create(), c = reg_.Create();
  EXPECT_EQ(reg_.Count(), 3u);
  EXPECT_TRUE(reg_.Delete(b));  // from the middle
  EXPECT_TRUE(reg_.Contains(a));
  EXPECT_TRUE(reg_.Contains(c));
  EXPECT_TRUE(reg_.Delete(c));  // the head
  EXPECT_TRUE(reg_.Delete(a));  // the last one
  EXPECT_EQ(reg_.Count(), 0u);
  EXPECT_EQ(g_allocs, 3);
  EXPECT_EQ(g_frees, 3);
}

TEST_F(Registry, AHeldOrAwaitedSectionIsNotPulledAway) {
  uint32_t h = reg_.Create();
  reg_.Enter(h);
  EXPECT_FALSE(reg_.Delete(h));  // held by this thread
  EXPECT_EQ(reg_.Waiting(h), 0u);
  std::atomic<bool> gotIn{false}, released{false}, inOnlyAfterRelease{false};
  std::thread waiter([&] {
    reg_.Enter(h);
    inOnlyAfterRelease = released.load();
    gotIn = true;
    reg_.Leave(h);
  });
  EXPECT_TRUE(SomeoneWaits(reg_, h)) << "the waiter never reached the section";
  EXPECT_FALSE(gotIn);
  EXPECT_FALSE(reg_.Delete(h));  // still held, and awaited
  released = true;
  reg_.Leave(h);
  waiter.join();
  EXPECT_TRUE(gotIn);
  EXPECT_TRUE(inOnlyAfterRelease) << "the waiter got in while the section was held";
  EXPECT_EQ(reg_.Waiting(h), 0u);
  EXPECT_TRUE(reg_.Delete(h));
}

TEST_F(Registry, OnlyTheHolderCanLeave) {
  uint32_t h = reg_.Create();
  HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> gotIn{false}, released{false}, inOnlyAfterRelease{false};
  std::thread holder([&] {
    reg_.Enter(h);
    SetEvent(entered);
    WaitForSingleObject(release, 5000);
    released = true;
    reg_.Leave(h);
  });
  ASSERT_EQ(WaitForSingleObject(entered, 5000), WAIT_OBJECT_0);
  reg_.Leave(h);  // not ours: must not open the section
  std::thread other([&] {
    reg_.Enter(h);
    inOnlyAfterRelease = released.load();
    gotIn = true;
    reg_.Leave(h);
  });
  EXPECT_TRUE(SomeoneWaits(reg_, h)) << "the other thread never reached the section";
  EXPECT_FALSE(gotIn);
  SetEvent(release);
  holder.join();
  other.join();
  EXPECT_TRUE(gotIn);
  EXPECT_TRUE(inOnlyAfterRelease) << "a Leave by a thread that did not hold the section opened it";
  EXPECT_TRUE(reg_.Delete(h));
  CloseHandle(entered);
  CloseHandle(release);
}

TEST_F(Registry, ConcurrentCreateEnterLeaveDeleteFromSeveralThreads) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 2000;
  std::atomic<uint32_t> shared[8] = {};
  uint32_t common = reg_.Create();
  int guarded = 0;  // changed only inside `common`

  auto work = [&](uint32_t seed) {
    for (int r = 0; r < kRounds; ++r) {
      seed = seed * 1103515245u + 12345u;
      uint32_t mine = reg_.Create();
      reg_.Enter(mine);
      reg_.Enter(mine);
      reg_.Leave(mine);
      reg_.Leave(mine);
      // Hand ours over and pick up someone else's, which may be deleted (or its address reused)
      // by now.
      uint32_t old = shared[seed % 8].exchange(mine);
      uint32_t other = shared[(seed >> 8) % 8].load();
      reg_.Enter(other);
      reg_.Leave(other);
      if (seed & 0x10000) reg_.Delete(other);
      reg_.Delete(old);

      reg_.Enter(common);
      reg_.Enter(common);
      int v = guarded;
      if ((r & 63) == 0) SwitchToThread();
      guarded = v + 1;
      reg_.Leave(common);
      reg_.Leave(common);
    }
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) threads.emplace_back(work, 17u + i);
  for (auto& t : threads) t.join();

  EXPECT_EQ(guarded, kThreads * kRounds);
  EXPECT_TRUE(reg_.Contains(common));
  reg_.DeleteAll();
  EXPECT_EQ(reg_.Count(), 0u);
  EXPECT_EQ(g_allocs.load(), kThreads * kRounds + 1);
  EXPECT_EQ(g_frees.load(), g_allocs.load());  // nothing leaked, nothing freed twice
}

TEST_F(Registry, CreateAndDeleteRaceWithLookups) {
  // A tight loop of links and unlinks from several threads at once, with walkers alongside: a lost
  // link shows as a record never freed, a broken one as a crash or a hang.
  constexpr int kThreads = 4;
  constexpr int kRounds = 30000;
  std::atomic<uint32_t> last{0};
  std::atomic<bool> stop{false};
  std::thread walker([&] {
    while (!stop) {
      uint32_t h = last.load();
      reg_.Contains(h);
      reg_.Enter(h);
      reg_.Leave(h);
    }
  });
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&] {
      uint32_t keep[64] = {};
      for (int r = 0; r < kRounds; ++r) {
        uint32_t h = reg_.Create();
        last = h;
        uint32_t& slot = keep[(r * 7) % 64];
        if (slot) reg_.Delete(slot);
        slot = h;
      }
      for (uint32_t h : keep) reg_.Delete(h);
    });
  for (auto& t : threads) t.join();
  stop = true;
  walker.join();
  reg_.DeleteAll();
  EXPECT_EQ(reg_.Count(), 0u);
  EXPECT_EQ(g_allocs.load(), kThreads * kRounds);
  EXPECT_EQ(g_frees.load(), g_allocs.load());
}

TEST_F(Registry, ExitDeletesIdleSectionsAndAbandonsAHeldOne) {
  uint32_t idle1 = reg_.Create();
  uint32_t held = reg_.Create();
  uint32_t idle2 = reg_.Create();
  uint32_t reentered = reg_.Create();
  reg_.Enter(reentered);
  reg_.Leave(reentered);  // used, but idle again

  HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE goOn = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    reg_.Enter(held);
    SetEvent(entered);
    WaitForSingleObject(goOn, 5000);
    reg_.Leave(held);  // the section is no longer registered: ignored
    reg_.Enter(held);
  });
  ASSERT_EQ(WaitForSingleObject(entered, 5000), WAIT_OBJECT_0);

  EXPECT_EQ(reg_.DeleteAll(), 3u);
  EXPECT_EQ(reg_.Count(), 0u);
  EXPECT_EQ(g_frees, 3);  // the held record stays in memory for its holder
  for (uint32_t h : {idle1, held, idle2, reentered}) {
    EXPECT_FALSE(reg_.Contains(h));
    EXPECT_FALSE(reg_.Delete(h));
  }
  SetEvent(goOn);
  holder.join();

  // The registry is usable again after the exit sweep.
  uint32_t fresh = reg_.Create();
  EXPECT_TRUE(reg_.Contains(fresh));
  EXPECT_TRUE(reg_.Delete(fresh));
  CloseHandle(entered);
  CloseHandle(goOn);
}

}  // namespace
