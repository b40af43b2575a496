#include "forms/units/log_view.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "forms/units/log_text.h"

namespace forms {
namespace {

constexpr char kClassName[] = "_WU_LogView";
constexpr UINT_PTR kRefreshTimer = 0x4C56;  // a change waits this long at most to be shown
constexpr UINT kRefreshMs = 40;
constexpr UINT_PTR kDragTimer = 0x4C57;  // while a drag selects beyond the top or bottom edge
constexpr UINT kDragMs = 60;
constexpr int kMargin = 2;
constexpr size_t kFirstPiece = 256;  // characters measured at once when wrapping a row
constexpr UINT kGbk = 936;
constexpr UINT kCopyCommand = 1, kSelectAllCommand = 2;

// A row as shown: a line's bytes [start, end), wrapped at the box's width.
struct Row {
  size_t start, end;
};
// A row by its line and its place among that line's rows.
struct RowPos {
  size_t line;
  size_t row;
  bool operator<(const RowPos& o) const { return line != o.line ? line < o.line : row < o.row; }
  bool operator==(const RowPos& o) const { return line == o.line && row == o.row; }
};

// A row's text as wide characters, with the byte offset (from the row's start) of each.
struct WideRow {
  std::wstring chars;
  std::vector<size_t> offsets;  // one more than chars: the last is the row's length
};

WideRow Widen(const std::string& text, size_t from, size_t to) {
  WideRow w;
  for (size_t at = from; at < to;) {
    size_t step = LogText::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < to ? 2 : 1;
    wchar_t out[2] = {L'?', 0};
    if (MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, text.data() + at, static_cast<int>(step), out, 2) != 1)
      out[0] = step == 1 && static_cast<unsigned char>(text[at]) < 0x80 ? static_cast<wchar_t>(text[at]) : L'?';
    w.offsets.push_back(at - from);
    w.chars.push_back(out[0]);
    at += step;
  }
  w.offsets.push_back(to - from);
  return w;
}

class LogView {
 public:
  explicit LogView(HWND window) : window_(window), measure_(CreateCompatibleDC(nullptr)) {
    SetFontOf(nullptr);
  }
  ~LogView() {
    if (measure_) DeleteDC(measure_);
  }
  LogView(const LogView&) = delete;
  LogView& operator=(const LogView&) = delete;

  LRESULT Handle(UINT message, WPARAM wp, LPARAM lp);
  // The text the control is created with: no change is announced for it.
  void Start(const char* text) { SetText(text, false); }

 private:
  // --- text and selection
  size_t SelectionStart() const { return std::min(anchor_, caret_); }
  size_t SelectionEnd() const { return std::max(anchor_, caret_); }
  void SetText(const char* text, bool announce);
  void ReplaceSelection(const char* text);
  void Select(size_t anchor, size_t caret);
  std::string SelectedText() const { return text_.Text().substr(SelectionStart(), SelectionEnd() - SelectionStart()); }
  void Copy() const;
  void Notify(WORD code) const;

  // --- layout
  void SetFontOf(HFONT font);
  int WrapWidth() const;
  size_t VisibleRows() const;
  std::vector<Row> RowsOf(size_t line) const;
  std::vector<Row> WrapLine(size_t line) const;
  size_t RowCount(size_t line);
  bool NextRow(RowPos& at);
  bool PreviousRow(RowPos& at);
  RowPos RowOfPosition(size_t position);
  RowPos LastRow();
  RowPos MaxTop();
  size_t RowIndex(RowPos at);
  bool RowAtIndex(size_t index, RowPos* at);
  // How many rows at lies below the top row, up to limit (limit when further or above).
  size_t RowsBelowTop(RowPos at, size_t limit);
  void ForgetWrapping();
  void Settle();
  void ScrollBy(long rows);
  void EnsureVisible(size_t position);

  // --- screen
  void Refresh(bool now);
  void Paint();
  void PaintRow(HDC dc, const Row& row, int y, COLORREF text, COLORREF back) const;
  bool ShowsSelection() const;
  void PlaceCaret();
  int XOf(const Row& row, size_t position) const;
  size_t PositionInRow(RowPos at, int x);
  size_t PositionAt(int x, int y);
  void MoveCaret(size_t position, bool extend);
  size_t RowMove(long rows);
  void SelectWordAt(size_t position);
  void KeyDown(WPARAM key);
  void ContextMenu(LPARAM lp);

  HWND window_;
  HDC measure_;
  HFONT font_ = nullptr;
  int lineHeight_ = 16;
  LogText text_;
  size_t chars_ = 0;         // characters in the text, kept for the limit
  size_t limit_ = 30000;     // characters
  size_t anchor_ = 0, caret_ = 0;
  std::vector<size_t> rowCounts_;  // per line, 0 while not yet wrapped at wrappedWidth_
  int wrappedWidth_ = -1;
  RowPos top_{0, 0};
  bool followCaret_ = false;  // the caret is to be brought into view at the next settle
  bool refreshArmed_ = false;
  bool dragging_ = false;
  bool modified_ = false;
  bool focused_ = false;
  int wheel_ = 0;
  mutable std::vector<Row> cachedRows_;  // the rows of cachedLine_ at cachedWidth_
  mutable size_t cachedLine_ = 0;
  mutable int cachedWidth_ = 0;
  mutable bool rowsCached_ = false;  // false after any change of the text or the font
};

// --- text and selection

void LogView::SetText(const char* text, bool announce) {
  text_.Assign(text ? text : "");
  rowsCached_ = false;
  chars_ = LogText::CharCount(text_.Text(), 0, text_.Size());
  anchor_ = caret_ = 0;
  top_ = {0, 0};
  followCaret_ = false;
  modified_ = false;
  rowCounts_.assign(text_.LineCount(), 0);
  Refresh(false);
  if (announce) Notify(EN_CHANGE);
}

void LogView::ReplaceSelection(const char* text) {
  std::string insert = text ? text : "";
  size_t from = SelectionStart(), to = SelectionEnd();
  size_t removed = LogText::CharCount(text_.Text(), from, to);
  size_t room = limit_ > chars_ - removed ? limit_ - (chars_ - removed) : 0;
  size_t keep = LogText::CutToChars(insert, room);
  if (keep < insert.size()) {
    insert.resize(keep);
    Notify(EN_MAXTEXT);
    if (insert.empty() && from == to) return;
  }
  size_t changed = text_.Replace(from, to, insert);
  rowsCached_ = false;
  chars_ = chars_ - removed + LogText::CharCount(insert, 0, insert.size());
  rowCounts_.resize(text_.LineCount());
  std::fill(rowCounts_.begin() + static_cast<std::ptrdiff_t>(changed), rowCounts_.end(), 0);
  anchor_ = caret_ = from + insert.size();
  // What was put in is brought into view, as the edit control does, even when the program asked
  // for the scroll before the insert and a refresh came between the two.
  followCaret_ = true;
  if (top_.line >= text_.LineCount()) top_ = {text_.LineCount() - 1, 0};
  if (top_.line >= changed) top_.row = 0;
  Refresh(false);
  Notify(EN_CHANGE);
}

void LogView::Select(size_t anchor, size_t caret) {
  anchor_ = text_.Boundary(anchor);
  caret_ = text_.Boundary(caret);
}

void LogView::Copy() const {
  std::string selected = SelectedText();
  if (selected.empty() || !OpenClipboard(window_)) return;
  EmptyClipboard();
  if (HGLOBAL bytes = GlobalAlloc(GMEM_MOVEABLE, selected.size() + 1)) {
    if (void* to = GlobalLock(bytes)) {
      std::memcpy(to, selected.c_str(), selected.size() + 1);
      GlobalUnlock(bytes);
      if (SetClipboardData(CF_TEXT, bytes)) bytes = nullptr;
    }
    if (bytes) GlobalFree(bytes);
  }
  // The wide form as well, so a program that pastes it needs no idea of this text's code page.
  int n = MultiByteToWideChar(kGbk, 0, selected.c_str(), -1, nullptr, 0);
  if (HGLOBAL wide = n > 0 ? GlobalAlloc(GMEM_MOVEABLE, static_cast<size_t>(n) * sizeof(wchar_t)) : nullptr) {
    if (auto to = static_cast<wchar_t*>(GlobalLock(wide))) {
      MultiByteToWideChar(kGbk, 0, selected.c_str(), -1, to, n);
      GlobalUnlock(wide);
      if (SetClipboardData(CF_UNICODETEXT, wide)) wide = nullptr;
    }
    if (wide) GlobalFree(wide);
  }
  CloseClipboard();
}

void LogView::Notify(WORD code) const {
  HWND parent = GetParent(window_);
  if (parent) {
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), code), reinterpret_cast<LPARAM>(window_));
  }
}

// --- layout

void LogView::SetFontOf(HFONT font) {
  font_ = font;
  SelectObject(measure_, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure_, &metrics);
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
  ForgetWrapping();
}

int LogView::WrapWidth() const {
  RECT client{};
  GetClientRect(window_, &client);
  return std::max<int>(1, client.right - 2 * kMargin);
}

size_t LogView::VisibleRows() const {
  RECT client{};
  GetClientRect(window_, &client);
  return static_cast<size_t>(std::max<LONG>(1, client.bottom / lineHeight_));
}

std::vector<Row> LogView::RowsOf(size_t line) const {
  // The rows of the line asked last are kept: a paint, a caret move or a program reading rows one
  // by one asks for the same line again and again, and a very long line is costly to wrap.
  if (rowsCached_ && cachedLine_ == line && cachedWidth_ == WrapWidth()) return cachedRows_;
  cachedRows_ = WrapLine(line);
  cachedLine_ = line;
  cachedWidth_ = WrapWidth();
  rowsCached_ = true;
  return cachedRows_;
}

std::vector<Row> LogView::WrapLine(size_t line) const {
  size_t start = text_.LineStart(line), end = text_.LineEnd(line);
  if (start == end) return {{start, start}};
  WideRow wide = Widen(text_.Text(), start, end);
  int width = WrapWidth();
  std::vector<Row> rows;
  size_t n = wide.chars.size();
  for (size_t i = 0; i < n;) {
    int fit = 0;
    SIZE size{};
    // A long line is measured a piece at a time, a piece twice as long while the row fills it, so
    // wrapping it costs about its length rather than its length for every row.
    for (size_t piece = std::min(n - i, kFirstPiece);; piece = std::min(n - i, piece * 2)) {
      GetTextExtentExPointW(measure_, wide.chars.c_str() + i, static_cast<int>(piece), width, &fit, nullptr, &size);
      if (static_cast<size_t>(fit) < piece || piece == n - i) break;
    }
    size_t next = n;
    if (static_cast<size_t>(fit) < n - i) {
      next = i + static_cast<size_t>(std::max(fit, 1));
      auto isBlank = [&](size_t at) { return wide.chars[at] == L' ' || wide.chars[at] == L'\t'; };
      if (isBlank(next)) {
        // Blanks where the row breaks stay at its end, unseen, so no row starts with one.
        while (next < n && isBlank(next)) ++next;
      } else {
        // Otherwise the row ends after its last blank when it has one, so words stay whole.
        size_t blank = next;
        while (blank > i && !isBlank(blank - 1)) --blank;
        if (blank > i) next = blank;
      }
    }
    rows.push_back({start + wide.offsets[i], start + wide.offsets[next]});
    i = next;
  }
  return rows;
}

size_t LogView::RowCount(size_t line) {
  if (wrappedWidth_ != WrapWidth()) ForgetWrapping();
  if (rowCounts_[line] == 0) rowCounts_[line] = RowsOf(line).size();
  return rowCounts_[line];
}

void LogView::ForgetWrapping() {
  rowsCached_ = false;
  rowCounts_.assign(text_.LineCount(), 0);
  wrappedWidth_ = WrapWidth();
}

bool LogView::NextRow(RowPos& at) {
  if (at.row + 1 < RowCount(at.line)) {
    ++at.row;
    return true;
  }
  if (at.line + 1 >= text_.LineCount()) return false;
  at = {at.line + 1, 0};
  return true;
}

bool LogView::PreviousRow(RowPos& at) {
  if (at.row > 0) {
    --at.row;
    return true;
  }
  if (at.line == 0) return false;
  at = {at.line - 1, RowCount(at.line - 1) - 1};
  return true;
}

RowPos LogView::RowOfPosition(size_t position) {
  size_t line = text_.LineOf(std::min(position, text_.Size()));
  std::vector<Row> rows = RowsOf(line);
  size_t row = 0;
  while (row + 1 < rows.size() && rows[row + 1].start <= position) ++row;
  return {line, row};
}

RowPos LogView::LastRow() {
  size_t line = text_.LineCount() - 1;
  return {line, RowCount(line) - 1};
}

// The top row that shows the text's last row at the bottom of the box.
RowPos LogView::MaxTop() {
  RowPos at = LastRow();
  for (size_t i = 1; i < VisibleRows() && PreviousRow(at); ++i) {
  }
  return at;
}

size_t LogView::RowIndex(RowPos at) {
  size_t index = at.row;
  for (size_t line = 0; line < at.line; ++line) index += RowCount(line);
  return index;
}

bool LogView::RowAtIndex(size_t index, RowPos* at) {
  for (size_t line = 0; line < text_.LineCount(); ++line) {
    size_t rows = RowCount(line);
    if (index < rows) {
      *at = {line, index};
      return true;
    }
    index -= rows;
  }
  return false;
}

size_t LogView::RowsBelowTop(RowPos at, size_t limit) {
  if (at < top_) return limit;
  RowPos walk = top_;
  for (size_t i = 0; i < limit; ++i) {
    if (walk == at) return i;
    if (!NextRow(walk)) break;
  }
  return limit;
}

void LogView::Settle() {
  if (top_.line >= text_.LineCount()) top_ = {text_.LineCount() - 1, 0};
  top_.row = std::min(top_.row, RowCount(top_.line) - 1);
  if (followCaret_) {
    followCaret_ = false;
    EnsureVisible(caret_);
  }
  RowPos highest = MaxTop();
  if (highest < top_) top_ = highest;
}

void LogView::ScrollBy(long rows) {
  Settle();
  for (; rows < 0 && PreviousRow(top_); ++rows) {
  }
  RowPos highest = MaxTop();
  for (; rows > 0 && top_ < highest && NextRow(top_); --rows) {
  }
  Refresh(true);
}

void LogView::EnsureVisible(size_t position) {
  RowPos at = RowOfPosition(position);
  if (at < top_) {
    top_ = at;
    return;
  }
  size_t visible = VisibleRows();
  if (RowsBelowTop(at, visible) < visible) return;
  top_ = at;
  for (size_t i = 1; i < visible && PreviousRow(top_); ++i) {
  }
}

// --- screen

void LogView::Refresh(bool now) {
  if (!now) {
    // Text that keeps arriving is shown a few dozen times a second, not once for every change.
    if (!refreshArmed_) refreshArmed_ = SetTimer(window_, kRefreshTimer, kRefreshMs, nullptr) != 0;
    if (refreshArmed_) return;
  }
  Settle();
  InvalidateRect(window_, nullptr, FALSE);
  PlaceCaret();
}

bool LogView::ShowsSelection() const {
  return focused_ || (GetWindowLongA(window_, GWL_STYLE) & ES_NOHIDESEL);
}

int LogView::XOf(const Row& row, size_t position) const {
  if (position <= row.start) return kMargin;
  WideRow wide = Widen(text_.Text(), row.start, std::min(position, row.end));
  SIZE size{};
  GetTextExtentPoint32W(measure_, wide.chars.c_str(), static_cast<int>(wide.chars.size()), &size);
  return kMargin + size.cx;
}

void LogView::PaintRow(HDC dc, const Row& row, int y, COLORREF text, COLORREF back) const {
  size_t selFrom = std::clamp(SelectionStart(), row.start, row.end);
  size_t selTo = std::clamp(SelectionEnd(), row.start, row.end);
  if (!ShowsSelection()) selFrom = selTo = row.start;
  size_t bounds[4] = {row.start, selFrom, selTo, row.end};
  int x = kMargin;
  for (int part = 0; part < 3; ++part) {
    if (bounds[part] >= bounds[part + 1]) continue;
    WideRow wide = Widen(text_.Text(), bounds[part], bounds[part + 1]);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.chars.c_str(), static_cast<int>(wide.chars.size()), &size);
    bool selected = part == 1;
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : back);
    SetBkMode(dc, selected ? OPAQUE : TRANSPARENT);
    ExtTextOutW(dc, x, y, 0, nullptr, wide.chars.c_str(), static_cast<UINT>(wide.chars.size()), nullptr);
    x += size.cx;
  }
}

void LogView::Paint() {
  Settle();
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(window_, &ps);
  RECT client{};
  GetClientRect(window_, &client);
  // Drawn off screen and put up at once, so a box repainted many times a second never flickers.
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(window_), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window_)));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_WINDOW));
  COLORREF text = IsWindowEnabled(window_) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  COLORREF back = GetBkColor(dc);
  HGDIOBJ oldFont = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FONT));
  RowPos at = top_;
  std::vector<Row> rows = RowsOf(at.line);
  // Only whole rows are shown, as many as VisibleRows counts.
  for (int y = 0; y == 0 || y + lineHeight_ <= client.bottom; y += lineHeight_) {
    PaintRow(dc, rows[at.row], y, text, back);
    size_t line = at.line;
    if (!NextRow(at)) break;
    if (at.line != line) rows = RowsOf(at.line);
  }
  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(window_, &ps);
}

void LogView::PlaceCaret() {
  if (!focused_) return;
  RowPos at = RowOfPosition(caret_);
  size_t visible = VisibleRows();
  size_t below = RowsBelowTop(at, visible + 1);
  if (below > visible) {
    SetCaretPos(-100, -100);
    return;
  }
  std::vector<Row> rows = RowsOf(at.line);
  SetCaretPos(XOf(rows[at.row], caret_), static_cast<int>(below) * lineHeight_);
}

size_t LogView::PositionInRow(RowPos at, int x) {
  std::vector<Row> rows = RowsOf(at.line);
  const Row& row = rows[at.row];
  WideRow wide = Widen(text_.Text(), row.start, row.end);
  size_t n = wide.chars.size();
  std::vector<int> extents(n + 1, 0);
  int fit = 0;
  SIZE size{};
  if (n > 0) {
    GetTextExtentExPointW(measure_, wide.chars.c_str(), static_cast<int>(n), INT_MAX, &fit, extents.data(), &size);
  }
  size_t i = 0;
  for (int left = 0; i < n; left = extents[i], ++i)
    if (kMargin + (left + extents[i]) / 2 > x) break;
  // A wrapped row's end is the next row's start: a click past it stays on this row.
  if (i == n && at.row + 1 < rows.size() && n > 0) --i;
  return row.start + wide.offsets[i];
}

size_t LogView::PositionAt(int x, int y) {
  Settle();
  RowPos at = top_;
  for (int rows = std::max(0, y) / lineHeight_; rows > 0 && NextRow(at); --rows) {
  }
  return PositionInRow(at, x);
}

void LogView::MoveCaret(size_t position, bool extend) {
  caret_ = text_.Boundary(position);
  if (!extend) anchor_ = caret_;
  Settle();
  EnsureVisible(caret_);
  Refresh(true);
}

size_t LogView::RowMove(long rows) {
  Settle();
  RowPos at = RowOfPosition(caret_);
  int x = XOf(RowsOf(at.line)[at.row], caret_);
  for (; rows < 0 && PreviousRow(at); ++rows) {
  }
  for (; rows > 0 && NextRow(at); --rows) {
  }
  return PositionInRow(at, x);
}

void LogView::SelectWordAt(size_t position) {
  const std::string& s = text_.Text();
  size_t line = text_.LineOf(position);
  size_t from = text_.Boundary(position), to = from, lineStart = text_.LineStart(line), lineEnd = text_.LineEnd(line);
  auto blank = [&](size_t at) { return s[at] == ' ' || s[at] == '\t'; };
  while (from > lineStart) {
    size_t before = text_.Previous(from);
    if (blank(before)) break;
    from = before;
  }
  while (to < lineEnd && !blank(to)) to = text_.Next(to);
  Select(from, to);
  Refresh(true);
}

void LogView::KeyDown(WPARAM key) {
  bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_LEFT: MoveCaret(text_.Previous(caret_), shift); break;
    case VK_RIGHT: MoveCaret(text_.Next(caret_), shift); break;
    case VK_UP: MoveCaret(RowMove(-1), shift); break;
    case VK_DOWN: MoveCaret(RowMove(1), shift); break;
    case VK_PRIOR: MoveCaret(RowMove(-static_cast<long>(VisibleRows())), shift); break;
    case VK_NEXT: MoveCaret(RowMove(static_cast<long>(VisibleRows())), shift); break;
    case VK_HOME:
      if (control) {
        MoveCaret(0, shift);
      } else {
        RowPos at = RowOfPosition(caret_);
        MoveCaret(RowsOf(at.line)[at.row].start, shift);
      }
      break;
    case VK_END:
      if (control) {
        MoveCaret(text_.Size(), shift);
      } else {
        RowPos at = RowOfPosition(caret_);
        std::vector<Row> rows = RowsOf(at.line);
        size_t end = rows[at.row].end;
        MoveCaret(at.row + 1 < rows.size() ? text_.Previous(end) : end, shift);
      }
      break;
    case 'A':
      if (control) {
        Select(0, text_.Size());
        Refresh(true);
      }
      break;
    case 'C':
    case VK_INSERT:
      if (control) Copy();
      break;
    default: break;
  }
}

void LogView::ContextMenu(LPARAM lp) {
  if (GetFocus() != window_) SetFocus(window_);
  POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (lp == -1) {  // from the keyboard: at the caret
    GetCaretPos(&at);
    ClientToScreen(window_, &at);
  }
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuA(menu, MF_STRING | (SelectionStart() == SelectionEnd() ? MF_GRAYED : 0), kCopyCommand, "复制(&C)");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | (text_.Size() == 0 ? MF_GRAYED : 0), kSelectAllCommand, "全选(&A)");
  UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
  DestroyMenu(menu);
  if (chosen == kCopyCommand) Copy();
  if (chosen == kSelectAllCommand) {
    Select(0, text_.Size());
    Refresh(true);
  }
}

LRESULT LogView::Handle(UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_SETTEXT: SetText(reinterpret_cast<const char*>(lp), true); return TRUE;
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(text_.Size());
    case WM_GETTEXT: {
      auto buffer = reinterpret_cast<char*>(lp);
      if (!buffer || wp == 0) return 0;
      size_t n = std::min<size_t>(wp - 1, text_.Size());
      if (n < text_.Size()) n = text_.Boundary(n);
      std::memcpy(buffer, text_.Text().data(), n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case EM_GETSEL: {
      auto start = static_cast<DWORD>(SelectionStart()), end = static_cast<DWORD>(SelectionEnd());
      if (wp) *reinterpret_cast<DWORD*>(wp) = start;
      if (lp) *reinterpret_cast<DWORD*>(lp) = end;
      return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL: {
      auto start = static_cast<long>(static_cast<int>(wp)), end = static_cast<long>(static_cast<int>(lp));
      size_t size = text_.Size();
      if (start < 0) {
        Select(caret_, caret_);  // -1 drops the selection
      } else {
        size_t from = std::min<size_t>(static_cast<size_t>(start), size);
        size_t to = end < 0 ? size : std::min<size_t>(static_cast<size_t>(end), size);
        Select(from, to);
      }
      // A program selects the end before every append: shown with the next refresh.
      Refresh(false);
      return 0;
    }
    case EM_SCROLLCARET:
      followCaret_ = true;
      Refresh(false);
      return TRUE;
    case EM_REPLACESEL: ReplaceSelection(reinterpret_cast<const char*>(lp)); return 0;
    case EM_LIMITTEXT:
      limit_ = wp ? static_cast<size_t>(wp) : static_cast<size_t>(UINT_MAX);
      return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(limit_);
    case EM_GETLINECOUNT: {
      size_t rows = 0;
      for (size_t line = 0; line < text_.LineCount(); ++line) rows += RowCount(line);
      return static_cast<LRESULT>(rows);
    }
    case EM_LINEINDEX: {
      RowPos at{};
      if (static_cast<int>(wp) < 0) at = RowOfPosition(caret_);
      else if (!RowAtIndex(wp, &at)) return -1;
      return static_cast<LRESULT>(RowsOf(at.line)[at.row].start);
    }
    case EM_LINEFROMCHAR:
      return static_cast<LRESULT>(RowIndex(RowOfPosition(static_cast<int>(wp) < 0 ? caret_ : wp)));
    case EM_LINELENGTH: {
      RowPos at = RowOfPosition(static_cast<int>(wp) < 0 ? caret_ : wp);
      Row row = RowsOf(at.line)[at.row];
      return static_cast<LRESULT>(LogText::CharCount(text_.Text(), row.start, row.end));
    }
    case EM_GETLINE: {
      RowPos at{};
      auto buffer = reinterpret_cast<char*>(lp);
      if (!buffer || !RowAtIndex(wp, &at)) return 0;
      Row row = RowsOf(at.line)[at.row];
      WORD room = 0;
      std::memcpy(&room, buffer, sizeof room);
      size_t n = std::min<size_t>(room, row.end - row.start);
      std::memcpy(buffer, text_.Text().data() + row.start, n);
      if (n < room) buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case EM_GETFIRSTVISIBLELINE: Settle(); return static_cast<LRESULT>(RowIndex(top_));
    case EM_POSFROMCHAR: {
      // Where a character's cell starts, in client coordinates; rows above the top are above 0.
      if (wp > text_.Size()) return -1;
      Settle();
      size_t position = text_.Boundary(wp);
      RowPos at = RowOfPosition(position);
      long y = (static_cast<long>(RowIndex(at)) - static_cast<long>(RowIndex(top_))) * lineHeight_;
      int x = XOf(RowsOf(at.line)[at.row], position);
      return MAKELRESULT(static_cast<WORD>(x), static_cast<WORD>(static_cast<short>(y)));
    }
    case EM_CHARFROMPOS: {
      size_t position = PositionAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      size_t row = RowIndex(RowOfPosition(position));
      return MAKELRESULT(static_cast<WORD>(std::min<size_t>(position, 0xFFFF)),
                         static_cast<WORD>(std::min<size_t>(row, 0xFFFF)));
    }
    case EM_LINESCROLL: ScrollBy(static_cast<long>(lp)); return TRUE;
    case EM_GETMODIFY: return modified_;
    case EM_SETMODIFY: modified_ = wp != 0; return 0;
    case EM_SETREADONLY: return TRUE;  // this box is read-only whatever it is told
    case EM_CANUNDO:
    case EM_UNDO: return FALSE;
    case EM_EMPTYUNDOBUFFER: return 0;
    case WM_COPY: Copy(); return 0;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO: return 0;
    case WM_SETFONT:
      SetFontOf(reinterpret_cast<HFONT>(wp));
      if (focused_) {
        CreateCaret(window_, nullptr, 1, lineHeight_);
        ShowCaret(window_);
      }
      if (LOWORD(lp)) Refresh(true);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE: Refresh(true); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_ENABLE: Refresh(true); return 0;
    case WM_TIMER:
      if (wp == kRefreshTimer) {
        KillTimer(window_, kRefreshTimer);
        refreshArmed_ = false;
        Refresh(true);
      } else if (wp == kDragTimer) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(window_, &cursor);
        RECT client{};
        GetClientRect(window_, &client);
        if (!dragging_ || (cursor.y >= 0 && cursor.y < client.bottom)) {
          KillTimer(window_, kDragTimer);
        } else {
          ScrollBy(cursor.y < 0 ? -1 : 1);
          MoveCaret(PositionAt(cursor.x, cursor.y < 0 ? 0 : client.bottom - 1), true);
        }
      }
      return 0;
    case WM_SETFOCUS:
      focused_ = true;
      CreateCaret(window_, nullptr, 1, lineHeight_);
      PlaceCaret();
      ShowCaret(window_);
      Refresh(true);
      Notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      DestroyCaret();
      Refresh(true);
      Notify(EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_KEYDOWN: KeyDown(wp); return 0;
    case WM_CHAR: return 0;  // nothing is typed into a read-only box
    case WM_LBUTTONDOWN: {
      if (GetFocus() != window_) SetFocus(window_);
      size_t position = PositionAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      MoveCaret(position, (wp & MK_SHIFT) != 0);
      dragging_ = true;
      SetCapture(window_);
      return 0;
    }
    case WM_LBUTTONDBLCLK: SelectWordAt(PositionAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))); return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        RECT client{};
        GetClientRect(window_, &client);
        int y = GET_Y_LPARAM(lp);
        if (y < 0 || y >= client.bottom) SetTimer(window_, kDragTimer, kDragMs, nullptr);
        MoveCaret(PositionAt(GET_X_LPARAM(lp), std::clamp<int>(y, 0, std::max<int>(0, client.bottom - 1))), true);
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      KillTimer(window_, kDragTimer);
      return 0;
    case WM_MOUSEWHEEL: {
      wheel_ += GET_WHEEL_DELTA_WPARAM(wp);
      UINT perNotch = 3;
      SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
      long notches = wheel_ / WHEEL_DELTA;
      wheel_ %= WHEEL_DELTA;
      long rows = perNotch == WHEEL_PAGESCROLL ? static_cast<long>(VisibleRows()) : static_cast<long>(perNotch);
      if (notches) ScrollBy(-notches * rows);
      return 0;
    }
    case WM_CONTEXTMENU: ContextMenu(lp); return 0;
    default: return DefWindowProcA(window_, message, wp, lp);
  }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  auto view = reinterpret_cast<LogView*>(GetWindowLongPtrA(window, 0));
  switch (message) {
    case WM_NCCREATE: {
      view = new LogView(window);
      SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(view));
      // The creation text is the view's; the frame keeps none of its own.
      CREATESTRUCTA create = *reinterpret_cast<const CREATESTRUCTA*>(lp);
      view->Start(create.lpszName);
      create.lpszName = nullptr;
      return DefWindowProcA(window, message, wp, reinterpret_cast<LPARAM>(&create));
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, 0, 0);
      delete view;
      return DefWindowProcA(window, message, wp, lp);
    default: return view ? view->Handle(message, wp, lp) : DefWindowProcA(window, message, wp, lp);
  }
}

}  // namespace

const char* LogViewClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.cbWndExtra = sizeof(LogView*);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  (void)registered;
  return kClassName;
}

}  // namespace forms
