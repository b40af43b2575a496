// Fetching and reading an ID's page gives back every runtime block it takes: many fetches of
// pages with a link, without one, missing and unconvertible leave the process heap, where the
// runtime's blocks live, no fuller than before.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/image/program_image.h"
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

TEST(FetchHeap, ManyFetchesLeaveNoRuntimeBlockBehind) {
  testerr::PrintErrorsInsteadOfBox();
  engineimg::Start(std::vector<uint8_t>(kRealForms, kRealForms + sizeof kRealForms), &kAppCodeTable[1]);
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

}  // namespace
