#include "app/page_prefetch.h"

#include "app/command_ids.h"
#include "app/image/program_image.h"
#include "app/platform_calls.h"
#include "app/runtime_calls.h"

namespace app {

PagePrefetch::~PagePrefetch() {
  if (ask_) CloseEvent(ask_);
  if (ready_) CloseEvent(ready_);
}

void PagePrefetch::LetGo() {
  if (InterlockedDecrement(&holders_) == 0) delete this;
}

DWORD WINAPI PagePrefetch::HelperMain(LPVOID self) {
  auto p = static_cast<PagePrefetch*>(self);
  for (;;) {
    WaitFor(p->ask_);
    if (p->ended_) break;
    p->result_ = FetchId(p->id_);
    Signal(p->ready_);
  }
  p->LetGo();
  return 0;
}

PagePrefetch* PagePrefetch::Start() {
  auto p = new PagePrefetch;
  p->ask_ = MakeEvent();
  p->ready_ = MakeEvent();
  uint32_t handle = 0;
  bool started = p->ask_ && p->ready_ &&
                 Call(mod::Thread, cmd::StartThread,
                      {MakePtr(reinterpret_cast<void*>(&HelperMain), tc::SubPtr),
                       MakeInt(static_cast<int32_t>(Word(p))), MakePtr(&handle, tc::Integer)})
                     .lo != 0;
  if (!started) {
    delete p;
    return nullptr;
  }
  Call(mod::Thread, cmd::CloseThreadHandle, {MakeInt(static_cast<int32_t>(handle))});
  return p;
}

void PagePrefetch::Ask(int32_t id) {
  id_ = id;
  Signal(ask_);
}

IdResult PagePrefetch::Take() {
  WaitFor(ready_);
  return result_;
}

void PagePrefetch::Abandon() {
  InterlockedExchange(&ended_, 1);
  Signal(ask_);
  LetGo();
}

}  // namespace app
