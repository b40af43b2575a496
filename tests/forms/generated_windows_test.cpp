// The program's own form segment, as the generator wrote it into the image: its windows, records,
// events, menus and data blocks read back through the reader, and its handlers relocated against
// the application's code table.
#include <gtest/gtest.h>

#include "app/app_ids.h"
#include "app/image/handler_slots.h"
#include "app/image/program_image.h"
#include "forms/form_segment_reader.h"
#include "forms/listview_data.h"
#include "forms/unit_data_blocks.h"
#include "image_constants.h"
#include "runtime/abi/values.h"

namespace {

const uint8_t kSegment[image::kFormSegmentSize] = {
#include "form_segment.inc"
};

forms::WindowSet Read() {
  auto set = forms::ReadFormSegment(kSegment, sizeof kSegment);
  EXPECT_TRUE(set.has_value());
  return set ? *set : forms::WindowSet{};
}

template <class Block>
Block BlockOf(const forms::UnitTableView& table, uint32_t unitId) {
  auto ref = table.ById(unitId);
  EXPECT_TRUE(ref) << std::hex << unitId;
  auto data = table.Unit(*ref).TypeData();
  EXPECT_TRUE(data && data->size > 0) << std::hex << unitId;
  auto block = forms::DecodeBlock<Block>(*data);
  EXPECT_TRUE(block) << std::hex << unitId;
  return block ? *block : Block{};
}

struct UnitRow {
  uint32_t id;
  TypeCode type;
  const char* name;
  int32_t left, top, width, height;
  uint32_t flags;
};

TEST(GeneratedWindows, ThreeWindowsInIndexOrder) {
  forms::WindowSet set = Read();
  EXPECT_EQ(set.ids, (std::vector<uint32_t>{ids::kMainWindow, ids::kRangeWindow, ids::kSearchWindow}));
  EXPECT_EQ(set.windows[0].value1, 0x0AED2410u);
  EXPECT_EQ(set.windows[0].value2, 0x19010002u);
  EXPECT_EQ(set.windows[1].value2, 0x1901006Cu);
  EXPECT_EQ(set.windows[2].value1, 0xE00CA8u);
  EXPECT_EQ(set.windows[0].text1, "");
  EXPECT_EQ(set.windows[0].unitCount, 27u);
  EXPECT_EQ(set.windows[1].unitCount, 7u);
  EXPECT_EQ(set.windows[2].unitCount, 9u);
}

TEST(GeneratedWindows, MainWindowUnits) {
  forms::WindowSet set = Read();
  auto table = set.Find(ids::kMainWindow)->Table();
  const UnitRow rows[] = {
      {ids::kMainOwnRecord, tc::Window, "", 50, 50, 780, 704, 1},
      {ids::kMainFileDialog, tc::CommonDlg, "通用对话框1", 720, 472, 64, 40, 0},
      {ids::kMainLogBox, tc::EditBox, "编辑框1", 8, 504, 456, 136, 5},
      {ids::kMainProgressLabel, tc::Label, "标签1", 480, 464, 80, 24, 1},
      {ids::kMainProgressBar, tc::ProcessBar, "进度条1", 8, 464, 456, 24, 1},
      {ids::kMainList, tc::ListView, "超级列表框1", 8, 8, 760, 448, 5},
  };
  for (uint32_t i = 0; i < 6; ++i) {
    const UnitRow& r = rows[i];
    ASSERT_EQ(table.IdAt(i), r.id) << i;
    EXPECT_FALSE(table.IsMenuItem(i));
    forms::UnitRecordView u = table.Unit(*table.ByIndex(i));
    EXPECT_EQ(u.TypeCode(), r.type) << i;
    EXPECT_EQ(u.EventSourceLink(), 0u);
    EXPECT_EQ(u.Name(), r.name) << i;
    EXPECT_EQ(u.Remark(), "");
    EXPECT_EQ(u.Left(), r.left) << i;
    EXPECT_EQ(u.Top(), r.top) << i;
    EXPECT_EQ(u.Width(), r.width) << i;
    EXPECT_EQ(u.Height(), r.height) << i;
    EXPECT_EQ(u.Flags(), r.flags) << i;
    EXPECT_EQ(u.ChildCount(), 0u);
    EXPECT_EQ(u.Parent(), 0u);
    EXPECT_EQ(u.MousePointer()->size, 4u);
    EXPECT_EQ(u.Tag(), "");
    EXPECT_EQ(u.FocusOrder(), 0u);
  }
  auto own = *table.Unit(*table.ByIndex(0)).Events();
  ASSERT_EQ(own.size(), 2u);
  EXPECT_EQ(own[0].event, 0);
  EXPECT_EQ(own[0].handler, HandlerOffset(Handler::MainWindowCreated));
  EXPECT_EQ(own[1].event, 2);
  EXPECT_EQ(own[1].handler, HandlerOffset(Handler::MainWindowDestroying));
  auto list = *table.Unit(*table.ById(ids::kMainList)).Events();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].event, 5);
  EXPECT_EQ(list[0].handler, HandlerOffset(Handler::ListRightClicked));
  EXPECT_TRUE(table.Unit(*table.ById(ids::kMainLogBox)).Events()->empty());
}

struct MenuRow {
  uint32_t id, level, shortcut;
  const char* caption;
  Handler click;
};

TEST(GeneratedWindows, MainWindowMenu) {
  forms::WindowSet set = Read();
  auto table = set.Find(ids::kMainWindow)->Table();
  const MenuRow rows[21] = {
      {ids::kMenuStart, 0, 0, "开始", Handler::None},
      {ids::kMenuStartScan, 1, 27, "开始", Handler::OpenRangeWindow},
      {ids::kMenuPause, 1, 31, "暂停", Handler::PauseScan},
      {ids::kMenuResume, 1, 32, "恢复", Handler::ResumeScan},
      {ids::kMenuStop, 1, 36, "结束", Handler::StopScan},
      {ids::kMenuSave, 1, 19, "保存", Handler::SaveList},
      {ids::kMenuDebug, 0, 0, "调试", Handler::None},
      {ids::kMenuTestLink, 1, 14, "测试链接", Handler::TestLink},
      {ids::kMenuTestDownload, 1, 4, "测试下载", Handler::TestDownload},
      {ids::kMenuSearch, 0, 0, "搜索", Handler::None},
      {ids::kMenuSearchKnown, 1, 6, "在已知目录搜索（尚未更新）", Handler::OpenSearchWindow},
      {ids::kMenuSearchOnline, 1, 9, "联网搜索（尚未更新）", Handler::None},
      {ids::kMenuDownload, 0, 0, "下载", Handler::None},
      {ids::kMenuDownloadSelected, 1, 33, "下载选中的链接", Handler::HandOffDownload},
      {ids::kMenuLoad, 0, 0, "载入", Handler::None},
      {ids::kMenuLoadListFile, 1, 0, "载入列表文件（尚未更新）", Handler::None},
      {ids::kMenuOpenOtherList, 1, 0, "打开其他列表（尚未上线）", Handler::None},
      {ids::kMenuUpdate, 0, 0, "更新", Handler::None},
      {ids::kMenuDownloadFullList, 1, 0, "下载完整列表（待更新）", Handler::None},
      {ids::kMenuFavourites, 0, 0, "收藏夹", Handler::None},
      {ids::kMenuAddFavourite, 1, 0, "添加收藏", Handler::None},
  };
  for (uint32_t i = 0; i < 21; ++i) {
    const MenuRow& r = rows[i];
    ASSERT_EQ(table.IdAt(6 + i), r.id) << i;
    ASSERT_TRUE(table.IsMenuItem(6 + i)) << i;
    forms::MenuRecordView m = table.Menu(*table.ByIndex(6 + i));
    EXPECT_EQ(m.TypeCode(), tc::Menu);
    EXPECT_EQ(m.Level(), r.level) << i;
    EXPECT_EQ(m.ShortcutKey(), r.shortcut) << i;
    EXPECT_EQ(m.Flags(), 0u) << i;
    EXPECT_EQ(m.Caption(), r.caption) << i;
    EXPECT_EQ(m.Handler(), HandlerOffset(r.click)) << i;
  }
  // The first item with a command sits at the code base itself.
  EXPECT_EQ(table.Menu(*table.ById(ids::kMenuStartScan)).Handler(), 0u);
  EXPECT_EQ(table.Menu(*table.ById(ids::kMenuStart)).Handler(), 0xFFFFFFFFu);
}

TEST(GeneratedWindows, MainWindowDataBlocks) {
  forms::WindowSet set = Read();
  auto table = set.Find(ids::kMainWindow)->Table();
  auto frame = BlockOf<forms::WindowData>(table, ids::kMainOwnRecord);
  EXPECT_EQ(frame.version, 6u);
  EXPECT_EQ(frame.border, 2u);
  EXPECT_EQ(frame.startPosition, 1u);
  EXPECT_EQ(frame.escCloses, 1u);
  EXPECT_EQ(frame.caption, "Reelscout");
  auto log = BlockOf<forms::EditBoxData>(table, ids::kMainLogBox);
  EXPECT_EQ(log.version, 2u);
  EXPECT_EQ(log.border, 1u);
  EXPECT_EQ(log.background, 0xFFFFFFu);
  EXPECT_EQ(log.multiLine, 1u);
  EXPECT_EQ(log.scrollBars, 0u);
  EXPECT_EQ(log.inputMode, 1u);
  EXPECT_EQ(log.content, "");
  auto label = BlockOf<forms::LabelData>(table, ids::kMainProgressLabel);
  EXPECT_EQ(label.version, 2u);
  EXPECT_EQ(label.caption, "进度：");
  auto bar = BlockOf<forms::ProgressBarData>(table, ids::kMainProgressBar);
  EXPECT_EQ(bar.version, 1u);
  EXPECT_EQ(bar.border, 3u);
  EXPECT_EQ(bar.smooth, 1u);
  EXPECT_EQ(bar.vertical, 0u);
  EXPECT_EQ(bar.minimum, 0);
  EXPECT_EQ(bar.maximum, 100);
  EXPECT_EQ(bar.position, 0);
  auto dialog = BlockOf<forms::CommonDlgData>(table, ids::kMainFileDialog);
  EXPECT_EQ(dialog.type, 1u);
  EXPECT_EQ(dialog.filter, "列表文件|*.lst");
  EXPECT_EQ(dialog.filter.size(), 14u);
  EXPECT_EQ(dialog.fileMustExist, 1u);
  EXPECT_EQ(dialog.overwritePrompt, 1u);
  EXPECT_EQ(dialog.pathMustExist, 1u);
  EXPECT_EQ(dialog.fileName, "");
  auto list = BlockOf<forms::ListViewData>(table, ids::kMainList);
  EXPECT_EQ(list.version, 1u);
  EXPECT_EQ(list.view, 3u);
  EXPECT_EQ(list.border, 1u);
  EXPECT_EQ(list.singleSelection, 1u);
  EXPECT_EQ(list.selectedRow, -1);
  auto columns = forms::DecodeListColumns(list.columns);
  ASSERT_TRUE(columns);
  ASSERT_EQ(columns->size(), 3u);
  EXPECT_EQ((*columns)[0].title, "电影名称");
  EXPECT_EQ((*columns)[0].width, 200u);
  EXPECT_EQ((*columns)[1].title, "电影ID");
  EXPECT_EQ((*columns)[1].width, 50u);
  EXPECT_EQ((*columns)[2].title, "下载链接");
  EXPECT_EQ((*columns)[2].width, 500u);
  EXPECT_EQ((*columns)[2].headerImage, -1);
}

TEST(GeneratedWindows, RangeWindow) {
  forms::WindowSet set = Read();
  auto table = set.Find(ids::kRangeWindow)->Table();
  const uint32_t order[7] = {ids::kRangeOwnRecord, ids::kRangeTips,     ids::kRangeOk,      ids::kRangeEndLabel,
                             ids::kRangeStartLabel, ids::kRangeEndBox, ids::kRangeStartBox};
  for (uint32_t i = 0; i < 7; ++i) EXPECT_EQ(table.IdAt(i), order[i]) << i;
  auto own = table.Unit(*table.ByIndex(0));
  EXPECT_EQ(own.Width(), 391);
  EXPECT_EQ(own.Height(), 184);
  EXPECT_EQ(BlockOf<forms::WindowData>(table, ids::kRangeOwnRecord).caption, "请选择开始ID和结束ID");
  EXPECT_EQ(BlockOf<forms::LabelData>(table, ids::kRangeTips).caption,
            "提示：\r\n请根据您的网速选择适当的范围。\r\n建议遍历的范围在30000以下。\r\n"
            "如果搜索不到可以更换范围结束重新开始。\r\n遍历之后保存文件，下次就可以搜索了。");
  EXPECT_EQ(BlockOf<forms::LabelData>(table, ids::kRangeStartLabel).caption, "开始");
  EXPECT_EQ(BlockOf<forms::LabelData>(table, ids::kRangeEndLabel).caption, "结束");
  auto ok = table.Unit(*table.ById(ids::kRangeOk));
  EXPECT_EQ(ok.Flags(), 5u);
  EXPECT_EQ(ok.Left(), 88);
  ASSERT_EQ(ok.Events()->size(), 1u);
  EXPECT_EQ((*ok.Events())[0].event, 0);
  EXPECT_EQ((*ok.Events())[0].handler, HandlerOffset(Handler::StartScan));
  auto button = BlockOf<forms::ButtonData>(table, ids::kRangeOk);
  EXPECT_EQ(button.caption, "确定");
  EXPECT_EQ(button.kind, 0u);
  EXPECT_EQ(button.horizontalAlign, 1u);
  auto start = table.Unit(*table.ById(ids::kRangeStartBox));
  EXPECT_EQ(start.Tag(), "起始位置");
  EXPECT_EQ(start.Top(), 16);
  EXPECT_EQ(table.Unit(*table.ById(ids::kRangeEndBox)).Tag(), "结束位置");
  EXPECT_EQ(BlockOf<forms::EditBoxData>(table, ids::kRangeStartBox).inputMode, 3u);
  EXPECT_EQ(BlockOf<forms::EditBoxData>(table, ids::kRangeEndBox).multiLine, 0u);
}

TEST(GeneratedWindows, SearchWindowAndItsDefaultBlocks) {
  forms::WindowSet set = Read();
  auto table = set.Find(ids::kSearchWindow)->Table();
  EXPECT_EQ(BlockOf<forms::WindowData>(table, ids::kSearchOwnRecord).caption, "精确搜索");
  for (uint32_t id : {ids::kSearchFileDialog, ids::kSearchNameBox, ids::kSearchIdBox}) {
    auto data = table.Unit(*table.ById(id)).TypeData();
    ASSERT_TRUE(data) << std::hex << id;
    EXPECT_EQ(data->size, 0u) << std::hex << id;
    // An empty block reads as the type's defaults.
    EXPECT_TRUE(forms::DecodeBlock<forms::EditBoxData>(*data)) << std::hex << id;
  }
  EXPECT_EQ(forms::DecodeBlock<forms::CommonDlgData>({})->type, 0u);  // an open-file dialog
  auto result = table.Unit(*table.ById(ids::kSearchResultBox));
  EXPECT_EQ(result.Left(), 8);
  EXPECT_EQ(result.Width(), 360);
  // The result area shows the lines found: several lines, read-only, scroll bars both ways.
  auto area = BlockOf<forms::EditBoxData>(table, ids::kSearchResultBox);
  EXPECT_EQ(area.multiLine, 1u);
  EXPECT_EQ(area.scrollBars, 3u);
  EXPECT_EQ(area.inputMode, 1u);
  auto idButton = table.Unit(*table.ById(ids::kSearchIdButton));
  EXPECT_EQ((*idButton.Events())[0].handler, HandlerOffset(Handler::SearchListFile));
  auto nameButton = table.Unit(*table.ById(ids::kSearchNameButton));
  ASSERT_EQ(nameButton.Events()->size(), 1u);
  EXPECT_EQ((*nameButton.Events())[0].handler, HandlerOffset(Handler::SearchListFileByName));
  EXPECT_EQ(BlockOf<forms::LabelData>(table, ids::kSearchNameLabel).caption, "电影名");
  EXPECT_EQ(BlockOf<forms::ButtonData>(table, ids::kSearchNameButton).caption, "搜索");
}

TEST(GeneratedWindows, RelocatedHandlersAreEntriesOfTheCodeTable) {
  forms::WindowSet set = Read();
  const EventHandlerFn* base = &kAppCodeTable[1];
  forms::RelocateHandlers(set, base);
  auto entry = [&](uint32_t word) -> const EventHandlerFn* {
    auto p = static_cast<const EventHandlerFn*>(forms::HandlerEntryOf(word, base));
    EXPECT_GE(p, base);
    EXPECT_LT(p, kAppCodeTable + kHandlerEntryCount);
    return p;
  };
  uint32_t bound = 0;
  for (const forms::WindowTemplate& w : set.windows) {
    auto table = w.Table();
    for (uint32_t i = 0; i < table.Count(); ++i) {
      auto ref = *table.ByIndex(i);
      if (table.IsMenuItem(i)) {
        uint32_t h = *table.Menu(ref).Handler();
        if (h) {
          EXPECT_NE(*entry(h), nullptr);
          ++bound;
        }
        continue;
      }
      auto events = table.Unit(ref).Events();
      for (const forms::EventPair& e : *events) {
        EXPECT_NE(*entry(e.handler), nullptr);
        ++bound;
      }
    }
  }
  EXPECT_EQ(bound, 15u);  // every entry of the table is bound exactly once
  auto main = set.Find(ids::kMainWindow)->Table();
  EXPECT_EQ(forms::HandlerEntryOf(*main.Menu(*main.ById(ids::kMenuStartScan)).Handler(), base), base);
  EXPECT_EQ(main.Menu(*main.ById(ids::kMenuSearchOnline)).Handler(), 0u);
}

}  // namespace
