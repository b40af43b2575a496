// Everything a search hands out lives on the runtime heap, reached through the module's service
// entry, and goes back there when the caller destroys and frees it.
#include <gtest/gtest.h>

#include <map>

#include "modules/regex/regex_module.h"
#include "tests/modules/regex/regex_test_kit.h"
#include "tests/support/test_image.h"

namespace {

// Stands between the module and the real service entry, keeping the blocks that are live.
std::map<AddrWord, AddrWord> g_live;  // block -> size
int g_allocations = 0;
RuntimeServiceFn g_real = nullptr;

AddrWord __cdecl CountingService(uint32_t code, AddrWord a1, AddrWord a2) {
  const AddrWord r = g_real(code, a1, a2);
  if (code == svc::Allocate && r) {
    g_live[r] = a1;
    ++g_allocations;
  } else if (code == svc::Resize) {
    g_live.erase(a1);
    if (r) g_live[r] = a2;
  } else if (code == svc::Free) {
    EXPECT_EQ(g_live.erase(a1), 1u) << "freed a block the module did not hand out";
  }
  return r;
}

class RegexMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    regextest::StartRuntime();
    g_real = RegexLibService();
    g_live.clear();
    g_allocations = 0;
    kRegexLibDescriptor.notify(notify::Startup, ServiceWord(&CountingService), 0);
  }
  void TearDown() override {
    kRegexLibDescriptor.notify(notify::Startup, ServiceWord(g_real), 0);
  }
};

TEST_F(RegexMemory, ResultsAndTextsAreAllReturnedToTheHeap) {
  {
    regextest::RegexVar re;
    ASSERT_TRUE(re.Create("(\\d)(\\d)?"));
    for (int round = 0; round < 50; ++round) {
      // SearchAll reads every result (texts included) and frees them all through the service.
      ASSERT_EQ(re.SearchAll("1 22 333 4444 中文 5").size(), 7u);
      ASSERT_TRUE(re.SearchAll("none").empty());
    }
  }
  // Per round: 7 cells, 7 result objects, 7 span blocks, 7 texts, 2 arrays.
  EXPECT_EQ(g_allocations, 50 * (4 * 7 + 2));
  EXPECT_TRUE(g_live.empty()) << g_live.size() << " blocks still live";
}

TEST_F(RegexMemory, ConstructedResultObjectIsFreedByDestroy) {
  rx::SearchResultCell cell{};
  regextest::Call(regexcmd::SearchResultConstruct, {MakePtr(&cell, tc::SearchResult)});
  ASSERT_NE(cell.object, nullptr);
  EXPECT_EQ(g_live.size(), 1u);
  regextest::Call(regexcmd::SearchResultDestroy, {MakePtr(&cell, tc::SearchResult)});
  EXPECT_TRUE(g_live.empty());
}

}  // namespace
