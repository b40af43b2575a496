// The common dialog unit: a window of the private class "_WU_CommonDlg" that is never shown; it
// only carries the unit's identity and data block, and owns nothing but a possibly open help.
#include "forms/units/common_dialog.h"

#include <windows.h>

#include "forms/unit_data_blocks.h"
#include "forms/units/common_dialog_run.h"
#include "forms/units/unit_base.h"

namespace forms {
namespace {

const char kCommonDlgClass[] = "_WU_CommonDlg";

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }
uint32_t AsFlag(uint32_t v) { return v != 0 ? 1 : 0; }

class CommonDialog : public Unit {
 public:
  CommonDialog(uint32_t windowId, uint32_t unitId) : Unit(tc::CommonDlg, windowId, unitId) {}
  CommonDlgData data;

  bool Create(const Placement& at) {
    RegisterClassOnce();
    Placement hidden = at;
    hidden.extraStyle &= ~WS_VISIBLE;
    HWND window = CreateChildControl(kCommonDlgClass, "", 0, hidden);
    if (!window) return false;
    Attach(window);
    return true;
  }

  bool Run() {
    HWND owner = GetAncestor(Window(), GA_ROOT);
    switch (data.type) {
      case 0:
      case 1: return ShowFileDialog(data, owner);
      case 2: return ShowFontDialog(data, owner);
      case 3: {
        bool opened = false;
        bool ok = ShowHelp(data, owner, &opened);
        if (opened) helpOwner_ = owner;
        if (data.helpCommand == 5) helpOwner_ = nullptr;
        return ok;
      }
      default: return false;
    }
  }

 protected:
  bool OnMessage(UINT message, WPARAM, LPARAM lp, LRESULT*) override {
    if (message == WM_WINDOWPOSCHANGING) {
      // Whoever asks, the unit has nothing to show.
      reinterpret_cast<WINDOWPOS*>(lp)->flags &= ~SWP_SHOWWINDOW;
    } else if (message == WM_DESTROY && helpOwner_) {
      WinHelpA(helpOwner_, nullptr, HELP_QUIT, 0);
      helpOwner_ = nullptr;
    }
    return false;
  }

 private:
  static void RegisterClassOnce() {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kCommonDlgClass, &wc)) return;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kCommonDlgClass;
    RegisterClassA(&wc);
  }

  HWND helpOwner_ = nullptr;
};

CommonDialog* AsCommonDialog(void* object) { return static_cast<CommonDialog*>(AsUnit(object)); }

std::string* TextField(CommonDlgData& d, uint32_t index) {
  switch (index) {
    case 1: return &d.title;
    case 2: return &d.fileName;
    case 3: return &d.filter;
    case 5: return &d.initialDirectory;
    case 6: return &d.defaultExtension;
    case 17: return &d.fontName;
    case 19: return &d.helpFile;
    default: return nullptr;
  }
}

uint32_t* FlagField(CommonDlgData& d, uint32_t index) {
  switch (index) {
    case 7: return &d.createPrompt;
    case 8: return &d.fileMustExist;
    case 9: return &d.overwritePrompt;
    case 10: return &d.pathMustExist;
    case 11: return &d.noChangeDirectory;
    case 13: return &d.bold;
    case 14: return &d.italic;
    case 15: return &d.strikeOut;
    case 16: return &d.underline;
    default: return nullptr;
  }
}

// The numeric fields as stored (signed ones by their bits).
uint32_t* NumberField(CommonDlgData& d, uint32_t index) {
  switch (index) {
    case 0: return &d.type;
    case 4: return reinterpret_cast<uint32_t*>(&d.filterIndex);
    case 12: return &d.fontColour;
    case 18: return reinterpret_cast<uint32_t*>(&d.fontSize);
    case 20: return &d.helpCommand;
    case 21: return &d.helpContext;
    default: return nullptr;
  }
}

void* __cdecl Create(const uint8_t* block, uint32_t length, uint32_t extraStyle, HWND parent, uint32_t id, HMENU,
                     int32_t x, int32_t y, int32_t w, int32_t h, uint32_t windowId, uint32_t unitId, uint32_t,
                     uint32_t) {
  return CreateFromBlock<CommonDialog, CommonDlgData>(block, length, {extraStyle, parent, id, x, y, w, h}, windowId, unitId);
}

// Every property lives in the data block only; nothing needs re-creation.
uint32_t __cdecl PropertyChanged(void* object, uint32_t index, PropertyPair value, uint32_t) {
  CommonDlgData& d = AsCommonDialog(object)->data;
  int32_t v = static_cast<int32_t>(value.first);
  if (std::string* text = TextField(d, index)) {
    const char* p = FromWord<const char>(value.first);
    text->assign(p ? p : "");
  } else if (uint32_t* flag = FlagField(d, index)) {
    *flag = AsFlag(value.FirstWord());
  } else {
    switch (index) {
      case 0: d.type = static_cast<uint32_t>(Clamp(v, 0, 3)); break;
      case 4: d.filterIndex = v < 0 ? 0 : v; break;
      case 12: d.fontColour = value.FirstWord(); break;
      case 18: d.fontSize = v < 0 ? 0 : v; break;
      case 20: d.helpCommand = static_cast<uint32_t>(Clamp(v, 0, 5)); break;
      case 21: d.helpContext = value.FirstWord(); break;
      default: break;
    }
  }
  return 0;
}

HGLOBAL __cdecl GetData(void* object) { return ToMovableBlock(EncodeBlock(AsCommonDialog(object)->data)); }

uint32_t __cdecl GetProperty(void* object, uint32_t index, PropertyPair* out) {
  static CommonDlgData defaults;
  if (!out) return 0;
  CommonDlgData& d = object ? AsCommonDialog(object)->data : defaults;
  if (std::string* text = TextField(d, index)) {
    *out = {Word(text->c_str()), 0};
    return 1;
  }
  uint32_t* field = FlagField(d, index);
  if (!field) field = NumberField(d, index);
  if (!field) return 0;
  *out = {*field, 0};
  return 1;
}

}  // namespace

void* __cdecl CommonDlgInterface(uint32_t number) {
  static const UnitFunctions kFunctions{Create, PropertyChanged, GetData, GetProperty};
  return InterfaceOf(kFunctions, number);
}

bool RunCommonDialog(void* unitObject) {
  auto head = static_cast<UnitObjectHead*>(unitObject);
  if (!head || head->magic != kUnitObjectMagic || head->type != tc::CommonDlg || !head->window) return false;
  return AsCommonDialog(unitObject)->Run();
}

}  // namespace forms
