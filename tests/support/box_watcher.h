// Answers the message boxes of this process from a watcher thread, recording what they showed.
#pragma once
#include <windows.h>

#include <string>

namespace testbox {

struct Seen {
  std::string caption;
  std::string text;
  LONG style = 0;    // window style of the box
  bool found = false;
};

// Starts watching; the first enabled dialog-class window of this process that appears is
// answered with the command (IDOK, IDCANCEL, ...) or, with useEscape, by the Esc key.
class Watcher {
 public:
  Watcher(int command, bool useEscape = false, DWORD timeoutMs = 10000);
  ~Watcher();  // waits for the watcher thread
  Seen Result();

 private:
  static DWORD WINAPI Run(LPVOID self);
  int command_;
  bool escape_;
  DWORD timeout_;
  Seen seen_;
  HANDLE thread_ = nullptr;
};

}  // namespace testbox
