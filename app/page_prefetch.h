// A scan's helper that fetches a page ahead while the worker reads the current ID's page and
// writes its row, log line and progress, so all of that overlaps the network's wait. One page is
// asked of a helper at a time; a scan keeps one helper for each page it fetches ahead.
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
  // Waits for the page last asked for (see FetchPage); the caller owns it.
  CmdArg Take();
  // The worker is done with the helper: any fetch in flight finishes in the background, unread,
  // and the helper ends by itself. The worker never waits for it.
  void Abandon();

 private:
  PagePrefetch() = default;
  ~PagePrefetch();
  static DWORD WINAPI HelperMain(LPVOID self);
  void LetGo();

  CRITICAL_SECTION lock_;       // guards what follows, up to holders_
  CONDITION_VARIABLE asked_;    // woken by the worker: an ID, or the end, waits for the helper
  CONDITION_VARIABLE fetched_;  // woken by the helper: the asked page is read
  bool hasId_ = false;
  bool hasPage_ = false;
  bool ended_ = false;
  int32_t id_ = 0;
  CmdArg page_{0, 0, 0};  // fetched and not yet taken; released with the object if never taken
  volatile LONG holders_ = 2;
};

}  // namespace app
