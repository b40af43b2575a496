#include "app/page_feed.h"

#include "app/command_ids.h"
#include "app/image/program_image.h"
#include "app/platform_calls.h"
#include "app/runtime_calls.h"
#include "app/scan_one_id.h"

namespace app {
namespace {
uint32_t SizeOf(const CmdArg& page) {
  const void* block = ArgPtr(page);
  return block ? ByteArrayLength(block) : 0;
}
}  // namespace

PageFeed::~PageFeed() {
  for (int32_t k = 0; k < queued_; ++k) Release(pages_[(first_ + k) % kDepth]);
  DeleteLock(&lock_);
}

void PageFeed::LetGo() {
  if (InterlockedDecrement(&holders_) == 0) delete this;
}

bool PageFeed::MayFetch() const {
  if (ended_ || queued_ == kDepth || queuedBytes_ >= kMostBytesWaiting) return false;
  return waiting_ || *held_ == 0;
}

void PageFeed::Feed() {
  for (int32_t i = 1; i <= count_; ++i) {
    EnterLock(&lock_);
    while (!ended_ && !MayFetch()) SleepOnCondition(&room_, &lock_);
    bool ended = ended_;
    LeaveLock(&lock_);
    if (ended) return;
    CmdArg page = FetchPage(static_cast<int32_t>(static_cast<double>(startId_) + i));
    EnterLock(&lock_);
    pages_[(first_ + queued_) % kDepth] = page;
    ++queued_;
    queuedBytes_ += SizeOf(page);
    bool wake = waiting_;
    waiting_ = false;  // what the worker waited for is in; a pause holds the next fetch again
    LeaveLock(&lock_);
    if (wake) WakeCondition(&ready_);
  }
}

DWORD WINAPI PageFeed::HelperMain(LPVOID self) {
  auto feed = static_cast<PageFeed*>(self);
  feed->Feed();
  feed->LetGo();
  return 0;
}

PageFeed* PageFeed::Start(int32_t startId, int32_t count, const volatile LONG* held) {
  auto feed = new PageFeed;
  feed->startId_ = startId;
  feed->count_ = count;
  feed->held_ = held;
  InitLock(&feed->lock_);
  InitCondition(&feed->room_);
  InitCondition(&feed->ready_);
  uint32_t handle = 0;
  bool started = Call(mod::Thread, cmd::StartThread,
                      {MakePtr(reinterpret_cast<void*>(&HelperMain), tc::SubPtr),
                       MakePtr(feed, tc::Integer), MakePtr(&handle, tc::Integer)})
                     .lo != 0;
  if (!started) {
    delete feed;
    return nullptr;
  }
  Call(mod::Thread, cmd::CloseThreadHandle, {MakeInt(static_cast<int32_t>(handle))});
  return feed;
}

CmdArg PageFeed::Take(const volatile LONG* stopped) {
  constexpr DWORD kStopCheckMs = 50;
  EnterLock(&lock_);
  if (queued_ == 0) {
    // A helper held by a pause fetches on once the worker waits (the pause has then ended).
    waiting_ = true;
    WakeCondition(&room_);
    while (queued_ == 0) {
      if (*stopped) {
        LeaveLock(&lock_);
        return CmdArg{0, 0, 0};
      }
      SleepOnConditionFor(&ready_, &lock_, kStopCheckMs);
    }
  }
  CmdArg page = pages_[first_];
  first_ = (first_ + 1) % kDepth;
  --queued_;
  queuedBytes_ -= SizeOf(page);
  LeaveLock(&lock_);
  WakeCondition(&room_);
  return page;
}

void PageFeed::Abandon() {
  EnterLock(&lock_);
  ended_ = true;
  LeaveLock(&lock_);
  WakeCondition(&room_);
  LetGo();
}

}  // namespace app
