// Calling the regex module's commands the way compiled code does: cells it allocates, results it
// owns and frees through the runtime service.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "modules/regex/regex_cells.h"
#include "runtime/abi/values.h"

namespace regextest {

// Starts the runtime (once per process) so the module holds the real service entry.
void StartRuntime();

CmdArg Call(uint32_t command, std::initializer_list<CmdArg> args);

// One match as the application sees it.
struct Found {
  std::string text;  // from SearchResultGetText
  int32_t offset;    // its by-reference offset
  std::vector<rx::MatchSpan> spans;
  bool operator==(const Found& o) const { return text == o.text && offset == o.offset; }
};
inline void PrintTo(const Found& f, std::ostream* os) { *os << '"' << f.text << "\"@" << f.offset; }

// Returns the search's array to the heap: each element destroyed, then each cell and the array freed.
void FreeResults(void* array);

// A `regex` variable: constructed on creation, destroyed when it goes away.
class RegexVar {
 public:
  RegexVar();
  ~RegexVar();
  RegexVar(const RegexVar&) = delete;
  RegexVar& operator=(const RegexVar&) = delete;

  bool Create(const char* pattern);
  bool Create(const char* pattern, bool caseSensitive);
  bool Match(const char* subject);
  // Runs RegexSearchAll, reads every result and frees them all.
  std::vector<Found> SearchAll(const char* subject);

  rx::RegexCell cell{};
};

}  // namespace regextest
