#include "modules/listview/property_rules.h"

#include "modules/listview/listview_styles.h"

namespace lv {
namespace {
uint32_t Clamp(uint32_t value, int32_t low, int32_t high) {
  int32_t v = static_cast<int32_t>(value);
  return static_cast<uint32_t>(v < low ? low : v > high ? high : v);
}
uint32_t Flag(uint32_t value) { return value != 0 ? 1 : 0; }
bool IconView(const forms::ListViewData& d) { return IsIconView(d.view); }
bool ReportView(const forms::ListViewData& d) { return IsReportView(d.view); }
}  // namespace

WriteOutcome StoreProperty(forms::ListViewData& d, uint32_t index, uint32_t value, const std::string& bytes) {
  WriteOutcome out;
  // A flag whose change only shows after re-creation, and only when `when` holds.
  auto recreateFlag = [&](uint32_t& field, bool when) {
    field = Flag(value);
    out.recreate = when;
  };
  switch (index) {
    case prop::Border: d.border = Clamp(value, 0, 5), out.apply = Apply::Border; break;
    case prop::TextColour: d.textColour = value, out.apply = Apply::TextColour; break;
    case prop::TextBackground: d.textBackground = value, out.apply = Apply::TextBackground; break;
    case prop::Background: d.background = value, out.apply = Apply::Background; break;
    case prop::Font: d.font = bytes, out.apply = Apply::Font; break;
    case prop::View: d.view = Clamp(value, 0, 3), out.recreate = true; break;
    case prop::IconAlignment: d.iconAlignment = Clamp(value, 0, 1), out.recreate = IconView(d); break;
    case prop::AutoArrange: recreateFlag(d.autoArrange, IconView(d)); break;
    case prop::WrapLabels:
      d.wrapLabels = Flag(value);
      if (IconView(d)) out.apply = Apply::WrapLabels;
      break;
    case prop::Columns: d.columns = bytes, out.recreate = ReportView(d); break;
    case prop::HideHeader:
      d.hideColumnHeader = Flag(value);
      if (ReportView(d)) out.apply = Apply::HideHeader;
      break;
    case prop::HeaderImages:
      d.headerImages = bytes;
      if (ReportView(d)) out.apply = Apply::HeaderImages;
      break;
    case prop::ClickableHeader: recreateFlag(d.clickableHeader, ReportView(d)); break;
    case prop::FullRowSelect: recreateFlag(d.fullRowSelect, ReportView(d)); break;
    case prop::GridLines: recreateFlag(d.gridLines, ReportView(d)); break;
    case prop::DragHeaders: recreateFlag(d.dragColumnHeaders, ReportView(d)); break;
    case prop::Images: d.images = bytes, out.apply = Apply::Images; break;
    case prop::StateImages: d.stateImages = bytes, out.apply = Apply::StateImages; break;
    case prop::HotTracking: recreateFlag(d.hotTracking, true); break;
    case prop::HandCursor: recreateFlag(d.handCursorWhenHot, d.hotTracking != 0); break;
    case prop::UnderlineCold: recreateFlag(d.underlineCold, d.hotTracking != 0); break;
    case prop::UnderlineHot: recreateFlag(d.underlineHot, d.hotTracking != 0); break;
    case prop::EditLabels: recreateFlag(d.editLabels, true); break;
    case prop::SortOrder: d.sortOrder = Clamp(value, 0, 2), out.recreate = true; break;
    case prop::CheckBoxes: recreateFlag(d.checkBoxes, true); break;
    case prop::FlatScrollBars: recreateFlag(d.flatScrollBars, true); break;
    case prop::SingleSelection: recreateFlag(d.singleSelection, true); break;
    case prop::SelectedRow: {
      int32_t row = static_cast<int32_t>(value);
      d.selectedRow = row < -1 ? -1 : row;
      out.apply = Apply::Selection;
      break;
    }
    case prop::AlwaysShowSelection: recreateFlag(d.alwaysShowSelection, true); break;
    case prop::Rows: d.rows = bytes, out.apply = Apply::Rows; break;
    default: break;  // the edited label text is read only
  }
  return out;
}

}  // namespace lv
