// The list file's rows and the search window's work on its lines: pure byte logic over GBK
// text, without the runtime or the platform, so it is tested directly.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace app {

// One row of the list file: the movie name, "|", the ID text and the link run together, then
// CR LF. The texts are written as held, with no escaping.
std::string ListFileRow(const std::string& name, const std::string& id, const std::string& link);

// A line of a list file: where it starts, how many bytes it shows (without its line end), and
// where the next line starts.
struct LineSpan {
  size_t start;
  size_t length;
  size_t next;
};
// The lines of the text: each ends at a LF, which with a CR just before it is the line end, or
// at the end of the text. A line end at the very end of the text starts no further line.
std::vector<LineSpan> SplitLines(const char* text, size_t length);

// What a test of one line answers: the line is found, is not, or the test gave up (then the
// lines after it are not tested).
enum class LineVerdict { Found, NotFound, GaveUp };
struct FoundLines {
  std::vector<size_t> lines;  // indices into the lines, in file order
  bool gaveUp = false;
};
// Tests each line in turn (its bytes without the line end) until one gives up.
FoundLines FindLines(const char* text, const std::vector<LineSpan>& lines,
                     const std::function<LineVerdict(const char* line, size_t length)>& test);

// A pattern that matches a whole line exactly when `pattern` matches somewhere in it. Its own
// group keeps an alternation in `pattern` inside and adds no numbered group, so back-references
// stay as written. A pattern that only compiles on its own (one that quotes or comments out
// what follows it) may not compile wrapped; the caller then searches for it directly.
std::string AnywhereInLinePattern(const std::string& pattern);

// The movie name of a list line: the bytes before the "|" that starts its ID and link ("|",
// an optional "-", digits, "thunder:"); a name may itself hold "|". A line without such a
// "|" but with another has the bytes before its first "|"; a line without any has none.
bool MovieNameOf(const char* line, size_t length, std::string& name);
// The lines whose movie name holds `needle` as plain text: ASCII letters without regard to
// case, other bytes exactly, and never from the second byte of a double-byte character.
std::vector<size_t> LinesWithNameContaining(const char* text, const std::vector<LineSpan>& lines,
                                            const std::string& needle);

// What the result area shows: the found lines, one per line, each ending in CR LF. Beyond
// `shownAtMost` lines the rest are left out and `moreNote(left out)` ends the text.
std::string ResultText(const char* text, const std::vector<LineSpan>& lines, const std::vector<size_t>& found,
                       size_t shownAtMost, const std::function<std::string(size_t)>& moreNote);

}  // namespace app
