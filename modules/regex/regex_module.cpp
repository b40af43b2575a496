#include "modules/regex/regex_module.h"

#include "modules/regex/regex_commands.h"
#include "runtime/abi/module_kit.h"

namespace {
RuntimeServiceFn g_service = nullptr;

AddrWord __cdecl Notify(uint32_t message, AddrWord arg1, AddrWord) {
  if (message != notify::Startup) return 0xFFFFFFFFu;
  g_service = ServiceFromWord(arg1);
  return 0;
}

const UnitTypeInfo kTypes[2] = {
    MakeUnitType("正则表达式", "regex", 0xE0000000),
    MakeUnitType("搜索结果", "SearchResult", 0xE0000000),
};

const CommandFn kCommands[regexcmd::Count] = {
    rx::RegexConstruct,        rx::RegexDestroy,        rx::RegexCreate,         rx::RegexMatch,
    rx::RegexSearchAll,        rx::SearchResultConstruct, rx::SearchResultDestroy, rx::SearchResultGetText,
    rx::RegexSearchStopped,
};
}  // namespace

RuntimeServiceFn RegexLibService() { return g_service; }

const ModuleDescriptor kRegexLibDescriptor =
    MakeModuleDescriptor("{3C6D9E81-B2F4-4A17-8D05-E6F1A2B3C4D9}", "正则表达式支持库", 0xE0000000, 2, kTypes,
                         regexcmd::Count, kCommands, Notify);
