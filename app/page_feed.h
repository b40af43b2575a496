// A scan's helper that fetches the pages of the scan's IDs one after another, in the scan's
// order, a few pages ahead of the worker that reads them and writes their rows, log lines and
// progress. The site thus still gets one request at a time, in ID order, and the next request
// goes out as soon as the last answer is in, while the worker's writes overlap the fetching.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/abi/values.h"

namespace app {

// Lives until both the worker (Abandon) and the helper thread have let go of it.
class PageFeed {
 public:
  // Pages fetched and not yet taken, at most: enough to ride out the window's thread being busy
  // for a few tens of milliseconds (as when the list redraws) without the site waiting, and
  // what a held scan has asked for beyond the last ID it showed.
  static constexpr int32_t kDepth = 16;
  // Once the pages waiting hold this many bytes, no further page is fetched until the worker
  // takes one: a site's huge pages must not pile up in the program's memory.
  static constexpr uint32_t kMostBytesWaiting = 4u << 20;

  // Fetches the pages of the IDs idAt(1) … idAt(count), where idAt(i) is startId + i. While
  // *held is non-zero (a pause is asked for) it starts no further fetch, unless the worker
  // waits for a page. Null when no helper thread could be started; the worker then fetches
  // every page itself.
  static PageFeed* Start(int32_t startId, int32_t count, const volatile LONG* held);
  // Waits for the next page in turn (see FetchPage); the caller owns it. Once *stopped is
  // non-zero it waits no longer and gives an empty value: a stopped scan does not wait for a
  // page the site is slow to send.
  CmdArg Take(const volatile LONG* stopped);
  // The worker is done with the feed: a fetch in flight finishes in the background, unread, no
  // further one starts, and the helper ends by itself. The worker never waits for it.
  void Abandon();

 private:
  PageFeed() = default;
  ~PageFeed();
  static DWORD WINAPI HelperMain(LPVOID self);
  void Feed();
  bool MayFetch() const;  // under lock_
  void LetGo();

  int32_t startId_ = 0;
  int32_t count_ = 0;
  const volatile LONG* held_ = nullptr;
  CRITICAL_SECTION lock_;     // guards what follows, up to holders_
  CONDITION_VARIABLE room_;   // woken by the worker: a page was taken, or it waits, or the end
  CONDITION_VARIABLE ready_;  // woken by the helper: a page is in
  CmdArg pages_[kDepth] = {};  // a ring of the pages fetched and not yet taken
  int32_t first_ = 0;          // the ring's oldest page
  int32_t queued_ = 0;
  uint32_t queuedBytes_ = 0;
  bool waiting_ = false;  // the worker waits for a page
  bool ended_ = false;
  volatile LONG holders_ = 2;
};

}  // namespace app
