// The body buffer's growth rules and the shared small-block pool.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "modules/net/grow_buffer.h"
#include "runtime/abi/values.h"
#include "modules/net/small_block_pool.h"

namespace {

using net::GrowBuffer;
using net::SmallBlockPool;

TEST(GrowBuffer, SmallBlocksComeFromThePoolAndMoveToTheHeapWhenOutgrown) {
  static SmallBlockPool pool;
  GrowBuffer b(&pool);
  ASSERT_TRUE(b.Append("abc", 3));
  EXPECT_TRUE(b.InPool());
  EXPECT_EQ(b.capacity(), 512u);
  EXPECT_EQ(pool.UsedCount(), 1u);

  std::vector<char> fill(509, 'x');
  ASSERT_TRUE(b.Append(fill.data(), 509));  // exactly 512: stays in its slot
  EXPECT_TRUE(b.InPool());
  ASSERT_TRUE(b.Append("y", 1));  // 513: a heap block with slack, contents carried over
  EXPECT_FALSE(b.InPool());
  EXPECT_EQ(b.capacity(), 513u + 128u);
  EXPECT_EQ(b.length(), 513u);
  EXPECT_EQ(pool.UsedCount(), 0u);
  EXPECT_EQ(std::memcmp(b.data(), "abcxx", 5), 0);
  EXPECT_EQ(b.data()[512], 'y');

  ASSERT_TRUE(b.Grow(0));
  EXPECT_EQ(b.data(), nullptr);
  EXPECT_EQ(b.capacity(), 0u);
}

TEST(GrowBuffer, HeapBlockIsKeptWhileTheSlackStaysSmall) {
  static SmallBlockPool pool;
  GrowBuffer b(&pool);
  ASSERT_TRUE(b.Grow(1000));
  EXPECT_EQ(b.capacity(), 1128u);
  std::memset(b.data(), 'k', 1000);
  ASSERT_TRUE(b.Grow(1100));
  EXPECT_EQ(b.capacity(), 1128u);
  ASSERT_TRUE(b.Grow(872));  // slack 256: kept
  EXPECT_EQ(b.capacity(), 1128u);
  ASSERT_TRUE(b.Grow(871));  // slack 257: shrunk to n + 128
  EXPECT_EQ(b.capacity(), 999u);
  ASSERT_TRUE(b.Grow(2000));
  EXPECT_EQ(b.capacity(), 2128u);
  for (uint32_t i = 0; i < 871; ++i) ASSERT_EQ(b.data()[i], 'k') << i;
  // A pool block is kept however much of it is unused.
  GrowBuffer small(&pool);
  ASSERT_TRUE(small.Grow(500));
  ASSERT_TRUE(small.Grow(1));
  EXPECT_TRUE(small.InPool());
}

TEST(GrowBuffer, FailedGrowthLeavesTheBufferAsItWas) {
  static SmallBlockPool pool;
  GrowBuffer b(&pool);
  ASSERT_TRUE(b.Append("keep", 4));
  EXPECT_FALSE(b.Grow(0xFFFFFFFFu));  // no room left for the slack: refused on every target
  if (!kWideAddresses) {
    EXPECT_FALSE(b.Grow(0xFFFFFF00u));
    EXPECT_FALSE(b.Grow(0x7FFFFFF0u));  // no 2 GiB block in a 32-bit process
  }
  EXPECT_EQ(b.length(), 4u);
  EXPECT_EQ(std::memcmp(b.data(), "keep", 4), 0);
  EXPECT_TRUE(b.Append("!", 0));
  EXPECT_TRUE(b.Append("!", -3));
  EXPECT_EQ(b.length(), 4u);
  GrowBuffer empty(&pool);
  EXPECT_FALSE(empty.Grow(0xFFFFFFFFu));
  if (!kWideAddresses) {
    EXPECT_FALSE(empty.Grow(0x7FFFFFF0u));
  }
  EXPECT_EQ(empty.data(), nullptr);
  EXPECT_EQ(empty.length(), 0u);
}

TEST(SmallBlockPool, HandsOutNinetySixSlotsThenFallsBackToTheHeap) {
  static SmallBlockPool pool;
  std::vector<void*> taken;
  for (uint32_t i = 0; i < SmallBlockPool::kSlotCount; ++i) taken.push_back(pool.Take());
  for (void* p : taken) EXPECT_TRUE(pool.Owns(p));
  EXPECT_EQ(pool.Take(), nullptr);
  EXPECT_EQ(pool.UsedCount(), 96u);

  GrowBuffer b(&pool);
  ASSERT_TRUE(b.Grow(10));
  EXPECT_FALSE(b.InPool());
  EXPECT_EQ(b.capacity(), 138u);

  int outside = 0;
  pool.Release(&outside);
  pool.Release(taken[5]);
  pool.Release(taken[5]);  // twice: counted once
  EXPECT_EQ(pool.UsedCount(), 95u);
  EXPECT_EQ(pool.Take(), taken[5]);  // the first free slot
  for (void* p : taken) pool.Release(p);
  EXPECT_EQ(pool.UsedCount(), 0u);
}

// Buffers on several threads never share a slot: each writes its own mark and checks it.
TEST(SmallBlockPool, ThreadsNeverShareASlot) {
  static SmallBlockPool pool;
  std::atomic<int> clashes{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 2000; ++round) {
        GrowBuffer b(&pool);
        uint32_t size = 1 + (round * 37 + t) % 512;
        if (!b.Grow(size)) continue;
        std::memset(b.data(), 'A' + t, size);
        std::this_thread::yield();
        for (uint32_t i = 0; i < size; ++i)
          if (b.data()[i] != 'A' + t) {
            ++clashes;
            break;
          }
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(clashes.load(), 0);
  EXPECT_EQ(pool.UsedCount(), 0u);
}

// Taking and releasing at full speed: a slot handed out twice shows as a foreign mark, and a
// lost count update as a used count that does not return to 0.
TEST(SmallBlockPool, CountAndMapStayConsistentUnderContention) {
  static SmallBlockPool pool;
  std::atomic<int> clashes{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 100000; ++round) {
        auto* slot = static_cast<volatile uint32_t*>(pool.Take());
        if (!slot) continue;
        *slot = static_cast<uint32_t>(t);
        for (int spin = 0; spin < 20; ++spin)
          if (*slot != static_cast<uint32_t>(t)) {
            ++clashes;
            break;
          }
        pool.Release(const_cast<uint32_t*>(slot));
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(clashes.load(), 0);
  EXPECT_EQ(pool.UsedCount(), 0u);
}

}  // namespace
