// Drives the shipped program from outside, as a user would: starts it, finds its windows and
// message boxes by class and caption, reads their texts, answers them, and waits for the end.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace driver {

class Program {
 public:
  // Starts the exe with the given command-line arguments in its own folder.
  Program(const std::string& exePath, const std::string& arguments = "");
  ~Program();  // ends the process if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  // Waits for the end; returns the exit code, or STILL_ACTIVE on time-out.
  DWORD WaitForExit(DWORD timeoutMs);
  bool Running() const;

  // The visible, enabled dialog-class window of the process (a message box), or null on time-out.
  HWND WaitForMessageBox(DWORD timeoutMs) const;
  // Top-level visible windows of the process.
  std::vector<HWND> TopLevelWindows() const;
  // The process's open or save file dialog (a dialog with a file-name box), or null on time-out.
  HWND WaitForFileDialog(DWORD timeoutMs) const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// A message box's own text (its static control with id 65535).
std::string MessageBoxText(HWND box);
// The texts of the box's buttons, in z-order.
std::vector<std::string> MessageBoxButtons(HWND box);
// Posts the answer (IDOK, IDCANCEL, ...) to a message box.
void Answer(HWND box, int command);

// Types the path into a file dialog's file-name box and confirms it.
void AnswerFileDialog(HWND dialog, const std::string& path);
// Every window below `parent`, children of children included.
std::vector<HWND> Descendants(HWND parent);

// Where the shipped exe and the bundled demo movie site are, from the build.
std::string ShippedExe();
std::string DemoSiteExe();
// A loopback port that nothing listens on right now.
int FreeLoopbackPort();
// A list view cell of another process, read through memory of that process.
std::string ListViewCellText(HWND list, DWORD pid, int row, int column);
// Selects and focuses one row of another process's list view, the others losing it; -1 clears
// every selection.
bool SelectListViewRow(HWND list, DWORD pid, int row);
// A row's rectangle in the list's client coordinates.
RECT ListViewRowRect(HWND list, DWORD pid, int row);
// The visible pop-up menu of the process, or null on time-out.
HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs);

}  // namespace driver
