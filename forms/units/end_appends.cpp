#include "forms/units/end_appends.h"

#include <cstdint>
#include <cstring>

#include "runtime/abi/unit_interface.h"

namespace forms {

bool EndAppends::Take(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (message) {
    case WM_GETTEXTLENGTH:
      if (knownLength_ < 0) {
        HandOver();
        knownLength_ = box_.CallControl(WM_GETTEXTLENGTH, 0, 0);
      }
      *result = knownLength_ + static_cast<LRESULT>(pending_.size());
      return true;
    case EM_SETSEL: {
      // Only an empty selection at (or past) the end, whose position is known without
      // asking the control.
      auto start = static_cast<LRESULT>(static_cast<int>(wp));
      if (knownLength_ < 0 || wp != static_cast<WPARAM>(lp) || start < knownLength_ + static_cast<LRESULT>(pending_.size()))
        return false;
      selectPending_ = atEnd_ = true;
      endPosition_ = wp;
      ArmTimer();
      *result = 0;
      return true;
    }
    case EM_SCROLLCARET:
      if (!atEnd_) return false;
      scrollAsked_ = true;
      ArmTimer();
      *result = TRUE;
      return true;
    case EM_REPLACESEL: {
      auto text = reinterpret_cast<const char*>(lp);
      if (!atEnd_ || knownLength_ < 0 || wp != FALSE || !text || !*text) return false;
      // Gathered only while the limit cannot cut it: a byte is never fewer characters.
      uint64_t after = static_cast<uint64_t>(knownLength_) + pending_.size() + std::strlen(text);
      if (after > static_cast<DWORD>(box_.CallControl(EM_GETLIMITTEXT, 0, 0))) return false;
      pending_ += text;
      ArmTimer();
      *result = 0;
      box_.Appended();
      return true;
    }
    case WM_TIMER:
      if (wp != kTimer) return false;
      HandOverPiece();
      *result = 0;
      return true;
    case kNextPieceMessage:
      piecePosted_ = false;
      HandOverPiece();
      *result = 0;
      return true;
    default: return false;
  }
}

void EndAppends::ArmTimer() {
  if (!timerArmed_) timerArmed_ = SetTimer(box_.BoxWindow(), kTimer, kDelayMs, nullptr) != 0;
}

void EndAppends::HandOver() {
  if (timerArmed_) KillTimer(box_.BoxWindow(), kTimer);
  timerArmed_ = false;
  if (!selectPending_ && !scrollAsked_ && pending_.empty()) return;
  std::string text;
  text.swap(pending_);
  bool select = selectPending_, scroll = scrollAsked_;
  selectPending_ = scrollAsked_ = false;
  handingOver_ = true;
  if (select) box_.CallControl(EM_SETSEL, endPosition_, static_cast<LPARAM>(endPosition_));
  if (scroll) box_.CallControl(EM_SCROLLCARET, 0, 0);
  if (!text.empty()) {
    box_.CallControl(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    knownLength_ += static_cast<LRESULT>(text.size());
  }
  handingOver_ = false;
  // The caret stays at the end, where the next append goes.
}

namespace {
// Where the first piece of the text ends: after the last line end within the piece's size, or
// after the first line end when a single line is longer; the whole text when it is short or
// ends no line. (A line end is never a double-byte character's second byte.)
size_t PieceEnd(const std::string& text, size_t pieceBytes) {
  if (text.size() <= pieceBytes) return text.size();
  size_t lineEnd = text.rfind("\r\n", pieceBytes - 2);
  if (lineEnd == std::string::npos) lineEnd = text.find("\r\n", pieceBytes);
  return lineEnd == std::string::npos ? text.size() : lineEnd + 2;
}
}  // namespace

void EndAppends::HandOverPiece() {
  size_t end = PieceEnd(pending_, kPieceBytes);
  std::string rest = pending_.substr(end);
  pending_.resize(end);
  HandOver();
  if (rest.empty()) return;
  pending_.insert(0, rest);  // ahead of anything appended while the piece went in
  if (piecePosted_) return;
  piecePosted_ = PostMessageA(box_.BoxWindow(), kNextPieceMessage, 0, 0) != FALSE;
  if (!piecePosted_) ArmTimer();
}

bool EndAppends::ShowsNoText(UINT message) {
  switch (message) {
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_GETFONT:
    case WM_GETDLGCODE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
    case WM_NCCALCSIZE:
    case WM_GETOBJECT:
    case WM_GETICON:
    case WM_TIMER:
    case kReflectBase + WM_CTLCOLOREDIT:
    case kReflectBase + WM_CTLCOLORSTATIC:
      return true;
    default: return false;
  }
}

bool EndAppends::LeavesTextAlone(UINT message) {
  if (ShowsNoText(message)) return true;
  switch (message) {
    case WM_PAINT:
    case WM_GETTEXT:
    case WM_SIZE:
    case WM_SHOWWINDOW:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETFONT:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_SCROLLCARET:
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINEFROMCHAR:
    case EM_LINELENGTH:
    case EM_GETLINE:
    case EM_GETFIRSTVISIBLELINE:
    case EM_POSFROMCHAR:
    case EM_CHARFROMPOS:
    case EM_GETLIMITTEXT:
    case EM_GETMODIFY:
    case EM_GETRECT:
    case EM_LINESCROLL:
      return true;
    default: return false;
  }
}

void EndAppends::Before(UINT message) {
  if (handingOver_) return;
  // A paint shows what the control holds; the gathered appends follow in their pieces. Handing
  // a quarter second's lines over first made a paint hold the window's thread for up to 80 ms.
  if (message == WM_PAINT) return;
  if (!LeavesTextAlone(message)) {
    HandOver();
    knownLength_ = -1;  // it may change the text
    atEnd_ = false;     // or move the selection
  } else if (!ShowsNoText(message)) {
    HandOver();
    if (message == EM_SETSEL) atEnd_ = false;  // one that was not gathered
  }
}

}  // namespace forms
