// The scan of a range of IDs on a worker thread of its own, and the commands that stop, pause
// and resume it.
#pragma once
#include <windows.h>

#include <cstdint>

namespace app {

// One accepted scan. The worker holds writeGate while it writes one ID's results (row, log
// line, progress, label); stop takes the gate to mark the scan, so a stopped scan writes nothing
// after the stop command returns and its last row is complete or absent.
struct ScanRun {
  CRITICAL_SECTION writeGate;
  volatile LONG stopped;
  volatile LONG finished;
  uint32_t handle;  // the worker's thread handle, which the worker closes itself
  int32_t startId;
};

DWORD WINAPI ScanWorker(LPVOID run);
// Sets up the pause gate once; the scan commands call it on the window's thread.
void SetUpScanControl();

}  // namespace app
