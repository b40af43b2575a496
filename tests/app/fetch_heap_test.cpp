// Fetching and reading an ID's page gives back every runtime block it takes: many fetches of
// pages with a link, without one, missing and unconvertible leave the process heap, where the
// runtime's blocks live, no fuller than before.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/image/program_image.h"
#include "app/page_feed.h"
#include "app/scan_one_id.h"
#include "image_constants.h"
#include "runtime/heap.h"
#include "tests/blackbox/driver/test_site.h"
#include "tests/forms/engine_image.h"
#include "tests/support/error_capture.h"

namespace {
const uint8_t kRealForms[image::kFormSegmentSize] = {
#include "form_segment.inc"
};

size_t BusyBlocks() { return rt::LiveBlocks(); }

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

// The first line of each request the site got, in turn.
std::vector<std::string> RequestLines(driver::TestSite& site) {
  std::vector<std::string> lines;
  for (const std::string& head : site.Requests()) lines.push_back(head.substr(0, head.find("\r\n")));
  return lines;
}

std::string LineFor(int id) { return "GET /movie/" + std::to_string(id) + " HTTP/1.0"; }

// Waits (boundedly) until the site has had this many requests, then a moment longer for any
// request that should not come.
size_t SettledRequests(driver::TestSite& site, size_t expected) {
  for (int i = 0; i < 200 && site.Requests().size() < expected; ++i) Sleep(10);
  Sleep(150);
  return site.Requests().size();
}

// The scan's feed hands over the pages in turn and asks the site one page at a time, in order,
// never more than its depth ahead of what was taken; a feed let go of with pages unread frees
// them when it ends, and letting go never waits for a fetch.
TEST(FetchHeap, AFeedFetchesInTurnAFewAheadAndLeavesNoBlockBehind) {
  StartProgram();
  driver::TestSite site;
  site.SetPage(1, 200, "<title>First of two.</title><a href=\"thunder://AAone\" x>");
  site.SetPage(2, 200, "<title>Second of two</title><a href=\"thunder://AAtwo\" x>");
  site.SetPage(99, 200, "<title>Never sent</title>", driver::TestSite::Manner::Never);
  app::State().siteHost = site.Host();
  app::FetchId(1);  // the platform's own caches fill
  size_t before = BusyBlocks();
  volatile LONG held = 0, stopped = 0;
  for (int round = 0; round < 10; ++round) {
    size_t asked = site.Requests().size();
    app::PageFeed* feed = app::PageFeed::Start(0, app::PageFeed::kDepth + 4, &held);
    ASSERT_NE(feed, nullptr);
    app::IdResult first = app::ReadPage(1, feed->Take(&stopped));
    app::IdResult second = app::ReadPage(2, feed->Take(&stopped));
    ASSERT_EQ(first.link, "thunder://AAone") << round;
    ASSERT_EQ(second.link, "thunder://AAtwo") << round;
    // Two taken: the feed fetches up to its depth beyond them and then waits.
    ASSERT_EQ(SettledRequests(site, asked + 2 + app::PageFeed::kDepth), asked + 2 + app::PageFeed::kDepth) << round;
    feed->Abandon();  // with pages fetched and never taken
  }
  EXPECT_EQ(site.MostAtOnce(), 1);
  std::vector<std::string> lines = RequestLines(site);
  for (size_t k = 1; k < lines.size(); ++k)
    ASSERT_EQ(lines[k], LineFor(static_cast<int>((k - 1) % (2 + app::PageFeed::kDepth) + 1))) << k;
  // The helpers end by themselves once their last fetch is in.
  size_t after = BusyBlocks();
  for (int i = 0; i < 100 && after > before + 10; ++i) {
    Sleep(50);
    after = BusyBlocks();
  }
  EXPECT_LE(after, before + 10) << before << " busy blocks before, " << after << " after";

  // A worker waiting for a page that never comes stops waiting once its scan is stopped, and
  // letting go of the feed does not wait for the fetch either.
  app::PageFeed* stuck = app::PageFeed::Start(98, 3, &held);  // its first page is never sent
  ASSERT_NE(stuck, nullptr);
  std::thread stopper([&stopped] {
    Sleep(300);
    stopped = 1;
  });
  DWORD start = GetTickCount();
  CmdArg none = stuck->Take(&stopped);
  DWORD waited = GetTickCount() - start;
  stopper.join();
  EXPECT_EQ(none.lo, 0u);
  EXPECT_GE(waited, 250u);
  EXPECT_LT(waited, 1500u);
  start = GetTickCount();
  stuck->Abandon();
  EXPECT_LT(GetTickCount() - start, 500u);
}

// While a pause is asked for, the feed starts no fetch, except the page the worker waits for.
TEST(FetchHeap, AHeldFeedFetchesOnlyWhatTheWorkerWaitsFor) {
  StartProgram();
  driver::TestSite site;
  const int count = app::PageFeed::kDepth + 6;
  for (int id = 21; id <= 20 + count; ++id) site.SetPage(id, 200, "<title>page " + std::to_string(id) + std::string(12, '.') + "</title>");
  app::State().siteHost = site.Host();
  volatile LONG held = 1, stopped = 0;
  app::PageFeed* feed = app::PageFeed::Start(20, count, &held);
  ASSERT_NE(feed, nullptr);
  EXPECT_EQ(SettledRequests(site, 1), 0u);
  EXPECT_EQ(app::ReadPage(21, feed->Take(&stopped)).name, "page 21");
  EXPECT_EQ(SettledRequests(site, 2), 1u);
  held = 0;
  EXPECT_EQ(app::ReadPage(22, feed->Take(&stopped)).name, "page 22");
  EXPECT_EQ(SettledRequests(site, 2 + app::PageFeed::kDepth), 2u + app::PageFeed::kDepth);
  held = 1;
  EXPECT_EQ(app::ReadPage(23, feed->Take(&stopped)).name, "page 23");
  EXPECT_EQ(SettledRequests(site, 5 + app::PageFeed::kDepth), 2u + app::PageFeed::kDepth);
  feed->Abandon();
  std::vector<std::string> lines = RequestLines(site);
  for (size_t k = 0; k < lines.size(); ++k) EXPECT_EQ(lines[k], LineFor(21 + static_cast<int>(k)));
}

// Pages waiting for the worker stop the fetching once they hold a few megabytes, however few
// they are: a site's huge pages do not pile up.
TEST(FetchHeap, HugePagesWaitingHoldBackTheNextFetch) {
  StartProgram();
  driver::TestSite site;
  const std::string huge(3u << 20, 'x');
  for (int id = 31; id <= 36; ++id) site.SetPage(id, 200, "<title>huge</title>" + huge);
  app::State().siteHost = site.Host();
  volatile LONG held = 0, stopped = 0;
  app::PageFeed* feed = app::PageFeed::Start(30, 6, &held);
  ASSERT_NE(feed, nullptr);
  EXPECT_EQ(SettledRequests(site, 3), 2u) << "two pages of 3 MB reach the bound";
  app::ReadPage(31, feed->Take(&stopped));
  EXPECT_EQ(SettledRequests(site, 4), 3u);
  feed->Abandon();
}

}  // namespace
