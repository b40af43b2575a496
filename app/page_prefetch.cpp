#include "app/page_prefetch.h"

#include <windows.h>

#include "app/command_ids.h"
#include "app/image/program_image.h"
#include "app/platform_calls.h"
#include "app/runtime_calls.h"

namespace app {

// Lives until both the worker and the helper have let go of it.
struct PagePrefetch::Shared {
  HANDLE ask = nullptr;    // set by the worker: an ID (or the end) waits for the helper
  HANDLE ready = nullptr;  // set by the helper: the asked page is read
  volatile LONG holders = 2;
  volatile LONG ended = 0;
  int32_t id = 0;
  IdResult result;
  PagePrefetch* owner = nullptr;
};

namespace {

void LetGo(PagePrefetch::Shared* s) {
  if (InterlockedDecrement(&s->holders) != 0) return;
  CloseEvent(s->ask);
  CloseEvent(s->ready);
  delete s->owner;
  delete s;
}

DWORD WINAPI HelperMain(LPVOID parameter) {
  auto s = static_cast<PagePrefetch::Shared*>(parameter);
  for (;;) {
    WaitFor(s->ask);
    if (s->ended) break;
    s->result = FetchId(s->id);
    Signal(s->ready);
  }
  LetGo(s);
  return 0;
}

}  // namespace

PagePrefetch* PagePrefetch::Start() {
  auto s = new Shared;
  s->ask = MakeEvent();
  s->ready = MakeEvent();
  uint32_t handle = 0;
  bool started = s->ask && s->ready &&
                 Call(mod::Thread, cmd::StartThread,
                      {MakePtr(reinterpret_cast<void*>(&HelperMain), tc::SubPtr),
                       MakeInt(static_cast<int32_t>(Word(s))), MakePtr(&handle, tc::Integer)})
                     .lo != 0;
  if (!started) {
    if (s->ask) CloseEvent(s->ask);
    if (s->ready) CloseEvent(s->ready);
    delete s;
    return nullptr;
  }
  Call(mod::Thread, cmd::CloseThreadHandle, {MakeInt(static_cast<int32_t>(handle))});
  s->owner = new PagePrefetch(s);
  return s->owner;
}

void PagePrefetch::Ask(int32_t id) {
  shared_->id = id;
  Signal(shared_->ask);
}

IdResult PagePrefetch::Take() {
  WaitFor(shared_->ready);
  return shared_->result;
}

void PagePrefetch::Abandon() {
  Shared* s = shared_;
  InterlockedExchange(&s->ended, 1);
  Signal(s->ask);
  LetGo(s);
}

}  // namespace app
