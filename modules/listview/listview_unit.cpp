#include "modules/listview/listview_unit.h"

#include "modules/listview/listview_styles.h"
#include "modules/listview/runtime_link.h"

namespace lv {
namespace {

void ApplyHotCursor(ListViewUnit& u) {
  if (!u.data.hotTracking) return;
  HCURSOR cursor = nullptr;
  if (u.data.handCursorWhenHot) {
    cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    if (!cursor) cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(2008));
  }
  if (!cursor) cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  SendMessageA(u.Window(), LVM_SETHOTCURSOR, 0, reinterpret_cast<LPARAM>(cursor));
}

void InsertColumns(ListViewUnit& u) {
  if (!IsReportView(u.data.view)) return;
  auto columns = forms::DecodeListColumns(u.data.columns);
  if (!columns) return;
  int index = 0;
  for (const forms::ListColumn& c : *columns) {
    LVCOLUMNA col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    col.fmt = c.alignment == 1 ? LVCFMT_CENTER : c.alignment == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    if (c.headerImage != -1) {
      col.mask |= LVCF_IMAGE;
      col.fmt |= LVCFMT_IMAGE;
      col.iImage = c.headerImage;
    }
    if (c.imageOnRight) col.fmt |= LVCFMT_BITMAP_ON_RIGHT;
    col.cx = static_cast<int>(c.width);
    col.pszText = const_cast<char*>(c.title.c_str());
    SendMessageA(u.Window(), LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&col));
  }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  ListViewUnit* u = FromObject(UnitOfWindow(window));
  if (!u) return DefWindowProcA(window, message, wp, lp);
  switch (message) {
    case WM_NCDESTROY: {
      LRESULT r = CallWindowProcA(u->original, window, message, wp, lp);
      SetUnitOfWindow(window, nullptr);
      uint32_t windowId = u->WindowId(), unitId = u->UnitId();
      delete u;
      ReportUnitDestroyed(windowId, unitId);
      return r;
    }
    case kReflectBase + WM_NOTIFY: {
      LRESULT result = 0;
      auto header = reinterpret_cast<const NMHDR*>(lp);
      if (header && header->hwndFrom == window && HandleNotify(*u, header, &result)) return result;
      return 0;
    }
    case kCheckChangedMessage: HandleCheckChanged(*u, static_cast<int32_t>(wp)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      LRESULT r = CallWindowProcA(u->original, window, message, wp, lp);
      u->Raise(message == WM_SETFOCUS ? -7 : -8);
      return r;
    }
    // Under Wine a visible list redraws its scroll bars at once for every row added, which costs
    // milliseconds a row while a scan streams rows in. The first row of a burst switches the
    // control's drawing off; the timer switches it back on, so the rows and the scroll bars of
    // a burst are drawn once.
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
      if (!u->drawingHeld && !u->drawingOffByCaller && IsWindowVisible(window) &&
          SetTimer(window, kRowBurstTimer, kRowBurstDelayMs, nullptr)) {
        CallWindowProcA(u->original, window, WM_SETREDRAW, FALSE, 0);
        u->drawingHeld = true;
      }
      return CallWindowProcA(u->original, window, message, wp, lp);
    case WM_TIMER:
      if (wp != kRowBurstTimer) return CallWindowProcA(u->original, window, message, wp, lp);
      KillTimer(window, kRowBurstTimer);
      if (u->drawingHeld) {
        u->drawingHeld = false;
        CallWindowProcA(u->original, window, WM_SETREDRAW, TRUE, 0);
      }
      return 0;
    case WM_SETREDRAW:
      // The caller's word on drawing ends a burst's hold.
      if (u->drawingHeld) KillTimer(window, kRowBurstTimer);
      u->drawingHeld = false;
      u->drawingOffByCaller = wp == FALSE;
      return CallWindowProcA(u->original, window, message, wp, lp);
    default: return CallWindowProcA(u->original, window, message, wp, lp);
  }
}

bool ControlsRegistered() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  return registered;
}

}  // namespace

ListViewUnit::ListViewUnit(const forms::ListViewData& d, uint32_t windowId, uint32_t unitId) : data(d) {
  shell.head = UnitObjectHead{kUnitObjectMagic, nullptr, windowId, unitId, tc::ListView};
  shell.self = this;
}

ListViewUnit::~ListViewUnit() {
  shell.head.magic = 0;
  // The control destroys its own normal, small and state lists; the header's list and the font are ours.
  if (headerImages) ImageList_Destroy(headerImages);
  if (ownsFont && font) DeleteObject(font);
}

bool ListViewUnit::Raise(int32_t event, std::initializer_list<uint32_t> args, bool* returned, uint32_t* result) {
  return RaiseEvent(WindowId(), UnitId(), event, args.begin(), static_cast<uint32_t>(args.size()), returned, result);
}

ListViewUnit* FromObject(void* object) {
  auto head = static_cast<UnitObjectHead*>(object);
  if (!head || head->magic != kUnitObjectMagic || head->type != tc::ListView) return nullptr;
  return reinterpret_cast<ListViewShell*>(head)->self;
}

void* __cdecl CreateListView(const uint8_t* bytes, uint32_t length, uint32_t extraStyle, HWND parent,
                             uint32_t controlId, HMENU, int32_t left, int32_t top, int32_t width, int32_t height,
                             uint32_t windowId, uint32_t unitId, uint32_t, uint32_t) {
  auto data = forms::DecodeBlock<forms::ListViewData>({bytes, bytes ? length : 0});
  if (!data || !ControlsRegistered()) return nullptr;
  auto u = new ListViewUnit(*data, windowId, unitId);
  HWND window = CreateWindowExA(0, WC_LISTVIEWA, "", WindowStyleFor(u->data, extraStyle), left, top, width, height,
                                parent, HandleFromWord<HMENU>(controlId),
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) {
    delete u;
    return nullptr;
  }
  u->shell.head.window = window;
  // Subclass before anything else so that notifications raised while the rows go in reach us.
  SetUnitOfWindow(window, &u->shell.head);
  u->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
  SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ExtendedStyleFor(u->data));
  ApplyFont(*u);
  ApplyImages(*u);
  ApplyStateImages(*u);
  ApplyHeaderImages(*u);
  ApplyColours(*u);
  ApplyBorder(*u);
  ApplyHotCursor(*u);
  InsertColumns(*u);
  ApplyRows(*u);
  if (u->data.singleSelection) ApplySelection(*u);
  return u->Object();
}

}  // namespace lv
