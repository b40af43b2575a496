// Putting the unit's data onto its control: at creation, and again when a property write asks
// for an immediate change.
#include <cstring>
#include <vector>

#include "modules/listview/image_list_blob.h"
#include "modules/listview/list_item_records.h"
#include "modules/listview/listview_styles.h"
#include "modules/listview/listview_unit.h"

namespace lv {
namespace {
COLORREF Resolve(uint32_t colour) {
  return colour == 0xFF000000u ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

int ImageCount(HWND list, int which) {
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, which, 0));
  return images ? ImageList_GetImageCount(images) : 0;
}

// Puts a new list of one kind on the control; the list it replaces is freed when it was ours.
void Replace(HWND window, int which, HIMAGELIST fresh, HIMAGELIST& ours) {
  auto old = reinterpret_cast<HIMAGELIST>(SendMessageA(window, LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(fresh)));
  if (ours && old == ours) ImageList_Destroy(ours);
  ours = fresh;
}
}  // namespace

void ApplyBorder(ListViewUnit& u) {
  HWND w = u.Window();
  BorderStyle mask = BorderStyleMask(), add = BorderStyleFor(u.data.border);
  LONG ex = (GetWindowLongA(w, GWL_EXSTYLE) & ~static_cast<LONG>(mask.exStyle)) | static_cast<LONG>(add.exStyle);
  LONG style = (GetWindowLongA(w, GWL_STYLE) & ~static_cast<LONG>(mask.style)) | static_cast<LONG>(add.style);
  SetWindowLongA(w, GWL_EXSTYLE, ex);
  SetWindowLongA(w, GWL_STYLE, style);
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ApplyFont(ListViewUnit& u) {
  HFONT font = nullptr;
  bool owned = false;
  if (u.data.font.size() == sizeof(LOGFONTA)) {
    LOGFONTA lf;
    std::memcpy(&lf, u.data.font.data(), sizeof lf);
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    font = CreateFontIndirectA(&lf);
    owned = font != nullptr;
  }
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(u.Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (u.ownsFont && u.font) DeleteObject(u.font);
  u.font = font;
  u.ownsFont = owned;
}

void ApplyColours(ListViewUnit& u) {
  HWND w = u.Window();
  SendMessageA(w, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(u.data.textColour));
  SendMessageA(w, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(Resolve(u.data.textBackground)));
  SendMessageA(w, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(Resolve(u.data.background)));
}

void ApplyImages(ListViewUnit& u) {
  Replace(u.Window(), u.data.view == 0 ? LVSIL_NORMAL : LVSIL_SMALL, LoadImageListBlob(u.data.images), u.images);
}

void ApplyStateImages(ListViewUnit& u) {
  HIMAGELIST fresh = LoadImageListBlob(u.data.stateImages);
  // With no list of ours, the control keeps its own (the check boxes' list).
  if (!fresh && !u.stateImages) return;
  Replace(u.Window(), LVSIL_STATE, fresh, u.stateImages);
}

void ApplyHeaderImages(ListViewUnit& u) {
  if (!IsReportView(u.data.view)) return;
  auto header = reinterpret_cast<HWND>(SendMessageA(u.Window(), LVM_GETHEADER, 0, 0));
  if (!header) return;
  HIMAGELIST fresh = LoadImageListBlob(u.data.headerImages);
  if (fresh) ImageList_SetBkColor(fresh, GetSysColor(COLOR_BTNFACE));
  SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(fresh));
  if (u.headerImages) ImageList_Destroy(u.headerImages);
  u.headerImages = fresh;
}

void ApplyRows(ListViewUnit& u) {
  HWND w = u.Window();
  SendMessageA(w, LVM_DELETEALLITEMS, 0, 0);
  auto records = DecodeListItems(u.data.rows);
  u.tips = records ? RowTips(*records) : std::vector<std::string>{};
  if (!records) return;
  int images = ImageCount(w, u.data.view == 0 ? LVSIL_NORMAL : LVSIL_SMALL);
  int states = ImageCount(w, LVSIL_STATE);
  auto image = [&](int32_t i) { return i >= 0 && i < images ? i : -1; };
  int inserted = 0, lastRow = -1, column = 0;
  for (const ListItemRecord& r : *records) {
    LVITEMA item{};
    item.pszText = const_cast<char*>(r.text.c_str());
    item.iImage = image(r.image);
    if (r.kind == 0) {
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
      item.iItem = inserted;
      item.lParam = static_cast<LPARAM>(r.itemData);
      if (IsReportView(u.data.view)) {
        item.mask |= LVIF_INDENT;
        item.iIndent = r.indent;
      }
      if (r.stateImage >= 0 && r.stateImage < states) {
        item.mask |= LVIF_STATE;
        item.state = INDEXTOSTATEIMAGEMASK(r.stateImage + 1);
        item.stateMask = LVIS_STATEIMAGEMASK;
      }
      lastRow = static_cast<int>(SendMessageA(w, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
      if (lastRow >= 0) ++inserted;
      column = 0;
    } else if (lastRow >= 0) {
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = lastRow;
      item.iSubItem = ++column;
      SendMessageA(w, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
}

void ApplySelection(ListViewUnit& u) {
  if (!u.data.singleSelection) return;
  HWND w = u.Window();
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  int32_t row = u.data.selectedRow;
  if (row >= 0) {
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
  } else {
    row = static_cast<int32_t>(SendMessageA(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return;
  }
  SendMessageA(w, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string CellText(HWND list, int32_t row, int32_t column) {
  constexpr size_t kLimit = size_t(1) << 26;  // a cell never holds more; stops a control that always fills the buffer
  std::vector<char> buffer(512);
  for (;;) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    auto n = static_cast<size_t>(SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (n + 1 < buffer.size() || buffer.size() >= kLimit) return std::string(buffer.data(), n < buffer.size() ? n : 0);
    buffer.assign(buffer.size() * 2, '\0');
  }
}

}  // namespace lv
