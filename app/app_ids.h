// Identifiers of the application's windows, units and menu items, fixed in its form templates.
#pragma once
#include <cstdint>

namespace ids {
// Main window.
constexpr uint32_t kMainWindow = 0x52010001;
constexpr uint32_t kMainOwnRecord = 0x06010000;
constexpr uint32_t kMainFileDialog = 0x16010096;   // "通用对话框1"
constexpr uint32_t kMainLogBox = 0x16010020;       // "编辑框1"
constexpr uint32_t kMainProgressLabel = 0x16010013;  // "标签1"
constexpr uint32_t kMainProgressBar = 0x16010012;  // "进度条1"
constexpr uint32_t kMainList = 0x16010011;         // "超级列表框1"

// Main window menu items, in template order.
constexpr uint32_t kMenuStart = 0x26010005;
constexpr uint32_t kMenuStartScan = 0x26010006;
constexpr uint32_t kMenuPause = 0x2601008A;
constexpr uint32_t kMenuResume = 0x2601008D;
constexpr uint32_t kMenuStop = 0x2601008B;
constexpr uint32_t kMenuSave = 0x26010007;
constexpr uint32_t kMenuDebug = 0x2601001C;
constexpr uint32_t kMenuTestLink = 0x2601001D;
constexpr uint32_t kMenuTestDownload = 0x26010050;
constexpr uint32_t kMenuSearch = 0x26010091;
constexpr uint32_t kMenuSearchKnown = 0x26010092;
constexpr uint32_t kMenuSearchOnline = 0x26010093;
constexpr uint32_t kMenuDownload = 0x26010094;
constexpr uint32_t kMenuDownloadSelected = 0x26010095;
constexpr uint32_t kMenuLoad = 0x260100CC;
constexpr uint32_t kMenuLoadListFile = 0x260100CD;
constexpr uint32_t kMenuOpenOtherList = 0x260100CE;
constexpr uint32_t kMenuUpdate = 0x260100D0;
constexpr uint32_t kMenuDownloadFullList = 0x260100D1;
constexpr uint32_t kMenuFavourites = 0x260100D2;
constexpr uint32_t kMenuAddFavourite = 0x260100D3;

// Range window.
constexpr uint32_t kRangeWindow = 0x52010065;
constexpr uint32_t kRangeOwnRecord = 0x06010064;
constexpr uint32_t kRangeTips = 0x1601006B;       // "标签3"
constexpr uint32_t kRangeOk = 0x1601006A;         // "按钮1"
constexpr uint32_t kRangeEndLabel = 0x16010069;   // "标签2"
constexpr uint32_t kRangeStartLabel = 0x16010068; // "标签1"
constexpr uint32_t kRangeEndBox = 0x16010067;     // "编辑框2"
constexpr uint32_t kRangeStartBox = 0x16010066;   // "编辑框1"

// Search window.
constexpr uint32_t kSearchWindow = 0x520100A8;
constexpr uint32_t kSearchOwnRecord = 0x060100A7;
constexpr uint32_t kSearchFileDialog = 0x160100B3;  // "通用对话框1"
constexpr uint32_t kSearchNameButton = 0x160100AF;  // "按钮2"
constexpr uint32_t kSearchResultBox = 0x160100AE;   // "编辑框3"
constexpr uint32_t kSearchNameLabel = 0x160100AD;   // "标签2"
constexpr uint32_t kSearchIdLabel = 0x160100AC;     // "标签1"
constexpr uint32_t kSearchIdButton = 0x160100AB;    // "按钮1"
constexpr uint32_t kSearchNameBox = 0x160100AA;     // "编辑框2"
constexpr uint32_t kSearchIdBox = 0x160100A9;       // "编辑框1"
}  // namespace ids
