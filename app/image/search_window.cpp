// The search window: a pattern box with its search button over a saved list file, a second
// row that finds lines by movie name, and a read-only result area that shows the lines found.
// The search boxes and the file dialog carry no data block, so they are created with their
// types' defaults (the dialog is an open-file dialog).
#include "app/app_ids.h"
#include "app/image/window_description.h"
#include "runtime/abi/values.h"

namespace image {

namespace {
using namespace unit_flags;

forms::WindowData Frame() {
  forms::WindowData d;
  d.caption = "精确搜索";
  return d;
}

forms::LabelData Caption(const char* text) {
  forms::LabelData d;
  d.caption = text;
  return d;
}

// Several lines, read-only, with scroll bars both ways: list lines are often wider than the box.
forms::EditBoxData ResultArea() {
  forms::EditBoxData d;
  d.multiLine = 1;
  d.scrollBars = 3;
  d.inputMode = 1;
  return d;
}

forms::ButtonData SearchButton() {
  forms::ButtonData d;
  d.caption = "搜索";
  return d;
}

WindowDescription Describe() {
  return WindowDescription{
      ids::kSearchWindow,
      0xE00CA8,
      0x190100B0,
      {ids::kSearchOwnRecord, tc::Window, "", 50, 50, 383, 277, Visible, "", {}, Frame()},
      {
          {ids::kSearchFileDialog, tc::CommonDlg, "通用对话框1", 312, 168, 64, 40, 0, "", {}, {}},
          {ids::kSearchNameButton, tc::Button, "按钮2", 272, 72, 64, 24, Visible | TabStop, "",
           {{0, Handler::SearchListFileByName}}, SearchButton()},
          {ids::kSearchResultBox, tc::EditBox, "编辑框3", 8, 136, 360, 104, Visible | TabStop, "", {}, ResultArea()},
          {ids::kSearchNameLabel, tc::Label, "标签2", 8, 72, 40, 24, Visible, "", {}, Caption("电影名")},
          {ids::kSearchIdLabel, tc::Label, "标签1", 8, 24, 48, 24, Visible, "", {}, Caption("ID")},
          {ids::kSearchIdButton, tc::Button, "按钮1", 272, 24, 64, 24, Visible | TabStop, "",
           {{0, Handler::SearchListFile}}, SearchButton()},
          {ids::kSearchNameBox, tc::EditBox, "编辑框2", 72, 72, 168, 24, Visible | TabStop, "", {}, {}},
          {ids::kSearchIdBox, tc::EditBox, "编辑框1", 72, 24, 168, 24, Visible | TabStop, "", {}, {}},
      },
      {}};
}
}  // namespace

const WindowDescription& SearchWindow() {
  static const WindowDescription w = Describe();
  return w;
}

}  // namespace image
