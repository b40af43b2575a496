// Appends at the end of an edit control, gathered and handed over together.
//
// A log grows by appends at its end, several a second from a scan's thread: the end selected,
// the caret scrolled into view, the empty selection replaced. The platform's edit control works
// over its whole text for each of those messages, so every append to a long log cost more than
// the one before. Appends at the end are therefore gathered and given to the control in one
// replace a quarter of a second later, and at once before any other message that reads or
// changes the text, so nothing ever reads the control without them (a paint may show the control
// a quarter second behind, as between hand-overs). Each gathered append raises the change event
// as the control would have. The length the next append asks for is answered here, because the
// control counts its text for it.
//
// The control lays out every new line as it takes it, a tenth of a millisecond or more a line, so
// a quarter second of a fast scan's lines would hold the window's thread for tens of
// milliseconds. The timer's hand-over therefore goes in pieces of a few dozen lines, each in a
// message of its own, and the window answers other messages between them.
#pragma once
#include <windows.h>

#include <string>

namespace forms {

class EndAppends {
 public:
  // What the gathering needs of its edit box.
  class Box {
   public:
    virtual HWND BoxWindow() const = 0;
    // The control's own procedure.
    virtual LRESULT CallControl(UINT message, WPARAM wp, LPARAM lp) = 0;
    // An append was gathered: the box raises its change event as the control would have.
    virtual void Appended() = 0;

   protected:
    ~Box() = default;
  };

  explicit EndAppends(Box& box) : box_(box) {}
  EndAppends(const EndAppends&) = delete;
  EndAppends& operator=(const EndAppends&) = delete;

  // Answers a message of an append at the end (and the hand-over timer) itself: true, with
  // *result set. Anything else is left to the control.
  bool Take(UINT message, WPARAM wp, LPARAM lp, LRESULT* result);
  // Before the control gets any other message: the gathered appends go in first where the
  // message reads or shows the text, and what the gathering knew is forgotten where it may
  // change the text or the selection.
  void Before(UINT message);
  // While a hand-over goes in: what the control sends meanwhile (its change notices) is the
  // hand-over's own.
  bool HandingOver() const { return handingOver_; }

 private:
  void ArmTimer();
  void HandOver();
  // The first piece of what is gathered, ending at a line's end; the rest follows by a message.
  void HandOverPiece();
  // Messages that neither read nor show the text: gathered appends may wait past them.
  static bool ShowsNoText(UINT message);
  // Messages that keep the text as it is (its length stays known); those that read or show it
  // still see the gathered appends first.
  static bool LeavesTextAlone(UINT message);

  static constexpr UINT_PTR kTimer = 0x4541;
  static constexpr UINT kDelayMs = 250;
  static constexpr size_t kPieceBytes = 2048;
  static constexpr UINT kNextPieceMessage = WM_APP + 0x541;

  Box& box_;
  std::string pending_;         // appended at the end, not yet given to the control
  LRESULT knownLength_ = -1;    // the control's own text length in bytes; -1 unknown
  bool atEnd_ = false;          // the selection, made or waiting, is the empty range at the end
  bool selectPending_ = false;  // that selection waits to be made
  WPARAM endPosition_ = 0;
  bool scrollAsked_ = false;
  bool timerArmed_ = false;
  bool handingOver_ = false;
  bool piecePosted_ = false;
};

}  // namespace forms
