// The search window's two rows over a saved list file. The first compiles its box's text as a
// case-sensitive pattern and finds the lines of the file it matches in; the second finds the
// lines whose movie name holds its box's text. Both show the lines found in the result area,
// or a line saying why there are none.
#include <cstring>
#include <string>
#include <vector>

#include "app/app_ids.h"
#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/image/program_image.h"
#include "app/list_lines.h"
#include "app/runtime_calls.h"
#include "image_constants.h"

namespace app {
namespace {

// Beyond this many lines the result area would take longer to lay out than the search itself.
constexpr size_t kShownLinesAtMost = 2000;

void Show(const std::string& text) {
  WriteTextProperty(ids::kSearchWindow, ids::kSearchResultBox, property::Text, text.c_str());
}
void ShowConst(uint32_t constant) { Show(std::string(ConstText(constant)) + ConstText(image::kCrLf)); }

std::string IntegerText(size_t v) {
  return TakeText(Call(mod::Core, cmd::ToText, {MakeInt(static_cast<int32_t>(v))}));
}

void ShowLines(const std::string& file, const std::vector<LineSpan>& lines, const std::vector<size_t>& found) {
  if (found.empty()) return ShowConst(image::kSearchNothing);
  Show(ResultText(file.c_str(), lines, found, kShownLinesAtMost, [](size_t left) {
    return std::string(ConstText(image::kSearchMoreStart)) + IntegerText(left) + ConstText(image::kSearchMoreEnd) +
           ConstText(image::kCrLf);
  }));
}

// Asks for the list file with the window's dialog and reads it as text: its bytes up to the
// first zero byte. False when the user cancels.
bool ChooseAndRead(std::string& file) {
  CmdArg dialog = UnitArg(ids::kSearchWindow, ids::kSearchFileDialog, tc::CommonDlg);
  if (!Call(mod::Core, cmd::DialogOpen, {dialog}).lo) return false;
  std::string path = ReadTextProperty(ids::kSearchWindow, ids::kSearchFileDialog, property::FileName);
  CmdArg bytes = Call(mod::Core, cmd::ReadWholeFile, {MakeText(path.c_str())});
  file = TakeText(Call(mod::Core, cmd::ToText, {bytes}));
  Release(bytes);
  return true;
}

// A regex variable of the compiled code: a cell of an address and a word, zeroed, then
// constructed and destroyed around its use. Two address-wide slots hold it on either target.
class RegexVar {
 public:
  RegexVar() : cell_(Rt().allocBlock(kCellSize)) {
    std::memset(cell_, 0, kCellSize);
    Call(mod::Regex, cmd::RegexConstruct, {Arg()});
  }
  ~RegexVar() {
    Call(mod::Regex, cmd::RegexDestroy, {Arg()});
    Release(cell_);
  }
  RegexVar(const RegexVar&) = delete;
  RegexVar& operator=(const RegexVar&) = delete;
  CmdArg Arg() const { return MakePtr(cell_, tc::Regex); }

 private:
  static constexpr uint32_t kCellSize = 2 * sizeof(void*);
  void* cell_;
};

// The array RegexSearchAll gives: {1, n, cells}; each cell is destroyed and freed with it.
class MatchList {
 public:
  explicit MatchList(CmdArg array) : block_(static_cast<uint32_t*>(ArgPtr(array))) {}
  ~MatchList() {
    for (uint32_t i = 0; i < Count(); ++i) {
      Call(mod::Regex, cmd::SearchResultDestroy, {Cell(i)});
      Release(ArgPtr(Cell(i)));
    }
    Release(block_);
  }
  MatchList(const MatchList&) = delete;
  MatchList& operator=(const MatchList&) = delete;
  uint32_t Count() const { return block_ ? block_[1] : 0; }
  CmdArg Cell(uint32_t i) const { return MakePtr(AddressElements(block_)[i], tc::SearchResult); }

 private:
  uint32_t* block_;
};

}  // namespace

HandlerResult __cdecl SearchListFile(const uint32_t*, uint32_t) {
  RegexVar regex;
  std::string file;
  if (!ChooseAndRead(file)) return kNoValue;  // cancelled: nothing changes
  std::string pattern = ReadTextProperty(ids::kSearchWindow, ids::kSearchIdBox, property::Text);
  if (file.empty()) return ShowConst(image::kSearchEmptyFile), kNoValue;
  if (pattern.empty()) return ShowConst(image::kSearchNoText), kNoValue;
  // Case-sensitivity omitted: the pattern is case-sensitive.
  if (!Call(mod::Regex, cmd::RegexCreate, {regex.Arg(), MakeText(pattern.c_str())}).lo)
    return ShowConst(image::kSearchBadPattern), kNoValue;

  // The pattern runs over each line on its own rather than over the whole file at once: the
  // matcher's limit on its work grows with the length of the text it is given, so over a whole
  // list a pattern that backtracks without end would hold the window for seconds before being
  // stopped, and a pattern that matches every byte would make millions of results. Wrapped so
  // that it matches a whole line when it matches anywhere in it, one answer a line suffices.
  std::string wrapped = AnywhereInLinePattern(pattern);
  bool whole = Call(mod::Regex, cmd::RegexCreate, {regex.Arg(), MakeText(wrapped.c_str())}).lo != 0;
  if (!whole) Call(mod::Regex, cmd::RegexCreate, {regex.Arg(), MakeText(pattern.c_str())});
  std::vector<LineSpan> lines = SplitLines(file.data(), file.size());
  std::string line;
  FoundLines found = FindLines(file.c_str(), lines, [&](const char* bytes, size_t length) {
    line.assign(bytes, length);
    bool holds;
    if (whole) {
      holds = Call(mod::Regex, cmd::RegexMatch, {regex.Arg(), MakeText(line.c_str())}).lo != 0;
    } else {
      MatchList matches(Call(mod::Regex, cmd::RegexSearchAll, {regex.Arg(), MakeText(line.c_str())}));
      holds = matches.Count() > 0;
    }
    // A pattern that backtracks without end is stopped by the matcher's own limit.
    if (Call(mod::Regex, cmd::RegexSearchStopped, {regex.Arg()}).lo) return LineVerdict::GaveUp;
    return holds ? LineVerdict::Found : LineVerdict::NotFound;
  });
  if (found.gaveUp) return ShowConst(image::kSearchStopped), kNoValue;
  ShowLines(file, lines, found.lines);
  return kNoValue;
}

HandlerResult __cdecl SearchListFileByName(const uint32_t*, uint32_t) {
  std::string file;
  if (!ChooseAndRead(file)) return kNoValue;
  std::string name = ReadTextProperty(ids::kSearchWindow, ids::kSearchNameBox, property::Text);
  if (file.empty()) return ShowConst(image::kSearchEmptyFile), kNoValue;
  if (name.empty()) return ShowConst(image::kSearchNoText), kNoValue;
  std::vector<LineSpan> lines = SplitLines(file.data(), file.size());
  ShowLines(file, lines, LinesWithNameContaining(file.c_str(), lines, name));
  return kNoValue;
}

}  // namespace app
