#include "app/scan_one_id.h"

#include <string>

#include "app/app_ids.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/image/program_image.h"
#include "app/runtime_calls.h"
#include "image_constants.h"

namespace app {
namespace {

// RegexLib's commands, in its table order.
constexpr uint32_t kRegexConstruct = 0, kRegexDestroy = 1, kRegexCreate = 2, kRegexSearchAll = 4,
                   kSearchResultDestroy = 6, kSearchResultGetText = 7;

// A text result as an owned string; the runtime block is released at once.
std::string Take(CmdArg value) {
  std::string s = ArgText(value) ? ArgText(value) : "";
  Release(value);
  return s;
}

std::string IntegerText(int32_t v) { return Take(Call(mod::Core, cmd::ToText, {MakeInt(v)})); }

CmdArg ListUnit() { return UnitArg(ids::kMainWindow, ids::kMainList, tc::ListView); }
CmdArg LogUnit() { return UnitArg(ids::kMainWindow, ids::kMainLogBox, tc::EditBox); }

void AppendLog(int32_t id, const char* outcome) {
  std::string line = Take(Call(mod::Core, cmd::ToText, {Call(mod::Core, cmd::Now)}));
  line += ConstText(image::kLogIdPrefix);
  line += IntegerText(id);
  line += outcome;
  line += ConstText(image::kCrLf);
  Call(mod::Core, cmd::AppendText, {LogUnit(), MakeText(line.c_str())});
}

// The title text without its last 12 bytes (the site's own suffix), found without regard to case.
std::string MovieName(const char* page) {
  int32_t a = static_cast<int32_t>(
      Call(mod::Core, cmd::FindText, {MakeText(page), MakeText(ConstText(image::kTitleStart)), Omitted(), MakeLogical(true)}).lo);
  int32_t s = a + 7;
  int32_t b = static_cast<int32_t>(
      Call(mod::Core, cmd::FindText, {MakeText(page), MakeText(ConstText(image::kTitleEnd)), MakeInt(s), MakeLogical(true)}).lo);
  return Take(Call(mod::Core, cmd::MidText, {MakeText(page), MakeInt(s), MakeInt(b - s - 12)}));
}

}  // namespace

const char* SiteHost() {
  const std::string& host = State().siteHost;
  return host.empty() ? ConstText(image::kSiteHostDefault) : host.c_str();
}

CmdArg FetchPage(int32_t id) {
  std::string url = std::string(ConstText(image::kHttpPrefix)) + SiteHost() + ConstText(image::kMoviePath) + IntegerText(id);
  return Call(mod::Net, cmd::HttpGet, {MakeText(url.c_str())});
}

IdResult FetchId(int32_t id) { return ReadPage(id, FetchPage(id)); }

IdResult ReadPage(int32_t id, CmdArg bytes) {
  IdResult result;
  result.id = id;
  CmdArg converted = Call(mod::Encoding, cmd::ConvertEncoding,
                          {bytes, MakeText(ConstText(image::kUtf8)), MakeText(ConstText(image::kGbk))});
  Release(bytes);
  std::string page = Take(Call(mod::Core, cmd::ToText, {converted}));
  Release(converted);

  // A regex variable is two words, zeroed before construction.
  auto regex = static_cast<AddrWord*>(Rt().allocBlock(2 * sizeof(AddrWord)));
  regex[0] = regex[1] = 0;
  CmdArg regexArg = MakePtr(regex, tc::Regex);
  Call(mod::Regex, kRegexConstruct, {regexArg});
  Call(mod::Regex, kRegexCreate, {regexArg, MakeText(ConstText(image::kLinkPattern)), MakeLogical(true)});
  result.name = MovieName(page.c_str());
  CmdArg found = Call(mod::Regex, kRegexSearchAll, {regexArg, MakeText(page.c_str())});
  // {1, count, then the result cells' addresses from offset 8}
  auto matches = static_cast<uint32_t*>(ArgPtr(found));
  uint32_t count = matches ? matches[1] : 0;
  void* const* cells = matches ? AddressElements(matches) : nullptr;
  if (count > 0) {
    // The first match without its last byte; further matches are ignored.
    CmdArg first = MakePtr(cells[0], tc::SearchResult);
    std::string link = Take(Call(mod::Regex, kSearchResultGetText, {first, MakeText(page.c_str())}));
    int32_t length = static_cast<int32_t>(Call(mod::Core, cmd::TextLength, {MakeText(link.c_str())}).lo);
    result.link = Take(Call(mod::Core, cmd::LeftText, {MakeText(link.c_str()), MakeInt(length - 1)}));
    result.found = true;
  }

  // The match list, its cells and the expression go back to the heap.
  for (uint32_t i = 0; i < count; ++i) {
    CmdArg cell = MakePtr(cells[i], tc::SearchResult);
    Call(mod::Regex, kSearchResultDestroy, {cell});
    Release(ArgPtr(cell));
  }
  Release(matches);
  Call(mod::Regex, kRegexDestroy, {regexArg});
  Release(regex);
  return result;
}

void WriteIdResult(const IdResult& result) {
  if (!result.found) {
    AppendLog(result.id, ConstText(image::kLogNoLink));
    return;
  }
  CmdArg row = Call(mod::UiExt, cmd::ListViewInsertRow,
                    {ListUnit(), Omitted(), Omitted(), Omitted(), Omitted(), Omitted(), Omitted()});
  std::string idText = IntegerText(result.id);
  Call(mod::UiExt, cmd::ListViewSetCellText, {ListUnit(), row, MakeInt(0), MakeText(result.name.c_str())});
  Call(mod::UiExt, cmd::ListViewSetCellText, {ListUnit(), row, MakeInt(1), MakeText(idText.c_str())});
  Call(mod::UiExt, cmd::ListViewSetCellText, {ListUnit(), row, MakeInt(2), MakeText(result.link.c_str())});
  AppendLog(result.id, ConstText(image::kLogLinkFound));
}

void ScanOneId(int32_t id) { WriteIdResult(FetchId(id)); }

}  // namespace app
