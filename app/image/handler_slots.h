// The entries of the application's code table that the window templates bind events to. The
// templates store a handler as its offset from the code base, which is entry 1 of the table,
// so the handler at entry i has offset 4 × (i − 1); the first handler has offset 0.
#pragma once
#include <cstdint>

enum class Handler : uint32_t {
  None = 0,  // stored as 0xFFFFFFFF: no handler
  OpenRangeWindow = 1,
  PauseScan,
  ResumeScan,
  StopScan,
  SaveList,
  TestLink,
  TestDownload,
  OpenSearchWindow,
  HandOffDownload,
  MainWindowCreated,
  MainWindowDestroying,
  ListRightClicked,
  StartScan,
  SearchListFile,
  SearchListFileByName,
  Count_  // one past the last entry
};

constexpr uint32_t kHandlerEntryCount = static_cast<uint32_t>(Handler::Count_);

constexpr uint32_t HandlerOffset(Handler h) {
  return h == Handler::None ? 0xFFFFFFFFu : 4u * (static_cast<uint32_t>(h) - 1u);
}
