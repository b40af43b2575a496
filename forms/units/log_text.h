// The text of a log view: GBK bytes whose lines end with CR LF, and where each line starts.
//
// Positions are byte offsets into the text. A character is one byte, or two where the first is a
// GBK lead byte; CR LF counts as one step. A line's start is always a character's start, since
// trail bytes are never CR or LF, so finding a character boundary walks from its line's start.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace forms {

class LogText {
 public:
  LogText() : starts_{0} {}

  const std::string& Text() const { return text_; }
  size_t Size() const { return text_.size(); }
  size_t LineCount() const { return starts_.size(); }
  size_t LineStart(size_t line) const { return starts_[line]; }
  // Where the line's own text ends: before its CR LF, or at the end of the text.
  size_t LineEnd(size_t line) const;
  // The line a position lies in; a position at a line's end belongs to that line.
  size_t LineOf(size_t position) const;

  void Assign(const std::string& text);
  // Puts text in place of [from, to) (boundaries are taken as they are) and returns the first
  // line whose text changed; the lines before it keep their starts.
  size_t Replace(size_t from, size_t to, const std::string& text);

  // The start of the character that holds position (a position inside CR LF goes before it).
  size_t Boundary(size_t position) const;
  // The position one character on or back; the ends of the text stay where they are.
  size_t Next(size_t position) const;
  size_t Previous(size_t position) const;
  // How many characters lie in [from, to) of a text.
  static size_t CharCount(const std::string& text, size_t from, size_t to);
  // The longest start of text that holds at most maxChars characters.
  static size_t CutToChars(const std::string& text, size_t maxChars);
  static bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

 private:
  void IndexLinesFrom(size_t line);

  std::string text_;
  std::vector<size_t> starts_;  // never empty: the first line starts at 0
};

}  // namespace forms
