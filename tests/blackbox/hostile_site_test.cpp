// Scans against sites that misbehave: pages never answered, cut short, trickled, huge or binary,
// and a host that refuses every connection. Each costs at most the fetch's time-out, adds no row
// where no link was read, and never stops the scan or hangs the window. Also what a paused or
// stopped scan still asks of the site.
#include <gtest/gtest.h>

#include "tests/blackbox/scan_fixture.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Manner = driver::TestSite::Manner;

std::string Page(const std::string& title, const std::string& linkTail) {
  return "<html><head><title>" + title + "</title></head><body><a href=\"thunder://" + linkTail +
         "\" x>dl</a></body></html>";
}

TEST_F(ScanBlackBox, HostilePagesAndServersCostAtMostTheTimeOutAndTheScanGoesOn) {
  driver::TestSite site;
  site.SetPage(2, 200, Page("first page 12b", "AAone"));
  site.SetPage(3, 200, Page("never answered", "AAtwo"), Manner::Never);
  // Cut in half before its link: what arrived has no link, so no row.
  site.SetPage(4, 200, "<title>cut short here</title>" + std::string(4000, ' ') + " thunder://AAthree x",
               Manner::CutShort);
  site.SetPage(5, 200, Page("trickled in slowly", "AAfour"), Manner::Trickle);
  // Three megabytes of markup, the link at the very end.
  site.SetPage(6, 200, "<title>a huge page..</title>" + std::string(3 << 20, 'x') + " thunder://AAfive x");
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>(i * 37 % 256);
  site.SetPage(7, 200, binary);
  site.SetPage(8, 200, Page("the last page", "AAseven"));
  Start(site);
  DWORD started = GetTickCount();
  ASSERT_TRUE(StartScan("1", "8"));  // IDs 2 ... 8
  // While the page of ID 3 is never answered the window goes on answering.
  for (int i = 0; i < 20; ++i) {
    EXPECT_TRUE(WindowAnswersWithin(50)) << "the window answers during a hung fetch";
    Sleep(250);
  }
  std::string summary = TakeSummary(90000);
  DWORD took = GetTickCount() - started;
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历7条信息，其中可用链接4条！");
  EXPECT_LT(took, 75000u) << "one time-out of 30 s and no more";
  ASSERT_EQ(Rows(), 4);
  EXPECT_EQ(Cell(0, 1), "2");
  EXPECT_EQ(Cell(1, 1), "5");
  EXPECT_EQ(Cell(1, 2), "thunder://AAfour");
  EXPECT_EQ(Cell(2, 1), "6");
  EXPECT_EQ(Cell(2, 2), "thunder://AAfiv");
  EXPECT_EQ(Cell(3, 1), "8");
  for (int id : {3, 4, 7})
    EXPECT_NE(Log().find("序号为" + std::to_string(id) + " 的文件获取信息失败！"), std::string::npos) << id;
  EXPECT_EQ(LogLines(), 7);
  EXPECT_EQ(driver::WindowText(label_), "7/7");
}

// A stopped scan does not wait out a page the site never sends: the next scan starts at once
// instead of after the fetch's 30 s time-out.
TEST_F(ScanBlackBox, AScanStoppedWhileItsPageNeverComesLetsTheNextScanRunAtOnce) {
  driver::TestSite site;
  site.SetPage(12, 200, Page("never answered", "AAtwelve"), Manner::Never);
  site.SetPage(31, 200, Page("after the stop..", "AAthirtyone"));
  Start(site);
  ASSERT_TRUE(StartScan("10", "20"));  // 11, then 12, which never comes
  for (int i = 0; i < 200 && site.Requests().size() < 2; ++i) Sleep(25);
  ASSERT_EQ(site.Requests().size(), 2u);
  PostMessageA(main_, WM_COMMAND, kStop, 0);
  ASSERT_TRUE(WindowAnswersWithin(2000));
  DWORD started = GetTickCount();
  ASSERT_TRUE(StartScan("30", "32"));
  std::string summary = TakeSummary(60000);
  EXPECT_LT(GetTickCount() - started, 10000u);
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历2条信息，其中可用链接1条！");
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 1), "31");
  EXPECT_EQ(Log().find("序号为12 "), std::string::npos) << "the stopped scan wrote nothing for 12";
}

TEST_F(ScanBlackBox, AHostThatRefusesEveryConnectionGivesFailedLinesAndAnEmptySummary) {
  struct Refusing {
    std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
    int port = driver::FreeLoopbackPort();  // nobody listens there
  } refusing;
  Start(refusing);
  ASSERT_TRUE(StartScan("10", "13"));
  EXPECT_EQ(TakeSummary(60000), "所有链接获取完成！一共遍历3条信息，其中可用链接0条！");
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(LogLines(), 3);
  EXPECT_NE(Log().find("序号为13 的文件获取信息失败！"), std::string::npos);
}

// The number of requests the site has had, once it has stayed the same for a while.
size_t SettledRequests(driver::TestSite& site) {
  size_t count = site.Requests().size();
  for (int quiet = 0; quiet < 4;) {
    Sleep(250);
    size_t now = site.Requests().size();
    quiet = now == count ? quiet + 1 : 0;
    count = now;
  }
  return count;
}

TEST_F(ScanBlackBox, APausedOrStoppedScanAsksTheSiteForNothingMore) {
  driver::TestSite site;  // every page a 404 without a link: a quick scan of failures
  Start(site);
  ASSERT_TRUE(StartScan("1", "5000"));
  for (int i = 0; i < 200 && LogLines() < 20; ++i) Sleep(25);
  PostMessageA(main_, WM_COMMAND, kPause, 0);
  ASSERT_TRUE(WindowAnswersWithin(2000));
  size_t paused = SettledRequests(site);
  int lines = LogLines();
  Sleep(1500);
  EXPECT_EQ(site.Requests().size(), paused) << "no request while paused";
  EXPECT_EQ(LogLines(), lines);
  EXPECT_LT(lines, 5000);
  // The program fetches at most 16 pages ahead of the last line it wrote.
  EXPECT_LE(paused, static_cast<size_t>(lines) + 16);

  PostMessageA(main_, WM_COMMAND, kResume, 0);
  for (int i = 0; i < 200 && LogLines() < lines + 20; ++i) Sleep(25);
  EXPECT_GE(LogLines(), lines + 20) << "resumed; requests " << paused << " -> " << site.Requests().size();
  PostMessageA(main_, WM_COMMAND, kStop, 0);
  ASSERT_TRUE(WindowAnswersWithin(2000));
  size_t stopped = SettledRequests(site);
  lines = LogLines();
  Sleep(1500);
  EXPECT_EQ(site.Requests().size(), stopped) << "no request after the stop";
  EXPECT_EQ(LogLines(), lines);
  // Every ID from the first on was asked for once, in turn, none skipped, across the pause.
  std::vector<std::string> requests = site.Requests();
  for (size_t i = 0; i < requests.size(); ++i)
    ASSERT_EQ(requests[i].rfind("GET /movie/" + std::to_string(i + 2) + " ", 0), 0u) << requests[i];
  EXPECT_EQ(site.MostAtOnce(), 1);
}

}  // namespace
