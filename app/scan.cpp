// StartScan, the worker, and stop, pause and resume.
//
// Stop never terminates a thread: it marks every scan not yet finished — the running one and
// those still waiting for the scan lock — each under its own write gate. A waiting scan that
// finds itself marked once it has the lock leaves at once, without fetching anything.
// A worker checks the mark under the same gate before it writes an ID's results, so the window
// sees either the whole of an ID's results or none of them, and nothing after the stop. The
// window's thread waits for the gate only while the worker's in-flight writes — which the
// window's own thread carries out — complete; it never waits for a fetch. A stopped worker that
// is still fetching finishes the fetch, writes nothing, releases the scan lock and closes its
// own handle.
//
// Pause holds a running scan before its next ID through a gate the window's thread holds while
// paused; resume (or a stop) lets it go.
//
// A helper fetches the scan's pages one after another, a few ahead of the worker (none further
// once a pause is asked for); a stopped worker leaves a fetch in flight to finish unread and
// does not wait for it, so the next scan need not either.
#include "app/scan.h"

#include <string>
#include <vector>

#include "app/app_ids.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/handlers.h"
#include "app/page_feed.h"
#include "app/image/program_image.h"
#include "app/platform_calls.h"
#include "app/runtime_calls.h"
#include "app/scan_one_id.h"
#include "image_constants.h"

namespace app {
namespace {

CRITICAL_SECTION g_pauseGate;
bool g_paused = false;                 // only the window's thread reads and writes it
volatile LONG g_pauseAsked = 0;        // the same, for workers deciding whether to fetch ahead
std::vector<ScanRun*> g_runs;          // kept for the program's life; a run is a few words

std::string Take(CmdArg value) {
  std::string s = ArgText(value) ? ArgText(value) : "";
  Release(value);
  return s;
}
std::string IntegerText(int32_t v) { return Take(Call(mod::Core, cmd::ToText, {MakeInt(v)})); }

// Takes a lock on the window's thread, carrying out what other threads send meanwhile, so a
// worker that holds the lock while writing to the window can finish.
void EnterFromWindowThread(CRITICAL_SECTION* lock) {
  while (!TryEnterLock(lock)) HandleSentMessages();
}

std::string EditText(uint32_t window, uint32_t unit) { return ReadTextProperty(window, unit, 8); }

// What the bar was last set to. Only workers set it, inside the scan lock, so one at a time.
int32_t g_barShows = -1;

void ShowProgress(int32_t done) {
  int32_t total = State().idCount;
  double percent = static_cast<double>(done) / total * 100;
  CmdArg rounded = Call(mod::Core, cmd::RoundNumber, {MakeDouble(percent)});
  auto position = static_cast<int32_t>(ArgDouble(rounded));
  // Most IDs leave the rounded percentage as it was: writing it again would change nothing on
  // screen and still cost a trip to the window's thread.
  if (position != g_barShows) {
    WriteProperty(ids::kMainWindow, ids::kMainProgressBar, 13, static_cast<uint32_t>(position));
    g_barShows = position;
  }
  std::string label = IntegerText(done) + ConstText(image::kSlash) + IntegerText(total);
  WriteTextProperty(ids::kMainWindow, ids::kMainProgressLabel, 8, label.c_str());
}

void ShowSummary() {
  int32_t rows = static_cast<int32_t>(
      Call(mod::UiExt, cmd::ListViewRowCount, {UnitArg(ids::kMainWindow, ids::kMainList, tc::ListView)}).lo);
  std::string text = std::string(ConstText(image::kSummaryStart)) + IntegerText(State().idCount) +
                     ConstText(image::kSummaryMiddle) + IntegerText(rows) + ConstText(image::kSummaryEnd);
  Call(mod::Core, cmd::ShowMessageBox,
       {MakeText(text.c_str()), MakeInt(box::Ok), MakeText(ConstText(image::kSummaryTitle))});
}

}  // namespace

// Made on the window's thread the first time a scan starts or is paused, before any worker can use it.
void SetUpScanControl() {
  static bool ready = false;
  if (ready) return;
  InitLock(&g_pauseGate);
  ready = true;
}

DWORD WINAPI ScanWorker(LPVOID parameter) {
  auto run = static_cast<ScanRun*>(parameter);
  CmdArg scanLock = MakeInt(static_cast<int32_t>(State().scanLock));
  Call(mod::Thread, cmd::EnterSection, {scanLock});
  int32_t n = State().idCount;  // the loop bound is read once
  if (run->stopped) n = 0;  // stopped while it waited: it never starts
  PageFeed* feed = n > 1 ? PageFeed::Start(run->startId, n, &g_pauseAsked) : nullptr;
  for (int32_t i = 1; i <= n; ++i) {
    EnterLock(&g_pauseGate);  // held here while the scan is paused
    LeaveLock(&g_pauseGate);
    if (run->stopped) break;
    int32_t id = static_cast<int32_t>(static_cast<double>(run->startId) + i);
    CmdArg page = feed ? feed->Take(&run->stopped) : FetchPage(id);
    if (run->stopped) {
      Release(page);
      break;
    }
    IdResult result = ReadPage(id, page);
    EnterLock(&run->writeGate);
    if (run->stopped) {
      LeaveLock(&run->writeGate);
      break;
    }
    WriteIdResult(result);
    ShowProgress(i);
    LeaveLock(&run->writeGate);
  }
  if (feed) feed->Abandon();
  EnterLock(&run->writeGate);
  bool summary = !run->stopped;
  LeaveLock(&run->writeGate);
  if (summary) ShowSummary();
  InterlockedExchange(&run->finished, 1);
  Call(mod::Thread, cmd::LeaveSection, {scanLock});
  Call(mod::Thread, cmd::CloseThreadHandle, {MakeInt(static_cast<int32_t>(run->handle))});
  return 0;
}

HandlerResult __cdecl StartScan(const uint32_t*, uint32_t) {
  AppState& state = State();
  state.startId = static_cast<int32_t>(
      Call(mod::Core, cmd::ToInteger, {MakeText(EditText(ids::kRangeWindow, ids::kRangeStartBox).c_str())}).lo);
  state.endId = static_cast<int32_t>(
      Call(mod::Core, cmd::ToInteger, {MakeText(EditText(ids::kRangeWindow, ids::kRangeEndBox).c_str())}).lo);
  double product = static_cast<double>(state.startId) * state.endId;
  if (!((product > 1e-7 || product < -1e-7) && state.startId < state.endId)) {
    Call(mod::Core, cmd::ShowMessageBox, {MakeText(ConstText(image::kRangeRefused)), MakeInt(box::Ok)});
    return kNoValue;
  }
  state.idCount = static_cast<int32_t>(static_cast<double>(state.endId) - state.startId);
  SetUpScanControl();

  auto run = static_cast<ScanRun*>(Rt().allocBlock(sizeof(ScanRun)));
  InitLock(&run->writeGate);
  run->stopped = 0;
  run->finished = 0;
  run->handle = 0;
  run->startId = state.startId;
  g_runs.push_back(run);
  CmdArg started = Call(mod::Thread, cmd::StartThread,
                        {MakePtr(reinterpret_cast<void*>(&ScanWorker), tc::SubPtr), MakePtr(run, tc::Integer),
                         MakePtr(&run->handle, tc::Integer)});
  if (started.lo) {
    // Slots are reused in turn, so the 101st scan of a run has a slot too.
    *WorkerSlot((state.nextWorkerSlot - 1) % 100 + 1) = run->handle;
    state.nextWorkerSlot += 1;
  }
  Call(mod::Core, cmd::DestroyUnit, {WindowArg(ids::kRangeWindow, ids::kRangeOwnRecord)});
  return kNoValue;
}

HandlerResult __cdecl StopScan(const uint32_t*, uint32_t) {
  bool any = false;
  for (ScanRun* run : g_runs) {
    if (run->finished || run->stopped) continue;
    // Once the gate is ours the scan is between two IDs' writes, and it writes nothing more.
    EnterFromWindowThread(&run->writeGate);
    InterlockedExchange(&run->stopped, 1);
    LeaveLock(&run->writeGate);
    any = true;
  }
  // A held worker must get past the pause gate to see that it was stopped.
  if (any) ResumeScan(nullptr, 0);
  return kNoValue;
}

HandlerResult __cdecl PauseScan(const uint32_t*, uint32_t) {
  if (g_paused) return kNoValue;
  SetUpScanControl();
  InterlockedExchange(&g_pauseAsked, 1);
  EnterFromWindowThread(&g_pauseGate);
  g_paused = true;
  return kNoValue;
}

HandlerResult __cdecl ResumeScan(const uint32_t*, uint32_t) {
  if (!g_paused) return kNoValue;
  g_paused = false;
  InterlockedExchange(&g_pauseAsked, 0);
  LeaveLock(&g_pauseGate);
  return kNoValue;
}

}  // namespace app
