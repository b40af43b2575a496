// Scans as a user runs them: the range window, the rows, log lines, progress, label and summary,
// and stop, pause and resume, against the movie site on loopback.
#include <gtest/gtest.h>

#include "tests/blackbox/scan_fixture.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

TEST_F(ScanBlackBox, RangesThatAreNotAcceptedAreRefusedAndTheWindowStaysOpen) {
  Site site;
  Start(site);
  PostMessageA(main_, WM_COMMAND, kStart, 0);
  struct Case {
    const char* from;
    const char* to;
  } cases[] = {{"", ""}, {"0", "10"}, {"5", "0"}, {"7", "7"}, {"9", "3"}, {"abc", "12"}};
  HWND range = nullptr;
  for (const Case& c : cases) {
    range = EnterRange(c.from, c.to);
    ASSERT_NE(range, nullptr);
    HWND box = program_->WaitForMessageBox(10000);
    ASSERT_NE(box, nullptr) << c.from << " to " << c.to;
    EXPECT_EQ(driver::WindowText(box), "信息：");
    EXPECT_EQ(driver::MessageBoxText(box), "请输入合适的范围！");
    driver::Answer(box, IDOK);
    Sleep(200);
    EXPECT_TRUE(IsWindow(range)) << "the range window stays open";
    PostMessageA(range, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindow(range); ++i) Sleep(20);
  }
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Log(), "");
}

TEST_F(ScanBlackBox, AScanWritesRowsLogLinesProgressLabelAndSummary) {
  Site site;
  Start(site);
  // Full-width digits count as their ASCII forms: １００ to 103 visits 101, 102 and 103.
  ASSERT_TRUE(StartScan("\xA3\xB1\xA3\xB0\xA3\xB0", "103"));
  std::string summary = TakeSummary();
  // 101 has no link on the demo site; 102 and 103 have.
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历3条信息，其中可用链接2条！");
  EXPECT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 1), "102");
  EXPECT_EQ(Cell(1, 1), "103");
  std::string log = Log();
  EXPECT_NE(log.find(": 序号为101 的文件获取信息失败！\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(": 序号为102 的文件链接获取成功！\r\n"), std::string::npos);
  EXPECT_NE(log.find(": 序号为103 的文件链接获取成功！\r\n"), std::string::npos);
  EXPECT_LT(log.find("序号为101"), log.find("序号为102"));
  EXPECT_EQ(driver::WindowText(label_), "3/3");
  // Another program reads the text the label last painted: the user sees the end too.
  char shown[32] = "";
  for (int i = 0; i < 40 && std::string(shown) != "3/3"; ++i) {
    Sleep(25);
    GetWindowTextA(label_, shown, sizeof shown);
  }
  EXPECT_STREQ(shown, "3/3");
  EXPECT_EQ(SendMessageA(bar_, PBM_GETPOS, 0, 0), 100);
}

// The log box keeps its newest line in view while a scan gives it more lines than it can show.
TEST_F(ScanBlackBox, TheLogKeepsItsNewestLineInViewAsAScanFillsIt) {
  Site site;
  Start(site);
  ASSERT_TRUE(StartScan("200", "240"));
  TakeSummary();
  EXPECT_EQ(LogLines(), 40);
  Sleep(200);  // new text is shown within a few dozen milliseconds
  LRESULT rows = SendMessageA(log_, EM_GETLINECOUNT, 0, 0);
  ASSERT_GE(rows, 41);  // the empty row after the last line end is the last
  LRESULT lastLine = SendMessageA(log_, EM_LINEINDEX, rows - 2, 0);
  ASSERT_GE(lastLine, 0);
  LRESULT at = SendMessageA(log_, EM_POSFROMCHAR, static_cast<WPARAM>(lastLine), 0);
  auto y = static_cast<short>(HIWORD(at));
  RECT client{};
  GetClientRect(log_, &client);
  EXPECT_GT(SendMessageA(log_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_GE(y, 0);
  EXPECT_LT(y, client.bottom - 8) << "the last line is below the box";
}

// Pages are fetched ahead of the rows, but the site still gets one request at a time, in turn.
TEST_F(ScanBlackBox, TheSiteIsAskedForOnePageAtATimeInTurn) {
  driver::TestSite site;
  for (int id = 11; id <= 18; ++id)
    site.SetPage(id, 200, "<title>movie " + std::to_string(id) + " site suffix</title> thunder://AA" +
                              std::to_string(id) + "x y", driver::TestSite::Manner::Whole, 200);
  Start(site);
  ASSERT_TRUE(StartScan("10", "18"));
  EXPECT_EQ(TakeSummary(), "所有链接获取完成！一共遍历8条信息，其中可用链接8条！");
  EXPECT_EQ(site.MostAtOnce(), 1);
  std::vector<std::string> requests = site.Requests();
  ASSERT_EQ(requests.size(), 8u);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(requests[k].rfind("GET /movie/" + std::to_string(k + 11) + " ", 0), 0u);
  ASSERT_EQ(Rows(), 8);
  for (int row = 0; row < 8; ++row) {
    EXPECT_EQ(Cell(row, 1), std::to_string(row + 11));
    EXPECT_EQ(Cell(row, 2), "thunder://AA" + std::to_string(row + 11));
  }
}

TEST_F(ScanBlackBox, TheLabelAndTheBarStepThroughEveryIdInTurn) {
  // The scan fetches pages ahead of what it shows; answers 0.3 s, 0.6 s and 1.2 s after they
  // are asked for keep every step on screen long enough to be seen.
  driver::TestSite site;
  site.SetPage(201, 404, "", driver::TestSite::Manner::Whole, 300);
  site.SetPage(202, 404, "", driver::TestSite::Manner::Whole, 600);
  site.SetPage(203, 404, "", driver::TestSite::Manner::Whole, 1200);
  Start(site);
  ASSERT_TRUE(StartScan("200", "203"));
  std::vector<std::string> labels;
  std::vector<LRESULT> bars;
  for (int i = 0; i < 400 && !program_->WaitForMessageBox(0); ++i) {
    std::string label = driver::WindowText(label_);
    if (labels.empty() || labels.back() != label) labels.push_back(label);
    LRESULT bar = SendMessageA(bar_, PBM_GETPOS, 0, 0);
    if (bars.empty() || bars.back() != bar) bars.push_back(bar);
    Sleep(20);
  }
  EXPECT_NE(TakeSummary().find("一共遍历3条信息"), std::string::npos);
  // Before the first ID the label may still read its caption and the bar 0.
  if (!labels.empty() && labels.front() == "进度：") labels.erase(labels.begin());
  if (!bars.empty() && bars.front() == 0) bars.erase(bars.begin());
  EXPECT_EQ(labels, (std::vector<std::string>{"1/3", "2/3", "3/3"}));
  EXPECT_EQ(bars, (std::vector<LRESULT>{33, 67, 100}));  // i / 3 * 100, rounded
}

TEST_F(ScanBlackBox, RowsReadBeforeASlowPageAreShownWhileItIsAwaited) {
  // The rows of the pages read so far are on screen while the next page is slow to come: the
  // scan never holds back what it has read.
  driver::TestSite site;
  for (int id = 301; id <= 306; ++id)
    site.SetPage(id, 200, "<title>movie " + std::to_string(id) + " site suffix</title> thunder://S" +
                              std::to_string(id) + "x y", driver::TestSite::Manner::Whole, id == 306 ? 1500 : 0);
  Start(site);
  ASSERT_TRUE(StartScan("300", "306"));
  // Bounded: 1.5 s at most, well before the slow page is answered.
  for (int i = 0; i < 150 && site.Requests().size() < 6; ++i) Sleep(10);
  ASSERT_EQ(site.Requests().size(), 6u);
  int rows = 0;
  for (int i = 0; i < 50 && rows < 5; ++i, Sleep(10)) rows = Rows();
  EXPECT_EQ(rows, 5);  // within half a second, while page 306 is still awaited
  EXPECT_EQ(driver::WindowText(label_), "5/6");
  EXPECT_EQ(TakeSummary(), "所有链接获取完成！一共遍历6条信息，其中可用链接6条！");
  EXPECT_EQ(Rows(), 6);
}

TEST_F(ScanBlackBox, ANegativeRangeRunsThroughZero) {
  Site site;
  Start(site);
  ASSERT_TRUE(StartScan("-2", "1"));
  std::string summary = TakeSummary();
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历3条信息，其中可用链接1条！");  // -1 and 0 are missing pages
  EXPECT_NE(Log().find("序号为-1 的文件获取信息失败！"), std::string::npos);
  EXPECT_NE(Log().find("序号为0 的文件获取信息失败！"), std::string::npos);
  EXPECT_EQ(driver::WindowText(label_), "3/3");
}

TEST_F(ScanBlackBox, StopEndsTheScanAtOnceAndANewScanThenCompletes) {
  Site site(150);
  Start(site);
  ASSERT_TRUE(StartScan("1", "200"));
  for (int i = 0; i < 200 && LogLines() < 3; ++i) Sleep(50);
  ASSERT_GE(LogLines(), 3);
  PostMessageA(main_, WM_COMMAND, kStop, 0);
  ASSERT_TRUE(WindowAnswersWithin(2000));  // the stop command has returned
  int rows = Rows(), lines = LogLines();
  std::string label = driver::WindowText(label_);
  LRESULT bar = SendMessageA(bar_, PBM_GETPOS, 0, 0);
  Sleep(1500);
  EXPECT_EQ(Rows(), rows) << "no row after the stop";
  EXPECT_EQ(LogLines(), lines) << "no log line after the stop";
  EXPECT_EQ(driver::WindowText(label_), label);
  EXPECT_EQ(SendMessageA(bar_, PBM_GETPOS, 0, 0), bar);
  EXPECT_EQ(program_->WaitForMessageBox(300), nullptr) << "a stopped scan shows no summary";
  for (int row = 0; row < Rows(); ++row)
    EXPECT_FALSE(Cell(row, 2).empty()) << "row " << row << " is whole";

  ASSERT_TRUE(StartScan("300", "302"));
  std::string summary = TakeSummary();
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历2条信息，其中可用链接" + std::to_string(Rows()) + "条！");
  EXPECT_EQ(driver::WindowText(label_), "2/2");
}

TEST_F(ScanBlackBox, PauseHoldsTheScanWhileTheWindowAnswersAndResumeFinishesIt) {
  Site site(100);
  Start(site);
  ASSERT_TRUE(StartScan("1", "12"));
  for (int i = 0; i < 200 && LogLines() < 2; ++i) Sleep(50);
  PostMessageA(main_, WM_COMMAND, kPause, 0);
  PostMessageA(main_, WM_COMMAND, kPause, 0);  // pausing twice needs one resume
  ASSERT_TRUE(WindowAnswersWithin(2000));
  Sleep(400);  // the ID in progress may still finish
  int lines = LogLines();
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(WindowAnswersWithin(50)) << "the window answers while paused";
    Sleep(200);
  }
  EXPECT_EQ(LogLines(), lines) << "held before the next ID";
  PostMessageA(main_, WM_COMMAND, kResume, 0);
  std::string summary = TakeSummary();
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历11条信息，其中可用链接" + std::to_string(Rows()) + "条！");
  EXPECT_EQ(LogLines(), 11);
}

TEST_F(ScanBlackBox, TwoScansBackToBackRunOneAfterTheOther) {
  // Ten IDs at 0.3 s a page, fetched one after another, keep the first scan running for about
  // three seconds, while the second is started.
  Site site(300);
  Start(site);
  ASSERT_TRUE(StartScan("10", "20"));
  ASSERT_TRUE(StartScan("30", "32"));
  std::string first = TakeSummary();
  std::string second = TakeSummary();
  // The earlier scan reports with the newer total, as its progress does.
  EXPECT_NE(first.find("一共遍历2条信息"), std::string::npos) << first;
  EXPECT_NE(second.find("一共遍历2条信息"), std::string::npos) << second;
  std::string log = Log();
  EXPECT_LT(log.find("序号为20 "), log.find("序号为31 ")) << "the second scan's lines follow the first's";
  EXPECT_EQ(LogLines(), 12);
}

// "结束" while a second scan waits for the first ends both: the running one writes nothing more,
// the waiting one never starts; with the first paused as well, stop does not let it go on.
TEST_F(ScanBlackBox, StopWhileASecondScanWaitsEndsBothAndANewScanThenCompletes) {
  Site site(150);
  Start(site);
  for (bool paused : {false, true}) {
    SCOPED_TRACE(paused ? "paused first" : "running");
    int before = LogLines();
    ASSERT_TRUE(StartScan("1000", "1100"));
    ASSERT_TRUE(StartScan("2000", "2003"));
    for (int i = 0; i < 200 && LogLines() < before + 3; ++i) Sleep(50);
    ASSERT_GE(LogLines(), before + 3);
    if (paused) PostMessageA(main_, WM_COMMAND, kPause, 0);
    PostMessageA(main_, WM_COMMAND, kStop, 0);
    ASSERT_TRUE(WindowAnswersWithin(2000));  // the stop command has returned
    int rows = Rows(), lines = LogLines();
    std::string label = driver::WindowText(label_);
    Sleep(1500);
    EXPECT_EQ(Rows(), rows) << "no row after the stop";
    EXPECT_EQ(LogLines(), lines) << "no log line after the stop";
    EXPECT_EQ(driver::WindowText(label_), label);
    EXPECT_EQ(program_->WaitForMessageBox(300), nullptr) << "neither scan shows a summary";
    EXPECT_EQ(Log().find("序号为2001 "), std::string::npos) << "the waiting scan never started";
    for (int row = 0; row < Rows(); ++row) EXPECT_FALSE(Cell(row, 2).empty()) << "row " << row << " is whole";
  }
  ASSERT_TRUE(StartScan("300", "302"));
  std::string summary = TakeSummary();
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历2条信息，其中可用链接" + std::to_string(Rows()) + "条！");
  EXPECT_NE(Log().find("序号为302 "), std::string::npos);
  EXPECT_EQ(Log().find("序号为2001 "), std::string::npos);
}

TEST_F(ScanBlackBox, StopWithNoScanOrAfterTheLastOneEndedDoesNothing) {
  Site site;
  Start(site);
  PostMessageA(main_, WM_COMMAND, kStop, 0);
  PostMessageA(main_, WM_COMMAND, kResume, 0);  // resume without a pause does nothing either
  ASSERT_TRUE(WindowAnswersWithin(2000));
  ASSERT_TRUE(StartScan("101", "102"));
  EXPECT_EQ(TakeSummary(), "所有链接获取完成！一共遍历1条信息，其中可用链接1条！");
  PostMessageA(main_, WM_COMMAND, kStop, 0);
  ASSERT_TRUE(WindowAnswersWithin(2000));
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(LogLines(), 1);
  EXPECT_EQ(driver::WindowText(label_), "1/1");
}

TEST_F(ScanBlackBox, TheHundredAndFirstScanOfARunWorks) {
  Site site;
  Start(site);
  for (int scan = 1; scan <= 101; ++scan) {
    ASSERT_TRUE(StartScan("101", "102")) << "scan " << scan;
    ASSERT_EQ(TakeSummary(), "所有链接获取完成！一共遍历1条信息，其中可用链接" + std::to_string(scan) + "条！")
        << "scan " << scan;
  }
  EXPECT_EQ(Rows(), 101);
  EXPECT_TRUE(program_->Running());
}

TEST_F(ScanBlackBox, StopPauseAndResumeInAnyOrderNeverHangTheWindowOrLoseARow) {
  Site site(20);
  Start(site);
  const int commands[] = {kPause, kResume, kStop, kPause, kPause, kResume, kResume, kStop, kPause, kStop};
  unsigned seed = 12345;
  for (int round = 0; round < 4; ++round) {
    ASSERT_TRUE(StartScan(std::to_string(1000 + round * 100), std::to_string(1040 + round * 100)));
    for (int i = 0; i < 30; ++i) {
      seed = seed * 1103515245u + 12345u;
      PostMessageA(main_, WM_COMMAND, commands[(seed >> 16) % 10], 0);
      Sleep((seed >> 8) % 40);
      ASSERT_TRUE(WindowAnswersWithin(2000)) << "round " << round << " step " << i;
    }
    PostMessageA(main_, WM_COMMAND, kResume, 0);
    PostMessageA(main_, WM_COMMAND, kStop, 0);
    ASSERT_TRUE(WindowAnswersWithin(2000));
    if (HWND box = program_->WaitForMessageBox(300)) driver::Answer(box, IDOK);
  }
  // Every row that made it is whole.
  for (int row = 0; row < Rows(); ++row) {
    EXPECT_FALSE(Cell(row, 0).empty()) << row;
    EXPECT_FALSE(Cell(row, 2).empty()) << row;
  }
  // And a scan after all that still runs to its summary.
  ASSERT_TRUE(StartScan("101", "102"));
  EXPECT_NE(TakeSummary(30000).find("一共遍历1条信息"), std::string::npos);
}

// UTF-8 pages of the test's own site.
std::string PageWithTitle(const std::string& titleUtf8, const std::string& linkTail) {
  return "<html><head><title>" + titleUtf8 + "</title></head><body><a href=\"thunder://" + linkTail +
         "\" x>dl</a></body></html>";
}

TEST_F(ScanBlackBox, RequestsAndOddPagesFromASiteOfTheTestsOwn) {
  driver::TestSite site;
  // 1: a normal title (16 bytes of GBK text: 电影 + 12 more bytes) — the name is its first 4 bytes.
  site.SetPage(1, 200, PageWithTitle("\xE7\x94\xB5\xE5\xBD\xB1" "abcdefghijkl", "AAone"));
  // 2: upper-case markers are found as well.
  site.SetPage(2, 200, "<HTML><TITLE>Name2 twelve bytes</TITLE><a href=\"thunder://AAtwo\" >x</a>");
  // 3: a title of exactly 12 bytes gives an empty name; the row is still added.
  site.SetPage(3, 200, PageWithTitle("twelve bytes", "AAthree"));
  // 4: no title at all: the name is empty (the end marker is absent too).
  site.SetPage(4, 200, "<p>no title here</p> thunder://AAfour rest");
  // 5: a 404 page that carries a link still gives a row.
  site.SetPage(5, 404, PageWithTitle("Missing page 404!", "AAfive"));
  // 6: bytes that are not UTF-8 fail the conversion: no row.
  site.SetPage(6, 200, "<title>\xFF\xFE\xFD broken</title> thunder://AAsix x");
  // 7: a link directly followed by Chinese text keeps it (no white space ends it) minus the last byte.
  site.SetPage(7, 200, "<title>seven</title>thunder://AA7\xE7\x94\xB5 x");
  Start(site);
  ASSERT_TRUE(StartScan("-1", "8"));  // IDs 0 ... 8
  std::string summary = TakeSummary();
  EXPECT_EQ(summary, "所有链接获取完成！一共遍历9条信息，其中可用链接6条！");

  ASSERT_EQ(Rows(), 6);
  EXPECT_EQ(Cell(0, 0), "电影");
  EXPECT_EQ(Cell(0, 1), "1");
  EXPECT_EQ(Cell(0, 2), "thunder://AAone");
  EXPECT_EQ(Cell(1, 0), "Name2 ");
  EXPECT_EQ(Cell(1, 2), "thunder://AAtwo");
  EXPECT_EQ(Cell(2, 0), "");
  EXPECT_EQ(Cell(2, 1), "3");
  EXPECT_EQ(Cell(3, 0), "");
  EXPECT_EQ(Cell(3, 2), "thunder://AAfou");
  EXPECT_EQ(Cell(4, 1), "5");
  EXPECT_EQ(Cell(4, 0), "Missi");
  EXPECT_EQ(Cell(5, 1), "7");
  // The match runs through the Chinese character and loses its last byte, leaving half a
  // character, which the list shows as the platform shows a lone lead byte.
  EXPECT_EQ(Cell(5, 2).rfind("thunder://AA7", 0), 0u);
  EXPECT_LE(Cell(5, 2).size(), 14u);
  EXPECT_NE(Log().find("序号为6 的文件获取信息失败！"), std::string::npos);
  EXPECT_NE(Log().find("序号为0 的文件获取信息失败！"), std::string::npos);

  std::vector<std::string> requests = site.Requests();
  ASSERT_GE(requests.size(), 9u);
  const std::string& first = requests[0];
  EXPECT_EQ(first.rfind("GET /movie/0 HTTP/1.0\r\n", 0), 0u) << first;
  EXPECT_NE(first.find("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"), std::string::npos);
  EXPECT_NE(first.find("Accept: */*"), std::string::npos);
  EXPECT_NE(first.find("Host: 127.0.0.1"), std::string::npos);
}

}  // namespace
