// The control styles a list view's data asks for. Pure: numbers in, numbers out.
#pragma once
#include <cstdint>

#include "forms/listview_data.h"

namespace lv {

// Views 0 and 1 show icons; 3, and any value the data may hold beyond it, is the report view.
inline bool IsIconView(uint32_t view) { return view == 0 || view == 1; }
inline bool IsReportView(uint32_t view) { return view >= 3; }

// WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, the view and its options, plus the caller's extra style.
uint32_t WindowStyleFor(const forms::ListViewData& d, uint32_t extraStyle);
// Every extended list view style at once (the control is told to replace all of them).
uint32_t ExtendedStyleFor(const forms::ListViewData& d);

// The frame of border kinds 0 to 5: extended window style and plain style bits.
struct BorderStyle {
  uint32_t exStyle;
  uint32_t style;
};
BorderStyle BorderStyleFor(uint32_t border);
// The bits that any border kind may set, removed before a new kind is applied.
BorderStyle BorderStyleMask();

}  // namespace lv
