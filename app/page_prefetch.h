// The scan's helper that fetches the page of the next ID while the worker writes the current
// ID's row, log line and progress, so the window's work overlaps the network's.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/scan_one_id.h"

namespace app {

// Lives until both the worker (Abandon) and the helper thread have let go of it.
class PagePrefetch {
 public:
  // Null when no helper thread could be started; the worker then fetches every page itself.
  static PagePrefetch* Start();
  // Starts fetching the page of this ID; only one fetch is asked for at a time.
  void Ask(int32_t id);
  // Waits for the page last asked for.
  IdResult Take();
  // The worker is done with the helper: any fetch in flight finishes in the background, unread,
  // and the helper ends by itself. The worker never waits for it.
  void Abandon();

 private:
  PagePrefetch() = default;
  ~PagePrefetch();
  static DWORD WINAPI HelperMain(LPVOID self);
  void LetGo();

  HANDLE ask_ = nullptr;    // set by the worker: an ID (or the end) waits for the helper
  HANDLE ready_ = nullptr;  // set by the helper: the asked page is read
  volatile LONG holders_ = 2;
  volatile LONG ended_ = 0;
  int32_t id_ = 0;
  IdResult result_;
};

}  // namespace app
