// Interfaces 6 and 4: reading the list view's own properties and writing them onto the live control.
#include <string>

#include "modules/listview/listview_interface.h"
#include "modules/listview/listview_unit.h"
#include "modules/listview/property_rules.h"

namespace lv {
namespace {
PropertyPair Bytes(const std::string& s) { return {Word(s.data()), static_cast<uint32_t>(s.size())}; }

bool CarriesBytes(uint32_t index) {
  return index == prop::Font || index == prop::Columns || index == prop::HeaderImages || index == prop::Images ||
         index == prop::StateImages || index == prop::Rows;
}

void SwitchStyle(HWND window, LONG bit, bool on) {
  LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, on ? style | bit : style & ~bit);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(window, nullptr, TRUE);
}

void ApplyNow(ListViewUnit& u, Apply what) {
  HWND w = u.Window();
  switch (what) {
    case Apply::Border: ApplyBorder(u); break;
    case Apply::TextColour:
    case Apply::TextBackground:
    case Apply::Background:
      ApplyColours(u);
      InvalidateRect(w, nullptr, TRUE);
      break;
    case Apply::Font: ApplyFont(u); break;
    case Apply::WrapLabels: SwitchStyle(w, LVS_NOLABELWRAP, !u.data.wrapLabels); break;
    case Apply::HideHeader: SwitchStyle(w, LVS_NOCOLUMNHEADER, u.data.hideColumnHeader != 0); break;
    case Apply::HeaderImages: ApplyHeaderImages(u); break;
    case Apply::Images: ApplyImages(u); break;
    case Apply::StateImages: ApplyStateImages(u); break;
    case Apply::Selection: ApplySelection(u); break;
    case Apply::Rows: ApplyRows(u); break;
    case Apply::Nothing: break;
  }
}
}  // namespace

uint32_t __cdecl GetListViewProperty(void* object, uint32_t index, PropertyPair* out) {
  static const forms::ListViewData kDefaults;
  ListViewUnit* u = FromObject(object);
  const forms::ListViewData& d = u ? u->data : kDefaults;
  HWND w = u ? u->Window() : nullptr;
  if (!out || index >= prop::Count) return 0;
  auto ask = [&](UINT message, uint32_t stored) {
    return w ? static_cast<uint32_t>(SendMessageA(w, message, 0, 0)) : stored;
  };
  PropertyPair v{0, 0};
  switch (index) {
    case prop::Border: v.first = d.border; break;
    case prop::TextColour: v.first = ask(LVM_GETTEXTCOLOR, d.textColour); break;
    case prop::TextBackground: v.first = ask(LVM_GETTEXTBKCOLOR, d.textBackground); break;
    case prop::Background: v.first = ask(LVM_GETBKCOLOR, d.background); break;
    case prop::Font: v = Bytes(d.font); break;
    case prop::View: v.first = d.view; break;
    case prop::IconAlignment: v.first = d.iconAlignment; break;
    case prop::AutoArrange: v.first = d.autoArrange; break;
    case prop::WrapLabels: v.first = d.wrapLabels; break;
    case prop::Columns: v = Bytes(d.columns); break;
    case prop::HideHeader: v.first = d.hideColumnHeader; break;
    case prop::HeaderImages: v = Bytes(d.headerImages); break;
    case prop::ClickableHeader: v.first = d.clickableHeader; break;
    case prop::FullRowSelect: v.first = d.fullRowSelect; break;
    case prop::GridLines: v.first = d.gridLines; break;
    case prop::DragHeaders: v.first = d.dragColumnHeaders; break;
    case prop::Images: v = Bytes(d.images); break;
    case prop::StateImages: v = Bytes(d.stateImages); break;
    case prop::HotTracking: v.first = d.hotTracking; break;
    case prop::HandCursor: v.first = d.handCursorWhenHot; break;
    case prop::UnderlineCold: v.first = d.underlineCold; break;
    case prop::UnderlineHot: v.first = d.underlineHot; break;
    case prop::EditLabels: v.first = d.editLabels; break;
    case prop::SortOrder: v.first = d.sortOrder; break;
    case prop::CheckBoxes: v.first = d.checkBoxes; break;
    case prop::FlatScrollBars: v.first = d.flatScrollBars; break;
    case prop::SingleSelection: v.first = d.singleSelection; break;
    case prop::SelectedRow:
      v.first = w ? static_cast<uint32_t>(SendMessageA(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))
                  : static_cast<uint32_t>(-1);
      break;
    case prop::AlwaysShowSelection: v.first = d.alwaysShowSelection; break;
    case prop::Rows: v = Bytes(d.rows); break;
    case prop::EditedText: v.first = u && !u->editedText.empty() ? Word(u->editedText.c_str()) : 0; break;
  }
  *out = v;
  return 1;
}

uint32_t __cdecl ListViewPropertyChanged(void* object, uint32_t index, PropertyPair value, uint32_t) {
  ListViewUnit* u = FromObject(object);
  if (!u) return 0;
  std::string bytes;
  if (CarriesBytes(index) && value.first && value.second)
    bytes.assign(FromWord<const char>(value.first), value.second);
  WriteOutcome outcome = StoreProperty(u->data, index, value.FirstWord(), bytes);
  if (u->Window() && IsWindow(u->Window())) ApplyNow(*u, outcome.apply);
  return outcome.recreate ? 1 : 0;
}

}  // namespace lv
