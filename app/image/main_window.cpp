// The main window: the result list, the progress bar and label, the log box, the save dialog,
// and the menu bar that carries every command of the program.
#include "app/app_ids.h"
#include "app/image/window_description.h"
#include "runtime/abi/values.h"

namespace image {

namespace {
using namespace unit_flags;

forms::WindowData Frame() {
  forms::WindowData d;
  d.border = 2;
  d.startPosition = 1;
  d.caption = "Reelscout";
  return d;
}

forms::EditBoxData LogBox() {
  forms::EditBoxData d;
  d.border = 1;
  d.background = 0xFFFFFF;
  d.multiLine = 1;
  d.scrollBars = 0;
  d.inputMode = 1;  // read-only
  return d;
}

forms::LabelData ProgressCaption() {
  forms::LabelData d;
  d.caption = "进度：";
  return d;
}

forms::ProgressBarData Progress() {
  forms::ProgressBarData d;
  d.border = 3;
  d.smooth = 1;
  d.minimum = 0;
  d.maximum = 100;
  d.position = 0;
  return d;
}

forms::CommonDlgData SaveDialog() {
  forms::CommonDlgData d;
  d.type = 1;  // save file
  d.filter = "列表文件|*.lst";
  return d;
}

forms::ListViewData ResultList() {
  forms::ListViewData d;
  d.view = 3;  // report
  d.columns = forms::EncodeListColumns({{0, -1, 0, 200, "电影名称"}, {0, -1, 0, 50, "电影ID"}, {0, -1, 0, 500, "下载链接"}});
  return d;
}

WindowDescription Describe() {
  return WindowDescription{
      ids::kMainWindow,
      0x0AED2410,
      0x19010002,
      {ids::kMainOwnRecord, tc::Window, "", 50, 50, 780, 704, Visible, "",
       {{0, Handler::MainWindowCreated}, {2, Handler::MainWindowDestroying}}, Frame()},
      {
          {ids::kMainFileDialog, tc::CommonDlg, "通用对话框1", 720, 472, 64, 40, 0, "", {}, SaveDialog()},
          {ids::kMainLogBox, tc::EditBox, "编辑框1", 8, 504, 456, 136, Visible | TabStop, "", {}, LogBox()},
          {ids::kMainProgressLabel, tc::Label, "标签1", 480, 464, 80, 24, Visible, "", {}, ProgressCaption()},
          {ids::kMainProgressBar, tc::ProcessBar, "进度条1", 8, 464, 456, 24, Visible, "", {}, Progress()},
          {ids::kMainList, tc::ListView, "超级列表框1", 8, 8, 760, 448, Visible | TabStop, "",
           {{5, Handler::ListRightClicked}}, ResultList()},
      },
      {
          {ids::kMenuStart, 0, shortcut::None, "开始", Handler::None},
          {ids::kMenuStartScan, 1, shortcut::F(1), "开始", Handler::OpenRangeWindow},
          {ids::kMenuPause, 1, shortcut::F(5), "暂停", Handler::PauseScan},
          {ids::kMenuResume, 1, shortcut::F(6), "恢复", Handler::ResumeScan},
          {ids::kMenuStop, 1, shortcut::F(10), "结束", Handler::StopScan},
          {ids::kMenuSave, 1, shortcut::Ctrl('S'), "保存", Handler::SaveList},
          {ids::kMenuDebug, 0, shortcut::None, "调试", Handler::None},
          {ids::kMenuTestLink, 1, shortcut::Ctrl('N'), "测试链接", Handler::TestLink},
          {ids::kMenuTestDownload, 1, shortcut::Ctrl('D'), "测试下载", Handler::TestDownload},
          {ids::kMenuSearch, 0, shortcut::None, "搜索", Handler::None},
          {ids::kMenuSearchKnown, 1, shortcut::Ctrl('F'), "在已知目录搜索（尚未更新）", Handler::OpenSearchWindow},
          {ids::kMenuSearchOnline, 1, shortcut::Ctrl('I'), "联网搜索（尚未更新）", Handler::None},
          {ids::kMenuDownload, 0, shortcut::None, "下载", Handler::None},
          {ids::kMenuDownloadSelected, 1, shortcut::F(7), "下载选中的链接", Handler::HandOffDownload},
          {ids::kMenuLoad, 0, shortcut::None, "载入", Handler::None},
          {ids::kMenuLoadListFile, 1, shortcut::None, "载入列表文件（尚未更新）", Handler::None},
          {ids::kMenuOpenOtherList, 1, shortcut::None, "打开其他列表（尚未上线）", Handler::None},
          {ids::kMenuUpdate, 0, shortcut::None, "更新", Handler::None},
          {ids::kMenuDownloadFullList, 1, shortcut::None, "下载完整列表（待更新）", Handler::None},
          {ids::kMenuFavourites, 0, shortcut::None, "收藏夹", Handler::None},
          {ids::kMenuAddFavourite, 1, shortcut::None, "添加收藏", Handler::None},
      }};
}
}  // namespace

const WindowDescription& MainWindow() {
  static const WindowDescription w = Describe();
  return w;
}

}  // namespace image
