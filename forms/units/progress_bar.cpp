// The progress bar unit: a common-controls progress bar with range and position.
#include <windows.h>
#include <commctrl.h>

#include "forms/units/core_unit_types.h"
#include "forms/unit_data_blocks.h"
#include "forms/units/unit_base.h"

namespace forms {
namespace {

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }
uint32_t AsFlag(uint32_t v) { return v >= 1 ? 1 : 0; }

class ProgressBar : public Unit {
 public:
  ProgressBar(uint32_t windowId, uint32_t unitId) : Unit(tc::ProcessBar, windowId, unitId) {}
  ProgressBarData data;

  bool Create(const Placement& at) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    DWORD style = (data.vertical ? PBS_VERTICAL : 0) | (data.smooth ? PBS_SMOOTH : 0);
    HWND window = CreateChildControl(PROGRESS_CLASSA, "", style, at);
    if (!window) return false;
    Attach(window);
    ApplyBorderStyle(window, data.border);
    ApplyRange();
    return true;
  }

  // A scan writes the position after every ID, mostly unchanged, and from its own thread, where
  // each message waits for the window's thread: only what changed goes to the control.
  void ApplyRange() {
    int32_t lo = data.minimum < data.maximum ? data.minimum : data.maximum;
    int32_t hi = data.minimum < data.maximum ? data.maximum : data.minimum;
    int32_t position = Clamp(data.position, lo, hi);
    if (!applied_ || lo != appliedLo_ || hi != appliedHi_) {
      SendMessageA(Window(), PBM_SETRANGE32, static_cast<WPARAM>(lo), hi);
      appliedPosition_ = static_cast<int32_t>(SendMessageA(Window(), PBM_GETPOS, 0, 0));
    }
    if (!applied_ || position != appliedPosition_) {
      settingPosition_ = true;
      SendMessageA(Window(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
      settingPosition_ = false;
    }
    applied_ = true;
    appliedLo_ = lo;
    appliedHi_ = hi;
    appliedPosition_ = position;
  }

 protected:
  // The control paints itself at once on every new position; left invalid, it is painted with
  // the window's next round of paints instead, which costs a scan far less.
  bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT* result) override {
    if (message != WM_PAINT || !settingPosition_) return false;
    *result = 0;
    return true;
  }

 private:
  bool settingPosition_ = false;
  bool applied_ = false;
  int32_t appliedLo_ = 0, appliedHi_ = 0, appliedPosition_ = 0;
};

void* __cdecl Create(const uint8_t* block, uint32_t length, uint32_t extraStyle, HWND parent, uint32_t id, HMENU,
                     int32_t x, int32_t y, int32_t w, int32_t h, uint32_t windowId, uint32_t unitId, uint32_t,
                     uint32_t) {
  return CreateFromBlock<ProgressBar, ProgressBarData>(block, length, {extraStyle, parent, id, x, y, w, h}, windowId, unitId);
}

uint32_t __cdecl PropertyChanged(void* object, uint32_t index, PropertyPair value, uint32_t) {
  auto unit = static_cast<ProgressBar*>(AsUnit(object));
  ProgressBarData& d = unit->data;
  int32_t v = static_cast<int32_t>(value.first);
  switch (index) {
    case 0:
      d.border = static_cast<uint32_t>(Clamp(v, 0, 5));
      ApplyBorderStyle(unit->Window(), d.border);
      return 0;
    case 1:
    case 2: {
      uint32_t& flag = index == 1 ? d.vertical : d.smooth;
      uint32_t fresh = AsFlag(value.FirstWord());
      if (fresh == flag) return 0;
      flag = fresh;
      return 1;  // the style is fixed at creation
    }
    case 3: d.minimum = Clamp(v, 0, 32767); break;
    case 4: d.maximum = Clamp(v, 0, 32767); break;
    case 5: d.position = Clamp(v, 0, 32767); break;
    default: return 0;
  }
  unit->ApplyRange();
  return 0;
}

HGLOBAL __cdecl GetData(void* object) { return ToMovableBlock(EncodeBlock(static_cast<ProgressBar*>(AsUnit(object))->data)); }

uint32_t __cdecl GetProperty(void* object, uint32_t index, PropertyPair* out) {
  ProgressBarData defaults;
  const ProgressBarData& d = object ? static_cast<ProgressBar*>(AsUnit(object))->data : defaults;
  const uint32_t values[6] = {d.border, d.vertical, d.smooth, static_cast<uint32_t>(d.minimum),
                              static_cast<uint32_t>(d.maximum), static_cast<uint32_t>(d.position)};
  if (index >= 6 || !out) return 0;
  *out = {values[index], 0};
  return 1;
}

}  // namespace

void* __cdecl ProcessBarInterface(uint32_t number) {
  static const UnitFunctions kFunctions{Create, PropertyChanged, GetData, GetProperty};
  return InterfaceOf(kFunctions, number);
}

}  // namespace forms
