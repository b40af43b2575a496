// The window unit: class "WTWindow", created from record 0's data block, raising the window
// events and handing its children's notifications back to them.
#include "forms/window_unit.h"

#include <cstring>
#include <string>

#include "forms/menu_bar.h"
#include "forms/template_store.h"
#include "forms/units/unit_base.h"
#include "forms/window_registry.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"
#include "runtime/startup.h"

namespace forms {
namespace {

// Where the focus goes when the window gets it and no unit had it before: the visible, enabled
// unit that stops on the Tab key and comes first in reading order (top, then left), since the
// program's templates give every unit the same focus order.
HWND FirstTabStop(HWND window) {
  HWND best = nullptr;
  RECT bestRect{};
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (!(style & WS_TABSTOP) || !(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
    RECT r;
    GetWindowRect(child, &r);
    if (!best || r.top < bestRect.top || (r.top == bestRect.top && r.left < bestRect.left)) {
      best = child;
      bestRect = r;
    }
  }
  return best;
}
constexpr const char* kClassName = "WTWindow";

// Raises a window event; true unless the handler gave back false (0).
bool RaiseWindowEvent(WindowUnit& unit, int32_t event) {
  EventRecord r{};
  r.windowId = unit.head.windowId;
  r.unitId = unit.head.unitId;
  r.eventIndex = event;
  rt::ServiceEntry()(svc::RaiseEvent, Word(&r), 0);
  return !(r.hasResult && r.result == 0);
}

void ReleaseWindowUnit(HWND hwnd, WindowUnit* unit) {
  uint32_t windowId = unit->head.windowId, ownId = unit->head.unitId;
  if (unit->shortcuts) DestroyAcceleratorTable(unit->shortcuts);
  if (WindowTemplate* window = FindTemplate(windowId)) {
    UnitTableView table = window->Table();
    for (uint32_t i = 0; i < table.Count(); ++i) {
      auto ref = table.ByIndex(i);
      if (!ref || table.IsMenuItem(i)) continue;
      auto cursor = table.Unit(*ref).CursorSlot();
      if (cursor && *cursor) DestroyCursor(HandleFromWord<HCURSOR>(*cursor));
    }
  }
  if (unit->ownsIcons) {
    if (unit->iconLarge) DestroyIcon(unit->iconLarge);
    if (unit->iconSmall) DestroyIcon(unit->iconSmall);
  }
  SetUnitOfWindow(hwnd, nullptr);
  unit->head.magic = 0;
  delete unit;
  rt::ServiceEntry()(svc::UnitDestroyed, windowId, ownId);
  rt::RuntimeApp& app = rt::App();
  // The program ends with its last window, once start-up has handed over to the main loop.
  if (!app.exiting && app.messageLoopEntered && !AnyWindowAlive()) PostQuitMessage(0);
}

HCURSOR UnitCursor(HWND hwnd) {
  UnitObjectHead* head = UnitOfWindow(hwnd);
  if (!head) return nullptr;
  WindowTemplate* window = FindTemplate(head->windowId);
  if (!window) return nullptr;
  auto ref = FindRecord(*window, head->unitId);
  if (!ref || window->Table().IsMenuItem(ref->index)) return nullptr;
  return HandleFromWord<HCURSOR>(window->Table().Unit(*ref).CursorSlot().value_or(0));
}

void PaintBackground(WindowUnit& unit, HDC dc) {
  RECT r;
  GetClientRect(unit.head.window, &r);
  HBRUSH brush = CreateSolidBrush(ResolveColour(unit.data.background));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // The head comes first in a window unit, so the window's unit object is the unit itself.
  auto unit = reinterpret_cast<WindowUnit*>(UnitOfWindow(hwnd));
  if (!unit) {
    if (msg == WM_NCCREATE) {
      unit = static_cast<WindowUnit*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
      unit->head.window = hwnd;
      SetUnitOfWindow(hwnd, &unit->head);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  LRESULT reflected = 0;
  switch (msg) {
    case WM_COMMAND:
      if (lp) {
        if (ReflectToUnit(msg, wp, lp, &reflected)) return reflected;
        break;
      }
      if (LOWORD(wp) >= kFirstMenuCommand) {
        ChooseMenuCommand(unit->head.windowId, LOWORD(wp));
        return 0;
      }
      break;
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (ReflectToUnit(msg, wp, lp, &reflected)) return reflected;
      break;
    case WM_ERASEBKGND:
      PaintBackground(*unit, reinterpret_cast<HDC>(wp));
      return 1;
    case WM_SETCURSOR:
      if (HCURSOR cursor = UnitCursor(reinterpret_cast<HWND>(wp))) {
        SetCursor(cursor);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      RequestClose(*unit);
      return 0;
    case WM_QUERYENDSESSION:
      return RaiseWindowEvent(*unit, 1) ? TRUE : FALSE;
    case kMsgCloseByCode:
      if (unit->closingByCode) {
        unit->closingByCode = false;
        ReenableDisabledWindows(*unit);
        DestroyWindow(hwnd);
      }
      return 0;
    case WM_MOVE:
      if (unit->loaded) RaiseWindowEvent(*unit, 3);
      break;
    case WM_SIZE:
      if (unit->loaded) RaiseWindowEvent(*unit, 4);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) {
        if (!unit->firstActivationDone) {
          unit->firstActivationDone = true;
          RaiseWindowEvent(*unit, 8);
          if (!IsWindow(hwnd)) return 0;
        }
        RaiseWindowEvent(*unit, 5);
      } else {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) unit->lastFocus = focus;
        RaiseWindowEvent(*unit, 6);
      }
      if (!IsWindow(hwnd)) return 0;
      break;
    case WM_SETFOCUS: {
      // The focus belongs to the unit that had it last, else to the first that takes it.
      HWND target = unit->lastFocus && IsWindow(unit->lastFocus) && IsChild(hwnd, unit->lastFocus)
                        ? unit->lastFocus
                        : FirstTabStop(hwnd);
      if (target && target != hwnd && IsWindowEnabled(target)) SetFocus(target);
      return 0;
    }
    case WM_SHOWWINDOW:
      if (unit->loaded) RaiseWindowEvent(*unit, wp ? 10 : 11);
      break;
    case WM_DESTROY: {
      unit->loaded = false;  // moves and size changes of the going window raise nothing
      RaiseWindowEvent(*unit, 2);
      ReenableDisabledWindows(*unit);
      if (unit->helpOpened) WinHelpA(hwnd, nullptr, HELP_QUIT, 0);
      HMENU menu = GetMenu(hwnd);
      SetMenu(hwnd, nullptr);
      if (menu) DestroyMenu(menu);
      break;
    }
    case WM_NCDESTROY: {
      LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
      ReleaseWindowUnit(hwnd, unit);
      return r;
    }
    default: break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterWindowClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
  done = true;
}

void SetIcons(WindowUnit& unit) {
  if (!unit.data.icon.empty()) {
    auto bytes = reinterpret_cast<PBYTE>(&unit.data.icon[0]);
    int offset = LookupIconIdFromDirectoryEx(bytes, TRUE, 0, 0, LR_DEFAULTCOLOR);
    if (offset > 0 && static_cast<size_t>(offset) < unit.data.icon.size()) {
      DWORD size = static_cast<DWORD>(unit.data.icon.size() - offset);
      unit.iconLarge = CreateIconFromResourceEx(bytes + offset, size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
      unit.iconSmall = CreateIconFromResourceEx(bytes + offset, size, TRUE, 0x00030000, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
      unit.ownsIcons = unit.iconLarge != nullptr;
    }
  }
  if (!unit.iconLarge) {
    HICON pair[2] = {nullptr, nullptr};
    rt::ServiceEntry()(svc::ProgramIcons, Word(pair), 0);
    unit.iconLarge = pair[0];
    unit.iconSmall = pair[1];
    unit.ownsIcons = false;
  }
  if (unit.iconLarge) SendMessageA(unit.head.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(unit.iconLarge));
  if (unit.iconSmall) SendMessageA(unit.head.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(unit.iconSmall));
}

// Interface 1. The first of the two trailing words says the window is loaded modally.
void* __cdecl Create(const uint8_t* block, uint32_t length, uint32_t extraStyle, HWND owner, uint32_t, HMENU menu,
                     int32_t left, int32_t top, int32_t width, int32_t height, uint32_t windowId, uint32_t unitId,
                     uint32_t modal, uint32_t) {
  auto decoded = DecodeBlock<WindowData>({block, length});
  if (!decoded) return nullptr;
  RegisterWindowClass();
  auto unit = new WindowUnit;
  unit->head = {kUnitObjectMagic, nullptr, windowId, unitId, tc::Window};
  unit->data = *decoded;
  const WindowData& d = unit->data;

  DWORD style = WS_CLIPCHILDREN | extraStyle, ex = 0;
  bool sizing = d.border == 1 || d.border == 3 || d.border == 5;
  if (d.border != 0) {
    style |= WS_DLGFRAME;
    if (!d.caption.empty() || d.controlBox) style |= WS_CAPTION;
    if (d.controlBox) style |= WS_SYSMENU | WS_CAPTION;
    if (sizing) style |= WS_THICKFRAME;
    if (d.border == 3 || d.border == 4) ex |= WS_EX_TOOLWINDOW;
    if (d.border == 5 || d.border == 6) ex |= WS_EX_CLIENTEDGE;
  }
  if (d.maximizeButton == 1) style |= WS_MAXIMIZEBOX;
  if (d.minimizeButton == 1) style |= WS_MINIMIZEBOX;
  if (d.startPosition == 1) {
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  } else if (d.startPosition == 2) {
    style |= WS_MINIMIZE;
  } else if (d.startPosition == 3 && sizing) {
    style |= WS_MAXIMIZE;
  }
  if (owner) style |= WS_POPUP;
  else if (modal || !d.shownInTaskbar) owner = rt::App().hiddenOwner;

  HWND hwnd = CreateWindowExA(ex, kClassName, d.caption.c_str(), style, left, top, width, height, owner, menu,
                              GetModuleHandleA(nullptr), unit);
  if (!hwnd) {
    delete unit;
    return nullptr;
  }
  RECT r;
  GetWindowRect(hwnd, &r);
  if (!(style & (WS_MINIMIZE | WS_MAXIMIZE)) && (r.right - r.left != width || r.bottom - r.top != height))
    MoveWindow(hwnd, left, top, width, height, FALSE);
  SetIcons(*unit);
  return &unit->head;
}

// The type-specific fields in property order: 0 caption, then the block's fields.
uint32_t* DwordField(WindowData& d, uint32_t index) {
  uint32_t* fields[] = {nullptr, &d.border, &d.setting3, &d.background, &d.maximizeButton, &d.minimizeButton,
                        &d.controlBox, &d.startPosition, &d.setting9, &d.setting10, &d.enterMovesFocus,
                        &d.escCloses, &d.f1OpensHelp, &d.helpContext, &d.shownInTaskbar, &d.dragByClient,
                        &d.setting17, &d.setting18, &d.setting19};
  return index < sizeof fields / sizeof fields[0] ? fields[index] : nullptr;
}
std::string* TextField(WindowData& d, uint32_t index) {
  switch (index) {
    case 0: return &d.caption;
    case 19: return &d.text;
    case 23: return &d.helpFile;
    default: return nullptr;
  }
}
std::string* BytesField(WindowData& d, uint32_t index) {
  switch (index) {
    case 20: return &d.picture;
    case 21: return &d.icon;
    case 22: return &d.byteArray23;
    default: return nullptr;
  }
}

uint32_t __cdecl PropertyChanged(void* object, uint32_t index, PropertyPair value, uint32_t) {
  WindowUnit* unit = AsWindowUnit(static_cast<UnitObjectHead*>(object));
  if (!unit) return 0;
  WindowData& d = unit->data;
  if (std::string* text = TextField(d, index)) {
    auto p = FromWord<const char>(value.first);
    *text = p ? p : "";
    if (index == 0) SetWindowTextA(unit->head.window, text->c_str());
  } else if (std::string* bytes = BytesField(d, index)) {
    auto p = FromWord<const char>(value.first);
    bytes->assign(p ? p : "", p ? value.second : 0);
  } else if (uint32_t* field = DwordField(d, index)) {
    *field = value.FirstWord();
    if (index == 3) InvalidateRect(unit->head.window, nullptr, TRUE);
  }
  return 0;  // the window is never re-created
}

HGLOBAL __cdecl GetData(void* object) {
  WindowUnit* unit = AsWindowUnit(static_cast<UnitObjectHead*>(object));
  return unit ? ToMovableBlock(EncodeBlock(unit->data)) : nullptr;
}

uint32_t __cdecl GetProperty(void* object, uint32_t index, PropertyPair* out) {
  static WindowData defaults;
  WindowUnit* unit = object ? AsWindowUnit(static_cast<UnitObjectHead*>(object)) : nullptr;
  WindowData& d = unit ? unit->data : defaults;
  if (!out) return 0;
  if (unit && index == 0) d.caption = WindowTextOf(unit->head.window);
  if (std::string* text = TextField(d, index)) {
    *out = {Word(text->c_str()), 0};
  } else if (std::string* bytes = BytesField(d, index)) {
    *out = {Word(bytes->data()), static_cast<uint32_t>(bytes->size())};
  } else if (uint32_t* field = DwordField(d, index)) {
    *out = {*field, 0};
  } else {
    return 0;
  }
  return 1;
}

}  // namespace

WindowUnit* AsWindowUnit(UnitObjectHead* object) {
  if (!object || object->magic != kUnitObjectMagic || object->type != tc::Window) return nullptr;
  return reinterpret_cast<WindowUnit*>(object);
}

WindowUnit* LoadedWindowUnit(uint32_t windowId) {
  UnitObjectHead* object = LiveObject(windowId, 0);
  return IsLiveWindow(object) ? AsWindowUnit(object) : nullptr;
}

void ReenableDisabledWindows(WindowUnit& unit) {
  auto list = std::move(unit.disabledByModal);
  unit.disabledByModal.clear();
  for (auto& [window, wasEnabled] : list)
    if (IsWindow(window)) EnableWindow(window, wasEnabled);
}

void ShowLoadedWindow(WindowUnit& unit) {
  int how = unit.data.startPosition == 2 ? SW_SHOWMINIMIZED : unit.data.startPosition == 3 ? SW_SHOWMAXIMIZED : SW_SHOW;
  ShowWindow(unit.head.window, how);
}

bool RequestClose(WindowUnit& unit) {
  HWND hwnd = unit.head.window;
  if (!RaiseWindowEvent(unit, 12) || !IsWindow(hwnd)) return !IsWindow(hwnd);
  if (!RaiseWindowEvent(unit, 1) || !IsWindow(hwnd)) return !IsWindow(hwnd);
  ReenableDisabledWindows(unit);
  DestroyWindow(hwnd);
  return true;
}

void* __cdecl WindowInterface(uint32_t number) {
  switch (number) {
    case unitif::Create: return reinterpret_cast<void*>(Create);
    case unitif::PropertyChanged: return reinterpret_cast<void*>(PropertyChanged);
    case unitif::GetData: return reinterpret_cast<void*>(GetData);
    case unitif::GetProperty: return reinterpret_cast<void*>(GetProperty);
    default: return nullptr;
  }
}

}  // namespace forms
