// The edit box unit: an EDIT control with colours, input modes, a typing filter and an
// add-text method, raising event 0 on every change of its content.
#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "forms/units/core_unit_types.h"
#include "forms/units/end_appends.h"
#include "forms/units/log_view.h"
#include "forms/unit_data_blocks.h"
#include "forms/units/unit_base.h"

namespace forms {
namespace {

// The dword field behind type-specific property t; the font (4), the texts and the 16-bit
// password character are not dwords.
uint32_t* DwordProperty(EditBoxData& d, uint32_t t) {
  switch (t) {
    case 1: return &d.border;
    case 2: return &d.textColour;
    case 3: return &d.background;
    case 5: return &d.hideSelection;
    case 6: return &d.maxLength;
    case 7: return &d.multiLine;
    case 8: return &d.scrollBars;
    case 9: return &d.alignment;
    case 10: return &d.inputMode;
    case 12: return &d.letterCase;
    case 13: return &d.upDown;
    case 14: return reinterpret_cast<uint32_t*>(&d.upDownMin);
    case 15: return reinterpret_cast<uint32_t*>(&d.upDownMax);
    case 16: return &d.selectionStart;
    case 17: return &d.selectionLength;
    default: return nullptr;
  }
}

DWORD EditStyle(const EditBoxData& d) {
  DWORD s = 0;
  if (d.hideSelection == 0) s |= ES_NOHIDESEL;
  if (d.multiLine) {
    s |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (d.scrollBars & 1) s |= ES_AUTOHSCROLL | WS_HSCROLL;
    if (d.scrollBars & 2) s |= WS_VSCROLL;
  } else {
    s |= ES_AUTOHSCROLL;
  }
  if (d.alignment == 1) s |= ES_CENTER;
  if (d.alignment == 2) s |= ES_RIGHT;
  if (d.inputMode == 1) s |= ES_READONLY;
  if (d.inputMode == 2) s |= ES_PASSWORD;
  if (d.letterCase == 1) s |= ES_LOWERCASE;
  if (d.letterCase == 2) s |= ES_UPPERCASE;
  return s;
}

// A box that only the program writes to and that has no scroll bars gets the log view, which
// stays fast however long its text grows; every other box is the platform's edit control.
bool UsesLogView(const EditBoxData& d) { return d.multiLine && d.inputMode == 1 && d.scrollBars == 0; }

// Which typed characters an input mode lets through.
bool Accepts(uint32_t mode, unsigned ch) {
  if (ch < 32) return true;
  bool digit = ch >= '0' && ch <= '9';
  switch (mode) {
    case 3: case 6: case 7: case 8: return digit || ch == '-';
    case 4: case 9: case 10: return digit || ch == '-' || ch == '.';
    case 5: return digit;
    default: return true;
  }
}

// The numeric modes bring a typed number into their type's range when the box loses the focus.
bool ClampForMode(uint32_t mode, const std::string& text, std::string& corrected) {
  long long lo, hi;
  switch (mode) {
    case 5: lo = 0; hi = 255; break;
    case 6: lo = -32768; hi = 32767; break;
    case 7: lo = INT_MIN; hi = INT_MAX; break;
    default: return false;
  }
  if (text.empty()) return false;
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  long long c = v < lo ? lo : v > hi ? hi : v;
  corrected = std::to_string(c);
  return corrected != text;
}

class EditBox : public Unit, private EndAppends::Box {
 public:
  EditBox(uint32_t windowId, uint32_t unitId) : Unit(tc::EditBox, windowId, unitId) {}
  ~EditBox() override {
    if (brush_) DeleteObject(brush_);
    if (ownsFont_) DeleteObject(font_);
  }
  EditBoxData data;

  bool Create(const Placement& at) {
    logView_ = UsesLogView(data);
    HWND window = CreateChildControl(logView_ ? LogViewClass() : "EDIT", data.content.c_str(), EditStyle(data), at);
    if (!window) return false;
    Attach(window);
    ApplyBorderStyle(window, data.border);
    brush_ = CreateSolidBrush(ResolveColour(data.background));
    SetFont();
    SendMessageA(window, EM_LIMITTEXT, data.maxLength, 0);
    if (data.inputMode == 2) SendMessageA(window, EM_SETPASSWORDCHAR, data.passwordChar & 0xFFFF, 0);
    if (!data.multiLine && data.upDown) {
      INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
      InitCommonControlsEx(&icc);
      upDown_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | UDS_ALIGNRIGHT |
                                                        UDS_SETBUDDYINT | UDS_ARROWKEYS,
                                0, 0, 0, 0, at.parent, HandleFromWord<HMENU>(at.id + 4),
                                GetModuleHandleA(nullptr), nullptr);
      if (upDown_) {
        SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(window), 0);
        SendMessageA(upDown_, UDM_SETRANGE32, data.upDownMin, data.upDownMax);
        EnableWindow(upDown_, IsWindowEnabled(window));
      }
    }
    SendMessageA(window, EM_SETSEL, data.selectionStart, data.selectionStart + data.selectionLength);
    SendMessageA(window, EM_SCROLLCARET, 0, 0);
    return true;
  }

  void SetFont() {
    // The control lets go of the old font before it is deleted: a font still selected into a
    // device context cannot be.
    HFONT old = font_;
    bool ownedOld = ownsFont_;
    font_ = MakeFont(data.font, &ownsFont_);
    SendMessageA(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (ownedOld) DeleteObject(old);
  }

  // Content writes raise event 0 exactly once, through a change notification of their own.
  void WriteContent(const std::string& text) {
    settingText_ = true;
    data.content = text;
    SetWindowTextA(Window(), text.c_str());
    settingText_ = false;
    SendMessageA(Window(), kReflectBase + WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Window()), EN_CHANGE),
                 reinterpret_cast<LPARAM>(Window()));
  }

  void SetBackground(uint32_t colour) {
    data.background = colour;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(ResolveColour(colour));
    InvalidateRect(Window(), nullptr, TRUE);
  }

  std::string selected;  // the computed selected text, kept while the runtime copies it

 protected:
  bool OnMessage(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override {
    // The log view takes appends as cheaply as anything else; the edit control's are gathered.
    if (!logView_) {
      if (appends_.Take(message, wp, lp, result)) return true;
      appends_.Before(message);
    }
    switch (message) {
      case WM_CHAR:
        if (!Accepts(data.inputMode, static_cast<unsigned>(wp))) {
          *result = 0;
          return true;
        }
        return false;
      case kReflectBase + WM_CTLCOLOREDIT:
      case kReflectBase + WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, ResolveColour(data.textColour));
        SetBkColor(dc, ResolveColour(data.background));
        *result = reinterpret_cast<LRESULT>(brush_);
        return true;
      }
      case kReflectBase + WM_COMMAND:
        switch (HIWORD(wp)) {
          case EN_CHANGE:
            // A hand-over's change was raised already, once for each append it carries.
            if (!settingText_ && !appends_.HandingOver()) Raise(0);
            break;
          case EN_SETFOCUS: Raise(-7); break;
          case EN_KILLFOCUS: {
            std::string corrected;
            if (ClampForMode(data.inputMode, WindowTextOf(Window()), corrected)) {
              DWORD start = 0, end = 0;
              SendMessageA(Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
              WriteContent(corrected);
              SendMessageA(Window(), EM_SETSEL, start, start);
            }
            Raise(-8);
            break;
          }
          default: break;
        }
        *result = 0;
        return true;
      case WM_DESTROY:
        if (upDown_ && IsWindow(upDown_)) DestroyWindow(upDown_);
        upDown_ = nullptr;
        return false;
      default: return false;
    }
  }

 private:
  // EndAppends::Box
  HWND BoxWindow() const override { return Window(); }
  LRESULT CallControl(UINT message, WPARAM wp, LPARAM lp) override { return CallOriginal(message, wp, lp); }
  void Appended() override {
    if (!settingText_) Raise(0);
  }

  EndAppends appends_{*this};
  bool logView_ = false;
  bool settingText_ = false;
  HBRUSH brush_ = nullptr;
  HFONT font_ = nullptr;
  bool ownsFont_ = false;
  HWND upDown_ = nullptr;
};

void* __cdecl Create(const uint8_t* block, uint32_t length, uint32_t extraStyle, HWND parent, uint32_t id, HMENU,
                     int32_t x, int32_t y, int32_t w, int32_t h, uint32_t windowId, uint32_t unitId, uint32_t,
                     uint32_t) {
  return CreateFromBlock<EditBox, EditBoxData>(block, length, {extraStyle, parent, id, x, y, w, h}, windowId, unitId);
}

uint32_t __cdecl PropertyChanged(void* object, uint32_t index, PropertyPair value, uint32_t) {
  auto unit = static_cast<EditBox*>(AsUnit(object));
  EditBoxData& d = unit->data;
  HWND w = unit->Window();
  auto text = [&] {
    auto t = FromWord<const char>(value.first);
    return std::string(t ? t : "");
  };
  switch (index) {
    case 0: unit->WriteContent(text()); return 0;
    case 1: d.border = value.FirstWord(); ApplyBorderStyle(w, d.border); return 0;
    case 2: d.textColour = value.FirstWord(); InvalidateRect(w, nullptr, TRUE); return 0;
    case 3: unit->SetBackground(value.FirstWord()); return 0;
    case 4: {
      auto p = FromWord<const char>(value.first);
      d.font = p ? std::string(p, value.second) : std::string();
      unit->SetFont();
      return 0;
    }
    case 6: d.maxLength = value.FirstWord(); SendMessageA(w, EM_LIMITTEXT, d.maxLength, 0); return 0;
    case 11:
      d.passwordChar = static_cast<uint16_t>(value.FirstWord());
      if (d.inputMode == 2) SendMessageA(w, EM_SETPASSWORDCHAR, d.passwordChar & 0xFFFF, 0);
      InvalidateRect(w, nullptr, TRUE);
      return 0;
    case 14:
    case 15: *DwordProperty(d, index) = value.FirstWord(); return 0;
    case 16:
    case 17:
      *DwordProperty(d, index) = value.FirstWord();
      SendMessageA(w, EM_SETSEL, d.selectionStart, d.selectionStart + d.selectionLength);
      SendMessageA(w, EM_SCROLLCARET, 0, 0);
      return 0;
    case 18: {  // replaces the selection
      std::string t = text();
      SendMessageA(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(t.c_str()));
      return 0;
    }
    case 19: d.text19 = text(); return 0;
    case 20: d.text20 = text(); return 0;
    case 5: case 7: case 8: case 9: case 10: case 12: case 13: {
      // These live in the control's style: a change needs a new control.
      uint32_t* field = DwordProperty(d, index);
      if (*field == value.FirstWord()) return 0;
      d.content = WindowTextOf(w);
      *field = value.FirstWord();
      return 1;
    }
    default: return 0;
  }
}

HGLOBAL __cdecl GetData(void* object) {
  auto unit = static_cast<EditBox*>(AsUnit(object));
  unit->data.content = WindowTextOf(unit->Window());
  DWORD start = 0, end = 0;
  SendMessageA(unit->Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  unit->data.selectionStart = start;
  unit->data.selectionLength = end - start;
  return ToMovableBlock(EncodeBlock(unit->data));
}

uint32_t __cdecl GetProperty(void* object, uint32_t index, PropertyPair* out) {
  static EditBoxData defaults;
  if (!out) return 0;
  auto unit = object ? static_cast<EditBox*>(AsUnit(object)) : nullptr;
  EditBoxData& d = unit ? unit->data : defaults;
  if (unit && (index == 0 || index == 16 || index == 17 || index == 18)) {
    d.content = WindowTextOf(unit->Window());
    DWORD start = 0, end = 0;
    SendMessageA(unit->Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    d.selectionStart = start;
    d.selectionLength = end - start;
    unit->selected = start <= end && end <= d.content.size() ? d.content.substr(start, end - start) : "";
  }
  switch (index) {
    case 0: *out = {Word(d.content.c_str()), 0}; return 1;
    case 4: *out = {Word(d.font.data()), static_cast<uint32_t>(d.font.size())}; return 1;
    case 18: *out = {Word(unit ? unit->selected.c_str() : ""), 0}; return 1;
    case 19: *out = {Word(d.text19.c_str()), 0}; return 1;
    case 20: *out = {Word(d.text20.c_str()), 0}; return 1;
    default:
      if (index == 11) {
        *out = {d.passwordChar, 0};
        return 1;
      }
      if (uint32_t* field = DwordProperty(d, index)) {
        *out = {*field, 0};
        return 1;
      }
      return 0;
  }
}

uint32_t __cdecl WantsKey(void* object, uint32_t key) {
  auto unit = static_cast<EditBox*>(AsUnit(object));
  return key == VK_RETURN && unit->data.multiLine ? 1 : 0;
}

}  // namespace

void* __cdecl EditBoxInterface(uint32_t number) {
  static const UnitFunctions kFunctions{Create, PropertyChanged, GetData, GetProperty, WantsKey};
  return InterfaceOf(kFunctions, number);
}

}  // namespace forms
