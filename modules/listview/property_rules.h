// What writing one of the list view's own properties does to its stored values, and what must
// follow on the live control: an immediate change, or a re-creation. Pure, so the clamping and
// the re-creation answers can be tested without a window.
#pragma once
#include <cstdint>
#include <string>

#include "forms/listview_data.h"

namespace lv {

// Type-specific property indexes (property number - 8).
namespace prop {
enum : uint32_t {
  Border = 0, TextColour, TextBackground, Background, Font, View, IconAlignment, AutoArrange, WrapLabels, Columns,
  HideHeader, HeaderImages, ClickableHeader, FullRowSelect, GridLines, DragHeaders, Images, StateImages, HotTracking,
  HandCursor, UnderlineCold, UnderlineHot, EditLabels, SortOrder, CheckBoxes, FlatScrollBars, SingleSelection,
  SelectedRow, AlwaysShowSelection, Rows, EditedText, Count
};
}  // namespace prop

// The change the live control needs at once.
enum class Apply {
  Nothing, Border, TextColour, TextBackground, Background, Font, WrapLabels, HideHeader, HeaderImages, Images,
  StateImages, Selection, Rows
};

struct WriteOutcome {
  bool recreate = false;  // the form engine must build the unit anew to show the change
  Apply apply = Apply::Nothing;
};

// Stores the written value into d, clamped where the property has a range. `value` is the first
// dword of the exchanged pair; `bytes` the data of font, image list, column and row properties.
WriteOutcome StoreProperty(forms::ListViewData& d, uint32_t index, uint32_t value, const std::string& bytes);

}  // namespace lv
