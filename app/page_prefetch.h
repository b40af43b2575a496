// The scan's helper that fetches the page of the next ID while the worker writes the current
// ID's row, log line and progress, so the window's work overlaps the network's.
#pragma once
#include <cstdint>

#include "app/scan_one_id.h"

namespace app {

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

  struct Shared;
 private:
  explicit PagePrefetch(Shared* shared) : shared_(shared) {}
  Shared* shared_;
};

}  // namespace app
