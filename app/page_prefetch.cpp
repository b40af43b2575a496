#include "app/page_prefetch.h"

#include "app/command_ids.h"
#include "app/image/program_image.h"
#include "app/platform_calls.h"
#include "app/runtime_calls.h"

namespace app {

PagePrefetch::~PagePrefetch() {
  if (hasPage_) Release(page_);
  DeleteLock(&lock_);
}

void PagePrefetch::LetGo() {
  if (InterlockedDecrement(&holders_) == 0) delete this;
}

DWORD WINAPI PagePrefetch::HelperMain(LPVOID self) {
  auto p = static_cast<PagePrefetch*>(self);
  for (;;) {
    EnterLock(&p->lock_);
    while (!p->hasId_ && !p->ended_) SleepOnCondition(&p->asked_, &p->lock_);
    bool ended = p->ended_;
    int32_t id = p->id_;
    p->hasId_ = false;
    LeaveLock(&p->lock_);
    if (ended) break;
    CmdArg page = FetchPage(id);
    EnterLock(&p->lock_);
    p->page_ = page;
    p->hasPage_ = true;
    LeaveLock(&p->lock_);
    WakeCondition(&p->fetched_);
  }
  p->LetGo();
  return 0;
}

PagePrefetch* PagePrefetch::Start() {
  auto p = new PagePrefetch;
  InitLock(&p->lock_);
  InitCondition(&p->asked_);
  InitCondition(&p->fetched_);
  uint32_t handle = 0;
  bool started = Call(mod::Thread, cmd::StartThread,
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
  EnterLock(&lock_);
  id_ = id;
  hasId_ = true;
  LeaveLock(&lock_);
  WakeCondition(&asked_);
}

CmdArg PagePrefetch::Take() {
  EnterLock(&lock_);
  while (!hasPage_) SleepOnCondition(&fetched_, &lock_);
  hasPage_ = false;
  CmdArg page = page_;
  LeaveLock(&lock_);
  return page;
}

void PagePrefetch::Abandon() {
  EnterLock(&lock_);
  ended_ = true;
  LeaveLock(&lock_);
  WakeCondition(&asked_);
  LetGo();
}

}  // namespace app
