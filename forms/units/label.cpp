// The label unit: a window of the private class "_WU_Label" that paints its own caption.
#include <windows.h>

#include <string>

#include "forms/units/core_unit_types.h"
#include "forms/unit_data_blocks.h"
#include "forms/units/unit_base.h"

namespace forms {
namespace {

const char kLabelClass[] = "_WU_Label";

class Label : public Unit {
 public:
  Label(uint32_t windowId, uint32_t unitId) : Unit(tc::Label, windowId, unitId) {}
  ~Label() override {
    if (ownsFont_) DeleteObject(font_);
  }
  LabelData data;

  bool Create(const Placement& at) {
    RegisterClassOnce();
    HWND window = CreateChildControl(kLabelClass, data.caption.c_str(), 0, at);
    if (!window) return false;
    Attach(window);
    text_ = data.caption;
    ApplyBorderStyle(window, data.border);
    SetFont();
    return true;
  }

  void SetFont() {
    if (ownsFont_) DeleteObject(font_);
    font_ = MakeFont(data.font, &ownsFont_);
    InvalidateRect(Window(), nullptr, TRUE);
  }

 protected:
  bool OnMessage(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override {
    switch (message) {
      case WM_PAINT: Paint(); *result = 0; return true;
      case WM_ERASEBKGND: *result = 1; return true;  // painted with the text, without flicker
      case WM_SETTEXT: {
        // A scan sets the text hundreds of times a second and the window paints a few dozen.
        // The text is kept here and handed to the window server (where other programs read a
        // window's text) when it is painted: each hand-over, like each invalidation, is a round
        // trip to the window server. A window that will not be painted soon gets it at once.
        text_ = lp ? reinterpret_cast<const char*>(lp) : "";
        HWND top = GetAncestor(Window(), GA_ROOT);
        if (!IsWindowVisible(Window()) || (top && IsIconic(top))) {
          *result = CallOriginal(message, wp, lp);
          serverTextBehind_ = false;
        } else {
          *result = TRUE;
          serverTextBehind_ = true;
        }
        if (!waitingForPaint_) InvalidateRect(Window(), nullptr, TRUE);
        waitingForPaint_ = true;
        return true;
      }
      case WM_GETTEXT: {
        auto buffer = reinterpret_cast<char*>(lp);
        if (!buffer || wp == 0) {
          *result = 0;
          return true;
        }
        size_t n = text_.size() < wp - 1 ? text_.size() : wp - 1;
        text_.copy(buffer, n);
        buffer[n] = '\0';
        *result = static_cast<LRESULT>(n);
        return true;
      }
      case WM_GETTEXTLENGTH: *result = static_cast<LRESULT>(text_.size()); return true;
      case WM_GETFONT: *result = reinterpret_cast<LRESULT>(font_); return true;
      default: return false;
    }
  }

 private:
  static void RegisterClassOnce() {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kLabelClass, &wc)) return;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kLabelClass;
    RegisterClassA(&wc);
  }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Window(), &ps);
    waitingForPaint_ = false;
    if (serverTextBehind_) {
      CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
      serverTextBehind_ = false;
    }
    RECT rc;
    GetClientRect(Window(), &rc);
    HBRUSH brush = CreateSolidBrush(ResolveColour(data.background));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(Window()) ? ResolveColour(data.textColour) : GetSysColor(COLOR_GRAYTEXT));
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (data.setting2 == 1 || data.setting2 == 3) format |= DT_CENTER;
    if (data.setting2 == 2) format |= DT_RIGHT;
    const std::string& text = text_;
    if (data.setting2 == 3) {
      RECT measure = rc;
      DrawTextA(dc, text.c_str(), -1, &measure, format | DT_CALCRECT);
      rc.top += ((rc.bottom - rc.top) - (measure.bottom - measure.top)) / 2;
    }
    DrawTextA(dc, text.c_str(), -1, &rc, format);
    SelectObject(dc, old);
    EndPaint(Window(), &ps);
  }

  HFONT font_ = nullptr;
  bool ownsFont_ = false;
  bool waitingForPaint_ = false;  // invalidated by a text change and not painted since
  std::string text_;               // what the label shows
  bool serverTextBehind_ = false;  // the window server still has an earlier text
};

void* __cdecl Create(const uint8_t* block, uint32_t length, uint32_t extraStyle, HWND parent, uint32_t id, HMENU,
                     int32_t x, int32_t y, int32_t w, int32_t h, uint32_t windowId, uint32_t unitId, uint32_t,
                     uint32_t) {
  return CreateFromBlock<Label, LabelData>(block, length, {extraStyle, parent, id, x, y, w, h}, windowId, unitId);
}

std::string BytesOf(PropertyPair value) {
  auto p = FromWord<const char>(value.first);
  return p ? std::string(p, value.second) : std::string();
}
std::string TextOf(PropertyPair value) {
  auto t = FromWord<const char>(value.first);
  return t ? t : "";
}

uint32_t* DwordProperty(LabelData& d, uint32_t index) {
  switch (index) {
    case 1: return &d.setting2;  // drawn as the caption's alignment: 0 left, 1 centre, 2 right, 3 centred both ways
    case 2: return &d.border;
    case 3: return &d.setting3;
    case 4: return &d.colour5;
    case 5: return &d.colour6;
    case 6: return &d.colour7;
    case 8: return &d.textColour;
    case 9: return &d.background;
    case 11: return &d.setting10;
    case 12: return &d.setting11;
    case 13: return &d.colour12;
    case 14: return &d.colour13;
    case 15: return &d.colour14;
    case 16: return &d.setting15;
    case 17: return &d.setting17;
    case 18: return &d.setting16;
    default: return nullptr;
  }
}

uint32_t __cdecl PropertyChanged(void* object, uint32_t index, PropertyPair value, uint32_t) {
  auto unit = static_cast<Label*>(AsUnit(object));
  LabelData& d = unit->data;
  switch (index) {
    case 0:
      d.caption = TextOf(value);
      SetWindowTextA(unit->Window(), d.caption.c_str());
      return 0;
    case 7: d.font = BytesOf(value); unit->SetFont(); return 0;
    case 10: d.picture = BytesOf(value); break;
    case 19: d.text21 = TextOf(value); break;
    case 20: d.text22 = TextOf(value); break;
    default:
      if (uint32_t* f = DwordProperty(d, index)) {
        uint32_t v = value.FirstWord();
        if (index == 1 && v > 3) v = 3;
        if (index == 3 && static_cast<int32_t>(v) < 5) v = 5;
        *f = v;
        if (index == 2) ApplyBorderStyle(unit->Window(), d.border);
      }
      break;
  }
  InvalidateRect(unit->Window(), nullptr, TRUE);
  return 0;
}

HGLOBAL __cdecl GetData(void* object) { return ToMovableBlock(EncodeBlock(static_cast<Label*>(AsUnit(object))->data)); }

uint32_t __cdecl GetProperty(void* object, uint32_t index, PropertyPair* out) {
  static LabelData defaults;
  LabelData& d = object ? static_cast<Label*>(AsUnit(object))->data : defaults;
  if (!out) return 0;
  switch (index) {
    case 0: *out = {Word(d.caption.c_str()), 0}; return 1;
    case 7: *out = {Word(d.font.data()), static_cast<uint32_t>(d.font.size())}; return 1;
    case 10: *out = {Word(d.picture.data()), static_cast<uint32_t>(d.picture.size())}; return 1;
    case 19: *out = {Word(d.text21.c_str()), 0}; return 1;
    case 20: *out = {Word(d.text22.c_str()), 0}; return 1;
    default:
      if (uint32_t* f = DwordProperty(d, index)) {
        *out = {*f, 0};
        return 1;
      }
      return 0;
  }
}

}  // namespace

void* __cdecl LabelInterface(uint32_t number) {
  static const UnitFunctions kFunctions{Create, PropertyChanged, GetData, GetProperty};
  return InterfaceOf(kFunctions, number);
}

}  // namespace forms
