#include "forms/units/unit_base.h"

#include <cstring>

#include "runtime/events.h"
#include "runtime/startup.h"

namespace forms {
namespace {
// The C++ object behind a core unit's window, beside the head that every unit type shares.
}  // namespace

Unit::Unit(TypeCode type, uint32_t windowId, uint32_t unitId) : head(shell.head) {
  shell.self = this;
  head.magic = kUnitObjectMagic;
  head.window = nullptr;
  head.windowId = windowId;
  head.unitId = unitId;
  head.type = type;
}

Unit::~Unit() { head.magic = 0; }

bool Unit::Raise(int32_t event, std::initializer_list<uint32_t> args, bool* returned, uint32_t* result) {
  EventRecord r{};
  r.windowId = head.windowId;
  r.unitId = head.unitId;
  r.eventIndex = event;
  for (uint32_t a : args)
    if (r.argCount < 5) r.args[r.argCount++] = a;
  bool ran = rt::RaiseEvent(r) != 0;
  if (returned) *returned = r.hasResult != 0;
  if (result) *result = r.result;
  return ran;
}

void Unit::Attach(HWND window) {
  head.window = window;
  SetUnitOfWindow(window, &head);
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

bool Unit::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

LRESULT Unit::CallOriginal(UINT message, WPARAM wp, LPARAM lp) {
  return CallWindowProcA(original_, head.window, message, wp, lp);
}

LRESULT CALLBACK Unit::Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  UnitObjectHead* head = UnitOfWindow(window);
  Unit* unit = head ? reinterpret_cast<UnitShell*>(head)->self : nullptr;
  if (!unit) return DefWindowProcA(window, message, wp, lp);
  if (message == WM_NCDESTROY) {
    LRESULT r = unit->CallOriginal(message, wp, lp);
    SetUnitOfWindow(window, nullptr);
    rt::ServiceEntry()(svc::UnitDestroyed, unit->head.windowId, unit->head.unitId);
    delete unit;
    return r;
  }
  LRESULT result = 0;
  if (unit->OnMessage(message, wp, lp, &result)) return result;
  if (unit->raisesFocusEvents_ && (message == WM_SETFOCUS || message == WM_KILLFOCUS)) {
    LRESULT r = unit->CallOriginal(message, wp, lp);
    unit->Raise(message == WM_SETFOCUS ? -7 : -8);
    return r;
  }
  return unit->CallOriginal(message, wp, lp);
}

HWND CreateChildControl(const char* windowClass, const char* text, DWORD style, const Placement& at) {
  return CreateWindowExA(0, windowClass, text, WS_CHILD | WS_CLIPSIBLINGS | at.extraStyle | style, at.x, at.y, at.width,
                         at.height, at.parent, HandleFromWord<HMENU>(at.id),
                         GetModuleHandleA(nullptr), nullptr);
}

void* InterfaceOf(const UnitFunctions& f, uint32_t number) {
  switch (number) {
    case unitif::Create: return reinterpret_cast<void*>(f.create);
    case unitif::PropertyChanged: return reinterpret_cast<void*>(f.propertyChanged);
    case unitif::GetData: return reinterpret_cast<void*>(f.getData);
    case unitif::GetProperty: return reinterpret_cast<void*>(f.getProperty);
    case unitif::WantsKey: return reinterpret_cast<void*>(f.wantsKey);
    case unitif::IsDefaultButton: return reinterpret_cast<void*>(f.isDefaultButton);
    default: return nullptr;
  }
}

bool ReflectToUnit(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) {
  HWND sender = nullptr;
  switch (message) {
    case WM_COMMAND: sender = reinterpret_cast<HWND>(lp); break;
    case WM_NOTIFY: sender = reinterpret_cast<const NMHDR*>(lp)->hwndFrom; break;
    case WM_HSCROLL:
    case WM_VSCROLL: sender = reinterpret_cast<HWND>(lp); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: sender = reinterpret_cast<HWND>(lp); break;
    default: return false;
  }
  if (!sender || !UnitOfWindow(sender)) return false;
  *result = SendMessageA(sender, kReflectBase + message, wp, lp);
  return true;
}

void ApplyBorderStyle(HWND window, uint32_t style) {
  LONG ex = GetWindowLongA(window, GWL_EXSTYLE) & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME);
  LONG plain = GetWindowLongA(window, GWL_STYLE) & ~WS_BORDER;
  switch (style) {
    case 1: ex |= WS_EX_CLIENTEDGE; break;                        // sunken
    case 2: ex |= WS_EX_DLGMODALFRAME; break;                     // raised
    case 3: ex |= WS_EX_STATICEDGE; break;                        // shallow sunken
    case 4: plain |= WS_BORDER; break;                            // single line
    case 5: ex |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;  // double
    case 6: ex |= WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME; break;  // label only: raised shallow
    default: break;
  }
  SetWindowLongA(window, GWL_EXSTYLE, ex);
  SetWindowLongA(window, GWL_STYLE, plain);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HFONT MakeFont(const std::string& logfont, bool* owned) {
  *owned = false;
  if (logfont.size() == sizeof(LOGFONTA)) {
    LOGFONTA lf;
    std::memcpy(&lf, logfont.data(), sizeof lf);
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    if (HFONT f = CreateFontIndirectA(&lf)) {
      *owned = true;
      return f;
    }
  }
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF ResolveColour(uint32_t colour) {
  return colour == 0xFF000000u ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour & 0x00FFFFFF);
}

HGLOBAL ToMovableBlock(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (!block) return nullptr;
  if (!bytes.empty()) {
    void* p = GlobalLock(block);
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

std::string WindowTextOf(HWND window) {
  int n = GetWindowTextLengthA(window);
  std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
  int got = GetWindowTextA(window, &s[0], n + 1);
  s.resize(static_cast<size_t>(got > 0 ? got : 0));
  return s;
}

}  // namespace forms
