#include "tests/modules/regex/regex_test_kit.h"

#include <gtest/gtest.h>

#include "modules/regex/regex_module.h"
#include "tests/support/test_image.h"

namespace regextest {

void StartRuntime() {
  testimg::InitRuntime();
  ASSERT_NE(RegexLibService(), nullptr);
}

CmdArg Call(uint32_t command, std::initializer_list<CmdArg> args) {
  CmdArg result{0, 0, 0};
  std::vector<CmdArg> list(args);
  CmdArg unused{0, 0, 0};
  kRegexLibDescriptor.commands[command](&result, static_cast<int32_t>(list.size()),
                                        list.empty() ? &unused : list.data());
  return result;
}

void FreeResults(void* array) {
  if (!array) return;
  RuntimeServiceFn service = RegexLibService();
  const auto* block = static_cast<const uint32_t*>(array);
  for (uint32_t i = 0; i < block[1]; ++i) {
    void* cell = AddressElements(block)[i];
    Call(regexcmd::SearchResultDestroy, {MakePtr(cell, tc::SearchResult)});
    service(svc::Free, Word(cell), 0);
  }
  service(svc::Free, Word(array), 0);
}

RegexVar::RegexVar() { Call(regexcmd::RegexConstruct, {MakePtr(&cell, tc::Regex)}); }
RegexVar::~RegexVar() { Call(regexcmd::RegexDestroy, {MakePtr(&cell, tc::Regex)}); }

bool RegexVar::Create(const char* pattern) {
  CmdArg r = Call(regexcmd::RegexCreate, {MakePtr(&cell, tc::Regex), MakeText(pattern)});
  EXPECT_EQ(r.type, tc::Logical);
  return r.lo != 0;
}
bool RegexVar::Create(const char* pattern, bool caseSensitive) {
  CmdArg r = Call(regexcmd::RegexCreate, {MakePtr(&cell, tc::Regex), MakeText(pattern), MakeLogical(caseSensitive)});
  return r.lo != 0;
}
bool RegexVar::Match(const char* subject) {
  CmdArg r = Call(regexcmd::RegexMatch, {MakePtr(&cell, tc::Regex), MakeText(subject)});
  EXPECT_EQ(r.type, tc::Logical);
  return r.lo != 0;
}

std::vector<Found> RegexVar::SearchAll(const char* subject) {
  CmdArg r = Call(regexcmd::RegexSearchAll, {MakePtr(&cell, tc::Regex), MakeText(subject)});
  EXPECT_EQ(r.type, tc::SearchResult | tc::ArrayFlag);
  const auto* block = static_cast<const uint32_t*>(ArgPtr(r));
  std::vector<Found> found;
  if (!block) {
    ADD_FAILURE() << "RegexSearchAll gave no array";
    return found;
  }
  EXPECT_EQ(block[0], 1u);
  for (uint32_t i = 0; i < block[1]; ++i) {
    auto* cell = static_cast<rx::SearchResultCell*>(AddressElements(block)[i]);
    int32_t offset = -1;
    CmdArg text = Call(regexcmd::SearchResultGetText,
                       {MakePtr(cell, tc::SearchResult), MakeText(subject), MakePtr(&offset, tc::Integer)});
    EXPECT_EQ(text.type, tc::Text);
    Found f{ArgText(text) ? ArgText(text) : "", offset, {}};
    if (ArgText(text)) {
      EXPECT_NE(*ArgText(text), '\0') << "an empty text is null, not a zero-length block";
      RegexLibService()(svc::Free, Word(ArgPtr(text)), 0);
    }
    if (cell->object) f.spans.assign(cell->object->spans, cell->object->spans + cell->object->count);
    found.push_back(f);
  }
  FreeResults(ArgPtr(r));
  return found;
}

}  // namespace regextest
