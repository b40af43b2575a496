// The range window: two integer-text boxes for the first and last movie ID and the OK button
// that starts a scan, with a label of advice beside them.
#include "app/app_ids.h"
#include "app/image/window_description.h"
#include "runtime/abi/values.h"

namespace image {

namespace {
using namespace unit_flags;

forms::WindowData Frame() {
  forms::WindowData d;
  d.caption = "请选择开始ID和结束ID";
  return d;
}

forms::LabelData Caption(const char* text) {
  forms::LabelData d;
  d.caption = text;
  return d;
}

forms::ButtonData Ok() {
  forms::ButtonData d;
  d.caption = "确定";
  return d;
}

forms::EditBoxData IdBox() {
  forms::EditBoxData d;
  d.inputMode = 3;  // integer text
  return d;
}

const char kTips[] =
    "提示：\r\n"
    "请根据您的网速选择适当的范围。\r\n"
    "建议遍历的范围在30000以下。\r\n"
    "如果搜索不到可以更换范围结束重新开始。\r\n"
    "遍历之后保存文件，下次就可以搜索了。";

WindowDescription Describe() {
  return WindowDescription{
      ids::kRangeWindow,
      0x1E,
      0x1901006C,
      {ids::kRangeOwnRecord, tc::Window, "", 50, 50, 391, 184, Visible, "", {}, Frame()},
      {
          {ids::kRangeTips, tc::Label, "标签3", 208, 16, 168, 112, Visible, "", {}, Caption(kTips)},
          {ids::kRangeOk, tc::Button, "按钮1", 88, 104, 56, 32, Visible | TabStop, "", {{0, Handler::StartScan}},
           Ok()},
          {ids::kRangeEndLabel, tc::Label, "标签2", 16, 72, 40, 16, Visible, "", {}, Caption("结束")},
          {ids::kRangeStartLabel, tc::Label, "标签1", 16, 24, 56, 16, Visible, "", {}, Caption("开始")},
          {ids::kRangeEndBox, tc::EditBox, "编辑框2", 72, 64, 120, 24, Visible | TabStop, "结束位置", {}, IdBox()},
          {ids::kRangeStartBox, tc::EditBox, "编辑框1", 72, 16, 120, 24, Visible | TabStop, "起始位置", {},
           IdBox()},
      },
      {}};
}
}  // namespace

const WindowDescription& RangeWindow() {
  static const WindowDescription w = Describe();
  return w;
}

}  // namespace image
