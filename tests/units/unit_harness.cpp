#include "tests/units/unit_harness.h"

#include <cstring>

#include "forms/units/unit_base.h"

namespace unittest {
namespace {
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (forms::ReflectToUnit(msg, wp, lp, &result)) return result;
  return DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

HWND MakeParent(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "UnitTestParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, "UnitTestParent", "units", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width, height, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

void* CreateUnit(void* (__cdecl* getter)(uint32_t), HWND parent, const std::vector<uint8_t>& block,
                 uint32_t extraStyle, uint32_t unitId) {
  auto create = reinterpret_cast<UnitCreateFn>(getter(unitif::Create));
  return create(block.data(), static_cast<uint32_t>(block.size()), extraStyle, parent, 100, nullptr, 10, 10, 200, 60,
                0x52010001, unitId, 0, 0);
}

HWND WindowOf(void* unit) { return static_cast<UnitObjectHead*>(unit)->window; }

PropertyPair Get(void* (__cdecl* getter)(uint32_t), void* unit, uint32_t index) {
  PropertyPair out{0xDEADBEEF, 0xDEADBEEF};
  auto get = reinterpret_cast<UnitGetPropertyFn>(getter(unitif::GetProperty));
  get(unit, index, &out);
  return out;
}

uint32_t Set(void* (__cdecl* getter)(uint32_t), void* unit, uint32_t index, PropertyPair value) {
  auto changed = reinterpret_cast<UnitPropertyChangedFn>(getter(unitif::PropertyChanged));
  return changed(unit, index, value, 0);
}

std::vector<uint8_t> DataOf(void* (__cdecl* getter)(uint32_t), void* unit) {
  auto getData = reinterpret_cast<UnitGetDataFn>(getter(unitif::GetData));
  HGLOBAL block = getData(unit);
  std::vector<uint8_t> bytes(GlobalSize(block));
  std::memcpy(bytes.data(), GlobalLock(block), bytes.size());
  GlobalUnlock(block);
  GlobalFree(block);
  return bytes;
}

void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

}  // namespace unittest
