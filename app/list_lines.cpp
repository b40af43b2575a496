#include "app/list_lines.h"

#include <algorithm>
#include <cstring>

namespace app {
namespace {

bool IsHigh(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The line holding byte `at`: a line owns its bytes and its line end.
size_t LineOf(const std::vector<LineSpan>& lines, size_t at) {
  auto it = std::upper_bound(lines.begin(), lines.end(), at,
                             [](size_t offset, const LineSpan& line) { return offset < line.next; });
  return it == lines.end() ? lines.size() - 1 : static_cast<size_t>(it - lines.begin());
}

size_t LastByte(const MatchAt& m) { return m.length ? m.start + m.length - 1 : m.start; }

// The first match from `from` on (below `count`) that starts at or after `offset`.
size_t FirstStartingFrom(size_t from, size_t count, size_t offset, const std::function<MatchAt(size_t)>& matchAt) {
  size_t lo = from, hi = count;
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    if (matchAt(mid).start < offset)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

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

std::vector<size_t> LinesHoldingMatches(const std::vector<LineSpan>& lines, size_t count,
                                        const std::function<MatchAt(size_t)>& matchAt) {
  std::vector<size_t> found;
  if (lines.empty()) return found;
  auto add = [&found](size_t from, size_t to) {
    if (!found.empty() && from <= found.back()) from = found.back() + 1;
    for (size_t l = from; l <= to; ++l) found.push_back(l);
  };
  size_t i = 0;
  while (i < count) {
    MatchAt m = matchAt(i);
    size_t last = LineOf(lines, LastByte(m));
    add(LineOf(lines, m.start), last);
    // The matches after i that start before the end of line `last` lie within it, except
    // perhaps the last of them, which may run on into later lines.
    for (;;) {
      size_t next = FirstStartingFrom(i + 1, count, lines[last].next, matchAt);
      if (next - 1 == i) {
        i = next;
        break;
      }
      i = next - 1;
      size_t reaches = LineOf(lines, LastByte(matchAt(i)));
      if (reaches == last) {
        i = next;
        break;
      }
      add(last + 1, reaches);
      last = reaches;
    }
  }
  return found;
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
  std::vector<size_t> found;
  std::string name;
  for (size_t l = 0; l < lines.size(); ++l)
    if (MovieNameOf(text + lines[l].start, lines[l].length, name) && Contains(name, needle)) found.push_back(l);
  return found;
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
