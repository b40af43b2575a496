// Fetching and reading an ID's page gives back every runtime block it takes: many fetches of
// pages with a link, without one, missing and unconvertible leave the process heap, where the
// runtime's blocks live, no fuller than before.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/image/program_image.h"
#include "app/page_prefetch.h"
#include "app/scan_one_id.h"
#include "image_constants.h"
#include "tests/blackbox/driver/test_site.h"
#include "tests/forms/engine_image.h"
#include "tests/support/error_capture.h"

namespace {
const uint8_t kRealForms[image::kFormSegmentSize] = {
#include "form_segment.inc"
};

size_t BusyBlocks() {
  HANDLE heap = GetProcessHeap();
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  size_t busy = 0;
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
  HeapUnlock(heap);
  return busy;
}

void StartProgram() {
  static bool started = false;
  if (started) return;
  started = true;
  testerr::PrintErrorsInsteadOfBox();
  engineimg::Start(std::vector<uint8_t>(kRealForms, kRealForms + sizeof kRealForms), &kAppCodeTable[1],
                   &kProgramImageHeader);
}

TEST(FetchHeap, ManyFetchesLeaveNoRuntimeBlockBehind) {
  StartProgram();
  driver::TestSite site;
  site.SetPage(1, 200, "<title>A movie with a link</title><a href=\"thunder://AAone\" x>");
  site.SetPage(2, 200, "<title>No link on this page</title>");
  site.SetPage(4, 200, "<title>\xFF\xFE not UTF-8</title> thunder://AAfour x");  // 3 is missing
  site.SetPage(5, 200, "<title>two links, one row....</title> thunder://AAa x thunder://AAb x");
  app::State().siteHost = site.Host();
  int found = 0;
  for (int id = 1; id <= 5; ++id) found += app::FetchId(id).found ? 1 : 0;  // the platform's own caches fill
  EXPECT_EQ(found, 2);
  size_t before = BusyBlocks();
  for (int round = 0; round < 20; ++round)
    for (int id = 1; id <= 5; ++id) app::FetchId(id);
  size_t after = BusyBlocks();
  // A block left per fetch would be a hundred more.
  EXPECT_LE(after, before + 10) << before << " busy blocks before, " << after << " after";
}

// The scan's helper hands over the pages asked for, in turn; a helper let go of with a page
// fetched and never taken frees it when it ends, and letting go never waits for a fetch.
TEST(FetchHeap, APrefetchLetGoOfWithAPageUnreadLeavesNoBlockBehindAndNeverWaits) {
  StartProgram();
  driver::TestSite site;
  site.SetPage(1, 200, "<title>First of two.</title><a href=\"thunder://AAone\" x>");
  site.SetPage(2, 200, "<title>Second of two</title><a href=\"thunder://AAtwo\" x>");
  site.SetPage(3, 200, "<title>Never sent</title>", driver::TestSite::Manner::Never);
  app::State().siteHost = site.Host();
  app::FetchId(1);  // the platform's own caches fill
  size_t before = BusyBlocks();
  for (int round = 0; round < 20; ++round) {
    app::PagePrefetch* prefetch = app::PagePrefetch::Start();
    ASSERT_NE(prefetch, nullptr);
    prefetch->Ask(1);
    app::IdResult first = app::ReadPage(1, prefetch->Take());
    prefetch->Ask(2);
    app::IdResult second = app::ReadPage(2, prefetch->Take());
    ASSERT_EQ(first.link, "thunder://AAone") << round;
    ASSERT_EQ(second.link, "thunder://AAtwo") << round;
    size_t asked = site.Requests().size();
    prefetch->Ask(1);  // fetched and never taken
    for (int i = 0; i < 200 && site.Requests().size() == asked; ++i) Sleep(10);
    Sleep(100);  // the answer is a few hundred bytes on loopback
    prefetch->Abandon();
  }
  // The helpers end by themselves once their last fetch is in.
  size_t after = BusyBlocks();
  for (int i = 0; i < 100 && after > before + 10; ++i) {
    Sleep(50);
    after = BusyBlocks();
  }
  EXPECT_LE(after, before + 10) << before << " busy blocks before, " << after << " after";

  app::PagePrefetch* stuck = app::PagePrefetch::Start();
  ASSERT_NE(stuck, nullptr);
  stuck->Ask(3);  // a page the site never sends
  Sleep(100);
  DWORD start = GetTickCount();
  stuck->Abandon();
  EXPECT_LT(GetTickCount() - start, 500u);
}

}  // namespace
