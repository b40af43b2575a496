#include "app/list_lines.h"

#include <algorithm>
#include <cstring>

namespace app {
namespace {

bool IsHigh(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "|" at `bar` followed by an optional "-", digits and "thunder:".
bool StartsIdAndLink(const char* line, size_t length, size_t bar) {
  size_t p = bar + 1;
  if (p < length && line[p] == '-') ++p;
  size_t digits = p;
  while (p < length && line[p] >= '0' && line[p] <= '9') ++p;
  static const char kScheme[] = "thunder:";
  const size_t schemeLength = sizeof kScheme - 1;
  return p > digits && length - p >= schemeLength && std::equal(kScheme, kScheme + schemeLength, line + p);
}

bool Contains(const std::string& hay, const std::string& needle) {
  if (needle.empty()) return true;
  for (size_t p = 0; p + needle.size() <= hay.size();) {
    size_t k = 0;
    while (k < needle.size() && Lower(hay[p + k]) == Lower(needle[k])) ++k;
    if (k == needle.size()) return true;
    p += IsHigh(hay[p]) && p + 1 < hay.size() ? 2 : 1;
  }
  return false;
}

}  // namespace

std::string ListFileRow(const std::string& name, const std::string& id, const std::string& link) {
  std::string row;
  row.reserve(name.size() + id.size() + link.size() + 3);
  row += name;
  row += '|';
  row += id;
  row += link;
  row += "\r\n";
  return row;
}

std::vector<LineSpan> SplitLines(const char* text, size_t length) {
  std::vector<LineSpan> lines;
  size_t start = 0;
  while (start < length) {
    const void* lf = std::memchr(text + start, '\n', length - start);
    if (!lf) {
      lines.push_back({start, length - start, length});
      break;
    }
    size_t at = static_cast<size_t>(static_cast<const char*>(lf) - text);
    size_t shown = at > start && text[at - 1] == '\r' ? at - 1 - start : at - start;
    lines.push_back({start, shown, at + 1});
    start = at + 1;
  }
  return lines;
}

FoundLines FindLines(const char* text, const std::vector<LineSpan>& lines,
                     const std::function<LineVerdict(const char* line, size_t length)>& test) {
  FoundLines found;
  for (size_t l = 0; l < lines.size(); ++l) {
    LineVerdict verdict = test(text + lines[l].start, lines[l].length);
    if (verdict == LineVerdict::GaveUp) {
      found.gaveUp = true;
      break;
    }
    if (verdict == LineVerdict::Found) found.lines.push_back(l);
  }
  return found;
}

std::string AnywhereInLinePattern(const std::string& pattern) {
  return "[\\s\\S]*?(?:" + pattern + ")[\\s\\S]*";
}

bool MovieNameOf(const char* line, size_t length, std::string& name) {
  size_t first = length, chosen = length;
  for (size_t p = 0; p < length; ++p) {
    if (line[p] != '|') continue;
    if (first == length) first = p;
    if (StartsIdAndLink(line, length, p)) chosen = p;
  }
  if (chosen == length) chosen = first;
  if (chosen == length) return false;
  name.assign(line, chosen);
  return true;
}

std::vector<size_t> LinesWithNameContaining(const char* text, const std::vector<LineSpan>& lines,
                                            const std::string& needle) {
  std::string name;
  return FindLines(text, lines, [&](const char* line, size_t length) {
           return MovieNameOf(line, length, name) && Contains(name, needle) ? LineVerdict::Found
                                                                              : LineVerdict::NotFound;
         }).lines;
}

std::string ResultText(const char* text, const std::vector<LineSpan>& lines, const std::vector<size_t>& found,
                       size_t shownAtMost, const std::function<std::string(size_t)>& moreNote) {
  std::string out;
  size_t shown = std::min(found.size(), shownAtMost);
  for (size_t k = 0; k < shown; ++k) {
    const LineSpan& line = lines[found[k]];
    out.append(text + line.start, line.length);
    out += "\r\n";
  }
  if (shown < found.size()) out += moreNote(found.size() - shown);
  return out;
}

}  // namespace app
