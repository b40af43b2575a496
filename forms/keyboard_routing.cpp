// What a loaded window does with a message aimed at it or at one of its units before the
// message is dispatched: shortcuts, dragging, focus keys, mnemonics and the common input events.
#include <windows.h>
#include <windowsx.h>

#include <cctype>
#include <string>

#include "forms/template_store.h"
#include "forms/units/unit_base.h"
#include "forms/window_registry.h"
#include "forms/window_unit.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"
#include "runtime/startup.h"

namespace forms {
namespace {
constexpr uint32_t kDefaultButtonType = 0x800, kDragsWindow = 0x4000000;

bool IsKeyboardMessage(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

// The loaded window unit that a window belongs to: itself or its nearest top-level ancestor.
WindowUnit* OwningWindowUnit(HWND target) {
  for (HWND w = target; w; w = GetParent(w)) {
    UnitObjectHead* head = UnitOfWindow(w);
    if (WindowUnit* unit = AsWindowUnit(head)) return LoadedWindowUnit(unit->head.windowId) == unit ? unit : nullptr;
    if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

// The nearest unit at or above target inside the window unit's window.
UnitObjectHead* TargetUnit(HWND target, WindowUnit& window) {
  for (HWND w = target; w; w = GetParent(w)) {
    if (w == window.head.window) return &window.head;
    if (UnitObjectHead* head = UnitOfWindow(w)) return head;
  }
  return nullptr;
}

const UnitTypeInfo* TypeOfHead(const UnitObjectHead* head) { return head ? UnitType(head->type) : nullptr; }

template <class Fn>
Fn UnitFunction(const UnitObjectHead* head, uint32_t number) {
  const UnitTypeInfo* type = TypeOfHead(head);
  return type && type->interfaceGetter ? reinterpret_cast<Fn>(type->interfaceGetter(number)) : nullptr;
}

bool Raise(const UnitObjectHead& unit, int32_t event, std::initializer_list<uint32_t> args, EventRecord* out = nullptr) {
  EventRecord r{};
  r.windowId = unit.windowId;
  r.unitId = unit.unitId;
  r.eventIndex = event;
  for (uint32_t a : args) r.args[r.argCount++] = a;
  AddrWord ran = rt::ServiceEntry()(svc::RaiseEvent, Word(&r), 0);
  if (out) *out = r;
  return ran != 0;
}

uint32_t KeyShiftState() {
  return ((GetKeyState(VK_CONTROL) & 0x8000) ? 1u : 0u) | ((GetKeyState(VK_SHIFT) & 0x8000) ? 2u : 0u) |
         ((GetKeyState(VK_MENU) & 0x8000) ? 4u : 0u);
}
uint32_t MouseShiftState(WPARAM wp) {
  return ((wp & MK_CONTROL) ? 1u : 0u) | ((wp & MK_SHIFT) ? 2u : 0u) | ((GetKeyState(VK_MENU) & 0x8000) ? 4u : 0u);
}

// The units of the window in record order, with their objects.
template <class Fn>
void ForEachUnit(uint32_t windowId, Fn fn) {
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) return;
  for (uint32_t i = 1; i < window->Table().Count(); ++i) {
    auto ref = window->Table().ByIndex(i);
    if (!ref || window->Table().IsMenuItem(i)) continue;
    UnitObjectHead* o = RecordObject(*window, *ref);
    if (IsLiveWindow(o) && fn(o)) return;
  }
}

bool IsEnabledDefaultButton(const UnitObjectHead* head) {
  const UnitTypeInfo* type = TypeOfHead(head);
  if (!type || !(type->stateFlags & kDefaultButtonType) || !IsWindowEnabled(head->window)) return false;
  auto isDefault = UnitFunction<UnitIsDefaultButtonFn>(head, unitif::IsDefaultButton);
  return isDefault && isDefault(const_cast<UnitObjectHead*>(head));
}

void MoveFocus(WindowUnit& window, bool backwards) {
  HWND next = GetNextDlgTabItem(window.head.window, GetFocus(), backwards ? TRUE : FALSE);
  if (next) SetFocus(next);
}

void OpenHelp(WindowUnit& window) {
  std::string file = window.data.helpFile;
  if (file.empty()) {
    const rt::RuntimeApp& app = rt::App();
    std::string path = app.programDirectorySlash + app.programFileName;
    size_t dot = path.find_last_of('.');
    file = (dot == std::string::npos ? path : path.substr(0, dot)) + ".hlp";
  }
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  if (window.data.helpContext)
    WinHelpA(window.head.window, file.c_str(), HELP_CONTEXT, window.data.helpContext);
  else
    WinHelpA(window.head.window, file.c_str(), HELP_FINDER, 0);
  window.helpOpened = true;
}

// Alt with a letter or digit: the first visible, enabled button-like unit whose text holds
// "&" and that character.
bool Mnemonic(WindowUnit& window, char key) {
  bool done = false;
  ForEachUnit(window.head.windowId, [&](UnitObjectHead* o) {
    if (!IsWindowVisible(o->window) || !IsWindowEnabled(o->window)) return false;
    const UnitTypeInfo* type = TypeOfHead(o);
    bool button = type && (type->stateFlags & kDefaultButtonType);
    bool label = o->type == tc::Label;
    if (!button && !label) return false;
    std::string text = WindowTextOf(o->window);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      if (static_cast<unsigned char>(text[i]) >= 0x80) {
        ++i;  // a double-byte character
        continue;
      }
      if (text[i] == '&' && std::toupper(static_cast<unsigned char>(text[i + 1])) == key) {
        if (button) {
          Raise(*o, 0, {});
        } else {
          HWND next = GetNextDlgTabItem(window.head.window, o->window, FALSE);
          if (next) SetFocus(next);
        }
        done = true;
        return true;
      }
    }
    return false;
  });
  return done;
}

bool HandleKey(WindowUnit& window, MSG* msg) {
  UINT key = static_cast<UINT>(msg->wParam);
  if (msg->message == WM_SYSKEYDOWN && (std::isalnum(static_cast<int>(key)) != 0) && key < 0x80)
    return Mnemonic(window, static_cast<char>(std::toupper(static_cast<int>(key))));
  if (msg->message != WM_KEYDOWN) return false;
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE && key != VK_F1) return false;
  UnitObjectHead* focused = UnitOfWindow(GetFocus());
  if (focused && focused->windowId == window.head.windowId) {
    auto wants = UnitFunction<UnitWantsKeyFn>(focused, unitif::WantsKey);
    if (wants && wants(focused, key)) return false;
  }
  uint32_t windowId = window.head.windowId;
  switch (key) {
    case VK_TAB:
      MoveFocus(window, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
      return true;
    case VK_RETURN: {
      if (focused && focused->windowId == windowId && IsEnabledDefaultButton(focused)) {
        Raise(*focused, 0, {});
        return true;
      }
      if (window.data.enterMovesFocus) {
        MoveFocus(window, false);
        return true;
      }
      UnitObjectHead* button = nullptr;
      ForEachUnit(windowId, [&](UnitObjectHead* o) { return IsEnabledDefaultButton(o) ? (button = o, true) : false; });
      if (!button) return false;
      Raise(*button, 0, {});
      return true;
    }
    case VK_ESCAPE:
      if (!window.data.escCloses) return false;
      SendMessageA(window.head.window, WM_CLOSE, 0, 0);
      return true;
    case VK_F1:
      if (!window.data.f1OpensHelp) return false;
      OpenHelp(window);
      return true;
    default: return false;
  }
}

// The common input events -1 to -12; true when a handler dropped the message.
bool CommonInputEvent(WindowUnit& window, MSG* msg) {
  UnitObjectHead* unit = TargetUnit(msg->hwnd, window);
  if (!unit) return false;
  EventRecord r{};
  uint32_t x = static_cast<uint32_t>(GET_X_LPARAM(msg->lParam)), y = static_cast<uint32_t>(GET_Y_LPARAM(msg->lParam));
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (!Raise(*unit, msg->message == WM_KEYDOWN ? -9 : -10, {static_cast<uint32_t>(msg->wParam), KeyShiftState()}, &r))
        return false;
      return r.hasResult && r.result == 0;
    case WM_CHAR:
      if (!Raise(*unit, -11, {static_cast<uint32_t>(msg->wParam)}, &r) || !r.hasResult) return false;
      if (r.result == 0) return true;
      msg->wParam = r.result;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: {
      int32_t event = msg->message == WM_LBUTTONDOWN ? -1 : msg->message == WM_LBUTTONUP ? -2
                      : msg->message == WM_LBUTTONDBLCLK ? -3 : msg->message == WM_RBUTTONDOWN ? -4
                      : msg->message == WM_RBUTTONUP ? -5 : -6;
      if (!Raise(*unit, event, {x, y, MouseShiftState(msg->wParam)}, &r)) return false;
      return r.hasResult && r.result == 0;
    }
    case WM_MOUSEWHEEL: {
      int32_t steps = GET_WHEEL_DELTA_WPARAM(msg->wParam) / WHEEL_DELTA;
      if (!Raise(*unit, -12, {static_cast<uint32_t>(steps), MouseShiftState(GET_KEYSTATE_WPARAM(msg->wParam))}, &r))
        return false;
      return r.hasResult && r.result == 0;
    }
    default: return false;
  }
}

bool StartsDrag(WindowUnit& window, MSG* msg) {
  if (msg->message != WM_LBUTTONDOWN || !window.data.dragByClient) return false;
  bool background = msg->hwnd == window.head.window;
  UnitObjectHead* unit = background ? nullptr : UnitOfWindow(msg->hwnd);
  const UnitTypeInfo* type = TypeOfHead(unit);
  if (!background && !(type && (type->stateFlags & kDragsWindow))) return false;
  ReleaseCapture();
  SendMessageA(window.head.window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return true;
}
}  // namespace

bool PreTranslateMessage(MSG* msg) {
  if (!msg->hwnd) return false;
  WindowUnit* window = OwningWindowUnit(msg->hwnd);
  if (!window) return false;
  HWND hwnd = window->head.window;
  bool keyboard = IsKeyboardMessage(msg->message);
  if (keyboard && !IsWindowEnabled(hwnd)) return false;
  if (keyboard && window->shortcuts && TranslateAcceleratorA(hwnd, window->shortcuts, msg)) return true;
  if (!IsWindow(hwnd)) return true;
  if (StartsDrag(*window, msg)) return true;
  if (keyboard && HandleKey(*window, msg)) return true;
  return CommonInputEvent(*window, msg);
}

}  // namespace forms
