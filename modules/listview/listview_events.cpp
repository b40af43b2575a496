// The control's notifications, reflected back by its parent, turned into the list view's events:
// 0 focused row, 1 activated, 2 header click, 3 hot row, 4 left click, 5 right click, 6 and 7 label
// edit, 8 check box; and the info tips of the initial rows.
#include <cstring>

#include "modules/listview/listview_unit.h"

namespace lv {
namespace {

// A click on a row's check-box icon: the control toggles the box after this notification, so the
// row travels in a posted message and the event is raised when the box shows its new state.
void PostIfOnCheckBox(ListViewUnit& u, POINT at) {
  LVHITTESTINFO hit{};
  hit.pt = at;
  int row = static_cast<int>(SendMessageA(u.Window(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
    PostMessageA(u.Window(), kCheckChangedMessage, static_cast<WPARAM>(row), 0);
}

std::string Narrow(const wchar_t* text) {
  if (!text) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &s[0], n, nullptr, nullptr);
  s.resize(std::strlen(s.c_str()));
  return s;
}

// Event 7 with the new text in the unit's slot; false when the handler rejects the text.
bool EndLabelEdit(ListViewUnit& u, int row, bool given, const std::string& text) {
  if (row < 0) return true;
  u.editedText = given ? text : CellText(u.Window(), row, 0);
  bool returned = false;
  uint32_t value = 0;
  u.Raise(7, {static_cast<uint32_t>(row)}, &returned, &value);
  u.editedText.clear();
  return !(returned && value == 0);
}

const std::string* TipOf(const ListViewUnit& u, int row) {
  return row >= 0 && static_cast<size_t>(row) < u.tips.size() ? &u.tips[static_cast<size_t>(row)] : nullptr;
}

}  // namespace

bool HandleNotify(ListViewUnit& u, const NMHDR* header, LRESULT* result) {
  *result = 0;
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      auto n = reinterpret_cast<const NMLISTVIEW*>(header);
      if (n->iItem >= 0 && (n->uChanged & LVIF_STATE) && (n->uNewState & LVIS_FOCUSED) &&
          !(n->uOldState & LVIS_FOCUSED))
        u.Raise(0);
      return true;
    }
    case LVN_ITEMACTIVATE: u.Raise(1); return true;
    case LVN_COLUMNCLICK:
      u.Raise(2, {static_cast<uint32_t>(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem)});
      return true;
    case LVN_HOTTRACK: {
      int row = reinterpret_cast<const NMLISTVIEW*>(header)->iItem;
      if (row != u.hotRow) {
        u.hotRow = row;
        if (row >= 0) u.Raise(3, {static_cast<uint32_t>(row)});
      }
      return true;  // 0: the control goes on with its own tracking
    }
    case NM_CLICK:
    case NM_RCLICK:
    case NM_DBLCLK: {
      PostIfOnCheckBox(u, reinterpret_cast<const NMITEMACTIVATE*>(header)->ptAction);
      if (header->code == NM_CLICK) u.Raise(4);
      if (header->code == NM_RCLICK) u.Raise(5);
      return true;
    }
    case LVN_KEYDOWN: {
      if (u.data.checkBoxes && reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_SPACE) {
        int row = static_cast<int>(SendMessageA(u.Window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        if (row >= 0) PostMessageA(u.Window(), kCheckChangedMessage, static_cast<WPARAM>(row), 0);
      }
      return true;
    }
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW: {
      int row = reinterpret_cast<const NMLVDISPINFOA*>(header)->item.iItem;
      if (row < 0) return true;
      bool returned = false;
      uint32_t value = 0;
      u.Raise(6, {static_cast<uint32_t>(row)}, &returned, &value);
      *result = returned && value == 0 ? TRUE : FALSE;  // TRUE cancels the edit
      return true;
    }
    case LVN_ENDLABELEDITA: {
      auto n = reinterpret_cast<const NMLVDISPINFOA*>(header);
      const char* text = n->item.pszText;
      *result = EndLabelEdit(u, n->item.iItem, text != nullptr, text ? text : "") ? TRUE : FALSE;
      return true;
    }
    case LVN_ENDLABELEDITW: {
      auto n = reinterpret_cast<const NMLVDISPINFOW*>(header);
      *result = EndLabelEdit(u, n->item.iItem, n->item.pszText != nullptr, Narrow(n->item.pszText)) ? TRUE : FALSE;
      return true;
    }
    case LVN_GETINFOTIPA: {
      auto n = reinterpret_cast<const NMLVGETINFOTIPA*>(header);
      const std::string* tip = TipOf(u, n->iItem);
      if (tip && n->pszText && n->cchTextMax > 0) lstrcpynA(n->pszText, tip->c_str(), n->cchTextMax);
      return true;
    }
    case LVN_GETINFOTIPW: {
      auto n = reinterpret_cast<const NMLVGETINFOTIPW*>(header);
      const std::string* tip = TipOf(u, n->iItem);
      if (tip && n->pszText && n->cchTextMax > 0) {
        int got = MultiByteToWideChar(CP_ACP, 0, tip->c_str(), -1, n->pszText, n->cchTextMax);
        if (got == 0) n->pszText[n->cchTextMax - 1] = 0;
      }
      return true;
    }
    default: return false;
  }
}

void HandleCheckChanged(ListViewUnit& u, int32_t row) {
  auto state = static_cast<uint32_t>(SendMessageA(u.Window(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
  u.Raise(8, {static_cast<uint32_t>(row), (state >> 12) - 1});
}

}  // namespace lv
