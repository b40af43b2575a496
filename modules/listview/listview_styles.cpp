#include "modules/listview/listview_styles.h"

#include <windows.h>
#include <commctrl.h>

namespace lv {

uint32_t WindowStyleFor(const forms::ListViewData& d, uint32_t extraStyle) {
  uint32_t s = extraStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  switch (d.view) {
    case 0: s |= LVS_ICON; break;
    case 1: s |= LVS_SMALLICON; break;
    case 2: s |= LVS_LIST; break;
    default: s |= LVS_REPORT; break;
  }
  if (IsIconView(d.view)) {
    if (d.iconAlignment == 1) s |= LVS_ALIGNLEFT;
    if (d.autoArrange) s |= LVS_AUTOARRANGE;
    if (!d.wrapLabels) s |= LVS_NOLABELWRAP;
  }
  if (IsReportView(d.view)) {
    if (d.hideColumnHeader) s |= LVS_NOCOLUMNHEADER;
    else if (!d.clickableHeader) s |= LVS_NOSORTHEADER;
  }
  if (d.editLabels) s |= LVS_EDITLABELS;
  if (d.sortOrder == 1) s |= LVS_SORTASCENDING;
  else if (d.sortOrder != 0) s |= LVS_SORTDESCENDING;
  if (d.singleSelection) s |= LVS_SINGLESEL;
  if (d.alwaysShowSelection) s |= LVS_SHOWSELALWAYS;
  return s;
}

uint32_t ExtendedStyleFor(const forms::ListViewData& d) {
  uint32_t ex = LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP;
  if (IsReportView(d.view)) {
    if (!d.hideColumnHeader && d.dragColumnHeaders) ex |= LVS_EX_HEADERDRAGDROP;
    if (d.fullRowSelect) ex |= LVS_EX_FULLROWSELECT;
    if (d.gridLines) ex |= LVS_EX_GRIDLINES;
  }
  if (d.hotTracking) {
    ex |= LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE;
    if (d.underlineCold) ex |= LVS_EX_UNDERLINECOLD;
    if (d.underlineHot) ex |= LVS_EX_UNDERLINEHOT;
  }
  if (d.checkBoxes) ex |= LVS_EX_CHECKBOXES;
  if (d.flatScrollBars) ex |= LVS_EX_FLATSB;
  return ex;
}

BorderStyle BorderStyleFor(uint32_t border) {
  switch (border) {
    case 1: return {WS_EX_CLIENTEDGE, 0};
    case 2: return {WS_EX_DLGMODALFRAME, 0};
    case 3: return {WS_EX_STATICEDGE, 0};
    case 4: return {WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0};
    case 5: return {0, WS_BORDER};
    default: return {0, 0};
  }
}

BorderStyle BorderStyleMask() { return {WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME, WS_BORDER}; }

}  // namespace lv
