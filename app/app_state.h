// The application's process-wide state, shared by the main window's commands and the scans.
#pragma once
#include <cstdint>
#include <string>

namespace app {

struct AppState {
  uint32_t scanLock = 0;        // the one critical section of the application
  int32_t startId = 0;          // the last accepted range
  int32_t endId = 0;
  volatile int32_t idCount = 0;  // read by running workers for progress and summary
  uint32_t* workerHandles = nullptr;  // ArrayBlock {1, 100, handles...}
  int32_t nextWorkerSlot = 0;   // 1-based slot the next worker's handle goes into
  std::string siteHost;         // from --site-host; empty: the bundled demo site
};

AppState& State();

// Allocates the 100 zeroed worker handle slots; the exit callback frees them.
void SetUpWorkerHandles();
void __cdecl FreeWorkerHandles();
// Address of slot n (1-based); an index outside 1 ... 100 is the compiled code's array error.
uint32_t* WorkerSlot(int32_t n);

}  // namespace app
