#include <winsock2.h>

#include "tests/blackbox/driver/driver.h"
#include "tools/loopback_http/http_server.h"

#include <commctrl.h>

namespace driver {

Program::Program(const std::string& exePath, const std::string& arguments) {
  std::string commandLine = "\"" + exePath + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::string folder = exePath.substr(0, exePath.find_last_of("\\/"));
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(0);
  if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
  }
}

Program::~Program() {
  if (!process_) return;
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool Program::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

DWORD Program::WaitForExit(DWORD timeoutMs) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

namespace {
struct EnumState {
  DWORD pid;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lp) {
  auto state = reinterpret_cast<EnumState*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == state->pid && IsWindowVisible(hwnd)) state->found.push_back(hwnd);
  return TRUE;
}
BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> Program::TopLevelWindows() const {
  EnumState state{pid_, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND Program::WaitForMessageBox(DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  do {
    for (HWND w : TopLevelWindows())
      if (ClassName(w) == "#32770" && IsWindowEnabled(w)) return w;
    if (!Running()) return nullptr;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

namespace {
// The file-name box of a file dialog: the Edit with id 0x47C inside its ComboBoxEx32.
HWND FileNameBox(HWND dialog) {
  for (HWND w : Descendants(dialog))
    if (GetDlgCtrlID(w) == 0x47C && ClassName(w) == "Edit") return w;
  return nullptr;
}
}  // namespace

HWND Program::WaitForFileDialog(DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  do {
    for (HWND w : TopLevelWindows())
      if (ClassName(w) == "#32770" && IsWindowEnabled(w) && FileNameBox(w)) return w;
    if (!Running()) return nullptr;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&all));
  return all;
}

void AnswerFileDialog(HWND dialog, const std::string& path) {
  SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::string WindowText(HWND window) {
  // A log outgrows any fixed buffer; the length asked first leaves room for all of it (and a
  // little more, should a line arrive between the two messages).
  LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string buffer(static_cast<size_t>(length > 0 ? length : 0) + 4096, '\0');
  LRESULT n = SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]));
  buffer.resize(static_cast<size_t>(n > 0 ? n : 0));
  return buffer;
}

std::string ClassName(HWND window) {
  char buffer[256];
  int n = GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(n > 0 ? n : 0));
}

std::string MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? WindowText(text) : std::string();
}

std::vector<std::string> MessageBoxButtons(HWND box) {
  std::vector<HWND> children;
  EnumChildWindows(box, CollectChildren, reinterpret_cast<LPARAM>(&children));
  std::vector<std::string> buttons;
  for (HWND c : children)
    if (ClassName(c) == "Button" && IsWindowVisible(c)) buttons.push_back(WindowText(c));
  return buttons;
}

void Answer(HWND box, int command) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0); }

std::string ShippedExe() { return REELSCOUT_EXE; }
std::string DemoSiteExe() { return REELSCOUT_DEMOSITE; }

int FreeLoopbackPort() { return loopback::FreePort(); }

std::string ListViewCellText(HWND list, DWORD pid, int row, int column) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return "";
  const SIZE_T kText = 1024;
  auto remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
  std::string text;
  if (remote) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(kText);
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    std::vector<char> buffer(kText, 0);
    ReadProcessMemory(process, remote + sizeof(LVITEMA), buffer.data(), kText, nullptr);
    text.assign(buffer.data(), static_cast<size_t>(n > 0 ? n : 0));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

namespace {
// Runs `send` with a block of `size` bytes in the other process, first filled from `in` and
// afterwards read back into `out` (either may be null).
template <typename Send>
bool WithRemoteBlock(DWORD pid, const void* in, void* out, SIZE_T size, Send send) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  bool ok = false;
  if (remote) {
    if (in) WriteProcessMemory(process, remote, in, size, nullptr);
    ok = send(remote);
    if (out) ReadProcessMemory(process, remote, out, size, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return ok;
}
}  // namespace

bool SelectListViewRow(HWND list, DWORD pid, int row) {
  LVITEMA none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  bool ok = WithRemoteBlock(pid, &none, nullptr, sizeof none, [&](void* remote) {
    return SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote)) != 0;
  });
  if (row < 0) return ok;
  LVITEMA one{};
  one.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  one.state = LVIS_SELECTED | LVIS_FOCUSED;
  return WithRemoteBlock(pid, &one, nullptr, sizeof one, [&](void* remote) {
    return SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)) != 0;
  });
}

RECT ListViewRowRect(HWND list, DWORD pid, int row) {
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  WithRemoteBlock(pid, &r, &r, sizeof r, [&](void* remote) {
    return SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)) != 0;
  });
  return r;
}

HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    HWND found = nullptr;
    for (HWND w = FindWindowA("#32768", nullptr); w; w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == pid && IsWindowVisible(w)) found = w;
    }
    if (found) return found;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace driver
