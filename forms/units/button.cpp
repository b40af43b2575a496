// The button unit: a push button whose click raises event 0.
#include <windows.h>

#include "forms/units/core_unit_types.h"
#include "forms/unit_data_blocks.h"
#include "forms/units/unit_base.h"

namespace forms {
namespace {

DWORD ButtonStyle(const ButtonData& d) {
  DWORD s = BS_MULTILINE | (d.kind == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  s |= d.horizontalAlign == 0 ? BS_LEFT : d.horizontalAlign == 2 ? BS_RIGHT : BS_CENTER;
  s |= d.verticalAlign == 0 ? BS_TOP : d.verticalAlign == 2 ? BS_BOTTOM : BS_VCENTER;
  return s;
}

class Button : public Unit {
 public:
  Button(uint32_t windowId, uint32_t unitId) : Unit(tc::Button, windowId, unitId) { raisesFocusEvents_ = true; }
  ~Button() override {
    if (ownsFont_) DeleteObject(font_);
  }
  ButtonData data;

  bool Create(const Placement& at) {
    HWND window = CreateChildControl("BUTTON", data.caption.c_str(), ButtonStyle(data), at);
    if (!window) return false;
    Attach(window);
    SetFont();
    return true;
  }

  void SetFont() {
    if (ownsFont_) DeleteObject(font_);
    font_ = MakeFont(data.font, &ownsFont_);
    SendMessageA(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }

 protected:
  bool OnMessage(UINT message, WPARAM wp, LPARAM, LRESULT* result) override {
    if (message == kReflectBase + WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
      Raise(0);
      *result = 0;
      return true;
    }
    return false;
  }

 private:
  HFONT font_ = nullptr;
  bool ownsFont_ = false;
};

void* __cdecl Create(const uint8_t* block, uint32_t length, uint32_t extraStyle, HWND parent, uint32_t id, HMENU,
                     int32_t x, int32_t y, int32_t w, int32_t h, uint32_t windowId, uint32_t unitId, uint32_t,
                     uint32_t) {
  return CreateFromBlock<Button, ButtonData>(block, length, {extraStyle, parent, id, x, y, w, h}, windowId, unitId);
}

uint32_t __cdecl PropertyChanged(void* object, uint32_t index, PropertyPair value, uint32_t) {
  auto unit = static_cast<Button*>(AsUnit(object));
  ButtonData& d = unit->data;
  auto bytes = [&] {
    auto p = FromWord<const char>(value.first);
    return p ? std::string(p, value.second) : std::string();
  };
  switch (index) {
    case 0: d.picture = bytes(); return 1;
    case 1:
    case 3:
    case 4: {
      uint32_t& field = index == 1 ? d.kind : index == 3 ? d.horizontalAlign : d.verticalAlign;
      field = value.FirstWord();
      SetWindowLongA(unit->Window(), GWL_STYLE, (GetWindowLongA(unit->Window(), GWL_STYLE) & ~0x0FFF) | ButtonStyle(d));
      InvalidateRect(unit->Window(), nullptr, TRUE);
      return 0;
    }
    case 2: {
      auto text = FromWord<const char>(value.first);
      d.caption = text ? text : "";
      SetWindowTextA(unit->Window(), d.caption.c_str());
      return 0;
    }
    case 5: d.font = bytes(); unit->SetFont(); return 0;
    default: return 0;
  }
}

HGLOBAL __cdecl GetData(void* object) { return ToMovableBlock(EncodeBlock(static_cast<Button*>(AsUnit(object))->data)); }

uint32_t __cdecl GetProperty(void* object, uint32_t index, PropertyPair* out) {
  static ButtonData defaults;
  const ButtonData& d = object ? static_cast<Button*>(AsUnit(object))->data : defaults;
  if (!out) return 0;
  switch (index) {
    case 0: *out = {Word(d.picture.data()), static_cast<uint32_t>(d.picture.size())}; return 1;
    case 1: *out = {d.kind, 0}; return 1;
    case 2: *out = {Word(d.caption.c_str()), 0}; return 1;
    case 3: *out = {d.horizontalAlign, 0}; return 1;
    case 4: *out = {d.verticalAlign, 0}; return 1;
    case 5: *out = {Word(d.font.data()), static_cast<uint32_t>(d.font.size())}; return 1;
    default: return 0;
  }
}

uint32_t __cdecl IsDefaultButton(void* object) {
  HWND w = AsUnit(object)->Window();
  return w && (GetWindowLongA(w, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? 1 : 0;
}

}  // namespace

void* __cdecl ButtonInterface(uint32_t number) {
  static const UnitFunctions kFunctions{Create, PropertyChanged, GetData, GetProperty, nullptr, IsDefaultButton};
  return InterfaceOf(kFunctions, number);
}

}  // namespace forms
