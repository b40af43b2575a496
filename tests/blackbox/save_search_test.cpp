// "保存" and the search window as a user meets them: a scanned list saved into a file, that
// file searched by pattern and by movie name, and files and patterns that are not what the
// program expects.
#include <gtest/gtest.h>

#include "tests/blackbox/scan_fixture.h"

#include <string>
#include <vector>

namespace {

// The lines of a list file that hold `needle`, each with CR LF, as the result area shows them.
std::string LinesHolding(const std::string& file, const std::string& needle) {
  std::string out;
  for (size_t start = 0; start < file.size();) {
    size_t end = file.find("\r\n", start);
    std::string line = file.substr(start, end - start);
    if (line.find(needle) != std::string::npos) out += line + "\r\n";
    start = end + 2;
  }
  return out;
}

const std::string kNothing = "没有找到匹配的行。\r\n";

using SaveSearchBlackBox = ScanBlackBox;

TEST_F(SaveSearchBlackBox, TheSavedFileHoldsEveryRowByteForByteAndReplacesAnOldOne) {
  Site site;
  Start(site);
  ASSERT_TRUE(StartScan("100", "120"));
  TakeSummary();
  ASSERT_GT(Rows(), 10);
  std::string expected = ListAsFile();
  std::string path = TempFile("saved.lst");
  ASSERT_TRUE(SaveTo(path));
  ASSERT_TRUE(WindowAnswersWithin(5000));
  EXPECT_EQ(FileBytes(path), expected);
  // Name "|" ID link: "星海归途 102|102thunder://...".
  EXPECT_NE(expected.find(" 102|102thunder://"), std::string::npos) << expected;

  // Over an existing, longer file: its content is replaced, nothing of it is left.
  std::string old = TempFile("old.lst");
  WriteFileBytes(old, std::string(100000, 'o'));
  ASSERT_TRUE(SaveTo(old));
  ASSERT_TRUE(WindowAnswersWithin(5000));
  EXPECT_EQ(FileBytes(old), expected);
  EXPECT_EQ(program_->WaitForMessageBox(300), nullptr) << "a save that worked says nothing";
  // The new content was written beside the file first; nothing of that is left behind.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((old + ".~*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(SaveSearchBlackBox, CancelWritesNothingAndAnEmptyListGivesAnEmptyFile) {
  Site site;
  Start(site);
  std::string path = TempFile("empty.lst");
  PostMessageA(main_, WM_COMMAND, kSave, 0);
  HWND dialog = program_->WaitForFileDialog(10000);
  ASSERT_NE(dialog, nullptr) << "the dialog opens for an empty list too";
  for (HWND w : driver::Descendants(dialog))  // a name typed, then cancelled
    if (GetDlgCtrlID(w) == 0x47C) SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  driver::Answer(dialog, IDCANCEL);
  for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(25);
  ASSERT_FALSE(IsWindow(dialog));
  ASSERT_TRUE(WindowAnswersWithin(5000));
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(program_->WaitForMessageBox(300), nullptr);

  ASSERT_TRUE(SaveTo(path));
  ASSERT_TRUE(WindowAnswersWithin(5000));
  ASSERT_TRUE(FileExists(path));
  EXPECT_EQ(FileBytes(path), "");
}

TEST_F(SaveSearchBlackBox, AFileThatCannotBeWrittenKeepsItsContentAndTheUserIsTold) {
  Site site;
  Start(site);
  ASSERT_TRUE(StartScan("100", "104"));
  TakeSummary();
  std::string path = TempFile("locked.lst");
  WriteFileBytes(path, "old list\r\n");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SaveTo(path));
  HWND box = program_->WaitForMessageBox(10000);
  ASSERT_NE(box, nullptr) << "a failed save is not silent";
  EXPECT_EQ(driver::WindowText(box), "保存失败");
  std::string text = driver::MessageBoxText(box);
  EXPECT_NE(text.find(path), std::string::npos) << text;
  EXPECT_NE(text.find("没有保存"), std::string::npos) << text;
  driver::Answer(box, IDOK);
  EXPECT_EQ(FileBytes(path), "old list\r\n");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  // The next save into a writable file works.
  ASSERT_TRUE(SaveTo(path));
  ASSERT_TRUE(WindowAnswersWithin(5000));
  EXPECT_EQ(FileBytes(path), ListAsFile());
}

TEST_F(SaveSearchBlackBox, TheSearchWindowShowsTheLinesOfASavedListByPatternAndByName) {
  Site site;
  Start(site);
  ASSERT_TRUE(StartScan("100", "140"));
  TakeSummary();
  std::string path = TempFile("search.lst");
  ASSERT_TRUE(SaveTo(path));
  ASSERT_TRUE(WindowAnswersWithin(5000));
  std::string file = FileBytes(path);
  ASSERT_FALSE(file.empty());

  SearchWindow s = OpenSearchWindow();
  ASSERT_TRUE(s.window && s.patternBox && s.nameBox && s.result && s.patternButton && s.nameButton);
  // A pattern over the whole file, case-sensitive: the IDs 102 and 103 of the rows.
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "\\|10[23]thunder", path),
            LinesHolding(file, "|102thunder") + LinesHolding(file, "|103thunder"));
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "THUNDER", path), kNothing) << "case counts";
  // Each line is searched on its own: ^ and $ are its ends, and no match runs into the next.
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "^\\S+ 105\\|.*$", path), LinesHolding(file, "|105thunder"));
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "\\r\\n", path), kNothing);
  // Every line holds "thunder": each is shown once, in file order, however many matches it has.
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "[a-z]", path), file);

  // By movie name: the first name's two characters, plain text.
  std::string name = Cell(0, 0).substr(0, 4);
  std::string byName = Search(s, s.nameBox, s.nameButton, name, path);
  EXPECT_EQ(byName, LinesHolding(file, name));
  EXPECT_FALSE(byName.empty());
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "thunder", path), kNothing) << "the link is not the name";
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "1.3", path), kNothing) << "plain text, not a pattern";
  PostMessageA(s.window, WM_CLOSE, 0, 0);
}

TEST_F(SaveSearchBlackBox, CancelEmptyFilesBadPatternsAndNamesWithPatternCharacters) {
  Site site;
  Start(site);
  std::string path = TempFile("odd.lst");
  WriteFileBytes(path, "Star Sea (1)|7thunder://aa\r\na.*b|8thunder://bb\r\n");
  SearchWindow s = OpenSearchWindow();
  ASSERT_TRUE(s.window && s.result);
  std::string shown = Search(s, s.patternBox, s.patternButton, "aa", path);
  EXPECT_EQ(shown, "Star Sea (1)|7thunder://aa\r\n");
  // Cancelling the dialog leaves the result area as it was.
  SendMessageA(s.patternBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("bb"));
  PostMessageA(s.patternButton, BM_CLICK, 0, 0);
  HWND dialog = program_->WaitForFileDialog(10000);
  ASSERT_NE(dialog, nullptr);
  driver::Answer(dialog, IDCANCEL);
  ASSERT_TRUE(WindowAnswersWithin(5000));
  for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(20);
  EXPECT_EQ(driver::WindowText(s.result), shown);

  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "(ab", path), "表达式有误，无法搜索。\r\n");
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "", path), "请先输入要搜索的内容。\r\n");
  std::string empty = TempFile("empty-search.lst");
  WriteFileBytes(empty, "");
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "a", empty), "所选文件为空或无法读取。\r\n");
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "a", empty), "所选文件为空或无法读取。\r\n");
  // Names: plain text, ASCII letters without regard to case.
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "a.*b", path), "a.*b|8thunder://bb\r\n");
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "STAR SEA (", path), "Star Sea (1)|7thunder://aa\r\n");
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "(1)|7", path), kNothing);
  PostMessageA(s.window, WM_CLOSE, 0, 0);
}

TEST_F(SaveSearchBlackBox, FilesNotOfTheProgramAndHostilePatternsGiveAClearAnswer) {
  Site site;
  Start(site);
  SearchWindow s = OpenSearchWindow();
  ASSERT_TRUE(s.window && s.result);

  // A pattern that backtracks without end against a long run it almost matches.
  std::string run = TempFile("run.lst");
  WriteFileBytes(run, "xxy|1thunder:a\r\n" + std::string(5000, 'x') + "\r\n");
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "(x+x+)+y", run), "表达式过于复杂，搜索已中止。\r\n");
  EXPECT_TRUE(WindowAnswersWithin(5000));

  // No CR LF at all, lone CRs, binary bytes, a zero byte (the text ends there), and a lone GBK
  // lead byte at the end.
  std::string odd = TempFile("odd-bytes.lst");
  std::string bytes = "one\rtwo|1thunder:q\nthree\xB0";
  for (int i = 1; i < 256; ++i) bytes += static_cast<char>(i == '\n' ? ' ' : i);
  bytes += std::string(1, '\0') + "after zero";
  WriteFileBytes(odd, bytes);
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "two", odd), "one\rtwo|1thunder:q\r\n");
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "after", odd), kNothing) << "text ends at a zero byte";
  std::string lastLine = Search(s, s.patternBox, s.patternButton, "three", odd);
  EXPECT_EQ(lastLine.substr(0, 5), "three");
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "TWO", odd), "one\rtwo|1thunder:q\r\n");

  // A line of a megabyte, and a 30 000-line list written as the program writes one: the
  // result area shows at most 2 000 lines and counts the rest.
  std::string big = TempFile("big.lst");
  std::string content;
  for (int id = 1; id <= 30000; ++id)
    content += "星海归途 " + std::to_string(id) + "|" + std::to_string(id) + "thunder://QUFmdHA6Ly9kZW1vLm1vdmllcy5sb2NhbC8" +
               std::to_string(id) + "\r\n";
  content += std::string(1 << 20, 'w') + "|1thunder:z\r\n";
  WriteFileBytes(big, content);
  EXPECT_EQ(Search(s, s.patternBox, s.patternButton, "^\\S+ 29999\\|", big), LinesHolding(content, " 29999|"));
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "归途 1234", big), LinesHolding(content, "归途 1234"));
  std::string all = Search(s, s.patternBox, s.patternButton, ".", big);
  EXPECT_EQ(all.substr(0, 40), content.substr(0, 40));
  EXPECT_NE(all.find("……另有28001行没有显示。\r\n"), std::string::npos) << all.substr(all.size() - 100);
  EXPECT_EQ(Search(s, s.nameBox, s.nameButton, "WWWW", big).size(), (1u << 20) + 13);
  EXPECT_TRUE(WindowAnswersWithin(5000));
  EXPECT_TRUE(program_->Running());
  PostMessageA(s.window, WM_CLOSE, 0, 0);
}

}  // namespace
