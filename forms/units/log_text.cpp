#include "forms/units/log_text.h"

#include <algorithm>

namespace forms {

size_t LogText::LineEnd(size_t line) const {
  if (line + 1 < starts_.size()) return starts_[line + 1] - 2;
  return text_.size();
}

size_t LogText::LineOf(size_t position) const {
  auto after = std::upper_bound(starts_.begin(), starts_.end(), position);
  return static_cast<size_t>(after - starts_.begin()) - 1;
}

void LogText::Assign(const std::string& text) {
  text_ = text;
  starts_.assign(1, 0);
  IndexLinesFrom(0);
}

size_t LogText::Replace(size_t from, size_t to, const std::string& text) {
  from = std::min(from, text_.size());
  to = std::min(std::max(from, to), text_.size());
  // A CR LF may be split by the edit or made by it with the bytes around it: the lines are indexed
  // again from the line before the edit's start.
  size_t line = LineOf(from);
  if (line > 0 && from == starts_[line]) --line;
  text_.replace(from, to - from, text);
  starts_.resize(line + 1);
  IndexLinesFrom(line);
  return line;
}

void LogText::IndexLinesFrom(size_t line) {
  for (size_t at = text_.find("\r\n", starts_[line]); at != std::string::npos; at = text_.find("\r\n", at + 2))
    starts_.push_back(at + 2);
}

size_t LogText::Boundary(size_t position) const {
  if (position >= text_.size()) return text_.size();
  size_t line = LineOf(position);
  size_t end = LineEnd(line);
  if (position >= end) return end;
  size_t at = starts_[line];
  for (;;) {
    size_t next = at + (IsLeadByte(static_cast<unsigned char>(text_[at])) && at + 1 < end ? 2 : 1);
    if (next > position) return at;
    at = next;
  }
}

size_t LogText::Next(size_t position) const {
  position = Boundary(position);
  if (position >= text_.size()) return text_.size();
  if (text_.compare(position, 2, "\r\n") == 0) return position + 2;
  size_t end = LineEnd(LineOf(position));
  return position + (IsLeadByte(static_cast<unsigned char>(text_[position])) && position + 1 < end ? 2 : 1);
}

size_t LogText::Previous(size_t position) const {
  position = Boundary(position);
  if (position == 0) return 0;
  size_t line = LineOf(position);
  if (position == starts_[line]) return LineEnd(line - 1);
  return Boundary(position - 1);
}

size_t LogText::CharCount(const std::string& text, size_t from, size_t to) {
  size_t count = 0;
  for (size_t at = from; at < to; ++count)
    at += IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < to ? 2 : 1;
  return count;
}

size_t LogText::CutToChars(const std::string& text, size_t maxChars) {
  size_t at = 0;
  for (size_t count = 0; at < text.size() && count < maxChars; ++count) {
    size_t step = IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
    at += step;
  }
  return at;
}

}  // namespace forms
