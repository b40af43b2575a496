#include "forms/property_access.h"

#include <cstring>
#include <string>
#include <vector>

#include "forms/menu_bar.h"
#include "forms/mouse_pointer.h"
#include "forms/property_values.h"
#include "forms/record_edit.h"
#include "forms/template_store.h"
#include "forms/unit_recreate.h"
#include "forms/window_registry.h"
#include "forms/window_unit.h"
#include "runtime/form_engine_port.h"
#include "runtime/heap.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_error.h"
#include "runtime/startup.h"

namespace forms {
namespace {
constexpr uint32_t kNeverVisible = 0x8000, kNeverRecreated = 0x10;

struct Target {
  WindowTemplate* window;
  RecordRef record;
};

Target Locate(uint32_t windowId, uint32_t unitId) {
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) rt::ReportRuntimeError("未载入欲访问窗口组件所在的窗口", 0);
  auto record = FindRecord(*window, unitId);
  if (!record) rt::ReportRuntimeError("指定窗口或窗口组件不存在或尚未载入", 0);
  return {window, *record};
}

uint32_t DpiOfScreen() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return static_cast<uint32_t>(dpi);
}

// The whole font as a property value: six 32-bit components (angle, bold, italic, strike-out,
// underline, size), then the face name's text address, pointer-wide on the 64-bit build.
struct FontRecord {
  uint32_t components[6];
  const char* faceName;
};
static_assert(kWideAddresses || sizeof(FontRecord) == 7 * 4, "the font record is seven words");

LOGFONTA FontOf(const PropertyPair& pair) {
  LOGFONTA font;
  if (pair.first && pair.second == sizeof(LOGFONTA)) {
    std::memcpy(&font, FromWord<const void>(pair.first), sizeof font);
  } else {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  return font;
}

uint64_t Lo(uint32_t v) { return v; }
uint64_t TextResult(const char* text) { return Word(rt::DupText(text)); }

// ---- menu items ----

uint64_t ReadMenuItem(const Target& t, int32_t property) {
  MenuRecordView m = t.window->Table().Menu(t.record);
  uint32_t flags = m.Flags().value_or(0);
  switch (property) {
    case 0: return TextResult(std::string(m.Caption().value_or("")).c_str());
    case 1: return (flags & menu_flags::Checked) ? 1 : 0;
    case 2: return (flags & menu_flags::Disabled) ? 1 : 0;
    case 3: return (flags & menu_flags::Hidden) ? 0 : 1;
    default: return 0;
  }
}

void WriteMenuItem(uint32_t windowId, const Target& t, int32_t property, uint32_t lo, uint32_t hi) {
  MenuRecordView m = t.window->Table().Menu(t.record);
  bool changed = false;
  if (property == 0) {
    auto text = AddrFromHalves<const char>(lo, hi);
    std::string caption = text ? text : "";
    auto pos = m.CaptionPosition();
    auto old = m.Caption();
    if (!pos || !old || *old == caption) return;
    uint32_t end = *pos + static_cast<uint32_t>(old->size()) + 1;
    ReplaceRecord(*t.window, t.record.index, SpliceRecord(m.Data(), m.Length(), *pos, end, TerminatedText(caption)));
    changed = true;
  } else if (property >= 1 && property <= 3) {
    uint32_t bit = property == 1 ? menu_flags::Checked : property == 2 ? menu_flags::Disabled : menu_flags::Hidden;
    bool set = property == 3 ? lo == 0 : lo != 0;
    uint32_t flags = m.Flags().value_or(0);
    uint32_t next = set ? flags | bit : flags & ~bit;
    auto y = m.PositionY();
    if (next == flags || !y) return;
    StoreRecordDword(*t.window, t.record, *y + 8, next);
    changed = true;
  }
  if (changed) RebuildMenuBar(windowId);
}

// ---- type-specific properties ----

const UnitTypeInfo* TypeOfRecord(const Target& t) {
  return UnitType(t.window->Table().Unit(t.record).TypeCode().value_or(0));
}

UnitObjectHead* LiveUnitOrError(uint32_t windowId, const Target& t) {
  UnitObjectHead* object = RecordObject(*t.window, t.record);
  if (!LoadedWindowHandle(windowId) || !IsLiveWindow(object)) rt::ReportRuntimeError("指定窗口尚未载入", 0);
  return object;
}

uint32_t DataTypeOf(const UnitTypeInfo* type, int32_t property) {
  if (!type || !type->properties || static_cast<uint32_t>(property) >= type->propertyCount) return 0;
  return type->properties[property].dataType;
}

uint64_t ReadOwn(uint32_t windowId, const Target& t, int32_t property, int32_t component) {
  UnitObjectHead* object = LiveUnitOrError(windowId, t);
  const UnitTypeInfo* type = TypeOfRecord(t);
  auto get = type && type->interfaceGetter ? reinterpret_cast<UnitGetPropertyFn>(type->interfaceGetter(unitif::GetProperty))
                                           : nullptr;
  PropertyPair pair{0, 0};
  if (!get || !get(object, static_cast<uint32_t>(property - 8), &pair)) return 0;
  auto bytes = [&](uint32_t) { return FromWord<const uint8_t>(pair.first); };
  switch (KindOfDataType(DataTypeOf(type, property))) {
    case PropertyKind::Integer:
    case PropertyKind::ClampedInteger: return Lo(pair.FirstWord());
    case PropertyKind::EightBytes: return Lo(pair.FirstWord()) | static_cast<uint64_t>(pair.SecondWord()) << 32;
    case PropertyKind::Logical: return pair.FirstWord() == 1 ? 1 : 0;
    case PropertyKind::Bytes:
      return Word(rt::ByteArrayFromBytes(bytes(0), pair.first ? pair.SecondWord() : 0));
    case PropertyKind::MousePointer: {
      std::vector<uint8_t> data;
      if (pair.first) data.assign(bytes(0), bytes(0) + pair.SecondWord());
      ConvertPointerData(data, false);
      return Word(rt::ByteArrayFromBytes(data.data(), static_cast<uint32_t>(data.size())));
    }
    case PropertyKind::Font: {
      LOGFONTA font = FontOf(pair);
      uint32_t dpi = DpiOfScreen();
      if (component == 6) return TextResult(font.lfFaceName);
      if (component >= 0) return ReadFontComponent(font, component, static_cast<int>(dpi));
      // The whole font: angle, bold, italic, strike-out, underline, size, face name.
      auto record = static_cast<FontRecord*>(rt::AllocBlock(sizeof(FontRecord)));
      for (int k = 0; k < 6; ++k) record->components[k] = ReadFontComponent(font, k, static_cast<int>(dpi));
      record->faceName = rt::DupText(font.lfFaceName);
      return Word(record);
    }
    case PropertyKind::Text: {
      return TextResult(FromWord<const char>(pair.first));
    }
  }
  return 0;
}

void WriteOwn(uint32_t windowId, uint32_t unitId, const Target& t, int32_t property, int32_t component, uint32_t lo,
              uint32_t hi) {
  UnitObjectHead* object = LiveUnitOrError(windowId, t);
  const UnitTypeInfo* type = TypeOfRecord(t);
  if (!type || !type->interfaceGetter) return;
  auto changed = reinterpret_cast<UnitPropertyChangedFn>(type->interfaceGetter(unitif::PropertyChanged));
  if (!changed) return;
  uint32_t index = static_cast<uint32_t>(property - 8);
  // A text or a block arrives as its address in lo and, on the 64-bit build, hi.
  const void* address = AddrFromHalves(lo, hi);
  const PropertyKind kind = KindOfDataType(DataTypeOf(type, property));
  const bool byAddress = kind == PropertyKind::Text || kind == PropertyKind::Bytes ||
                         kind == PropertyKind::MousePointer || (kind == PropertyKind::Font && component < 0);
  PropertyPair pair{byAddress ? Word(address) : lo, 0};
  std::vector<uint8_t> buffer;
  LOGFONTA font;
  auto block = static_cast<const uint32_t*>(address);
  switch (kind) {
    case PropertyKind::Integer: break;
    case PropertyKind::ClampedInteger: pair.first = static_cast<int32_t>(lo) < 0 ? 0 : lo; break;
    case PropertyKind::EightBytes: pair.second = hi; break;
    case PropertyKind::Logical: pair.first = lo ? 1 : 0; break;
    case PropertyKind::Bytes:
    case PropertyKind::MousePointer:
      if (block) buffer.assign(reinterpret_cast<const uint8_t*>(block + 2), reinterpret_cast<const uint8_t*>(block + 2) + block[1]);
      if (kind == PropertyKind::MousePointer) ConvertPointerData(buffer, true);
      pair = {buffer.empty() ? 0 : Word(buffer.data()), buffer.size()};
      break;
    case PropertyKind::Font: {
      auto get = reinterpret_cast<UnitGetPropertyFn>(type->interfaceGetter(unitif::GetProperty));
      PropertyPair current{0, 0};
      if (get) get(object, index, &current);
      font = FontOf(current);
      int dpi = static_cast<int>(DpiOfScreen());
      if (component == 6) {
        SetFontFace(font, static_cast<const char*>(address));
      } else if (component >= 0) {
        WriteFontComponent(font, component, lo, dpi);
      } else if (address) {
        auto record = static_cast<const FontRecord*>(address);
        for (int k = 0; k < 6; ++k) WriteFontComponent(font, k, record->components[k], dpi);
        SetFontFace(font, record->faceName);
      }
      pair = {Word(&font), sizeof font};
      break;
    }
    case PropertyKind::Text:
      if (!address) pair.first = Word("");
      break;
  }
  if (changed(object, index, pair, 0) == 1 && IsLiveWindow(object) && !(type->stateFlags & kNeverRecreated) &&
      t.record.index != 0) {
    rt::ProcessPendingMessages();
    rt::ServiceEntry()(svc::BlockEvents, 0, 0);
    RecreateUnit(windowId, unitId);
    rt::ProcessPendingMessages();
    rt::ServiceEntry()(svc::UnblockEvents, 0, 0);
  }
}

// ---- the common properties ----

RECT RectInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

uint64_t ReadCommon(const Target& t, int32_t property, UnitObjectHead* live) {
  UnitRecordView u = t.window->Table().Unit(t.record);
  bool isLive = IsLiveWindow(live);
  switch (property) {
    case 0:
    case 1: {
      if (isLive) {
        RECT r = RectInParent(live->window);
        return static_cast<uint32_t>(property == 0 ? r.left : r.top);
      }
      return static_cast<uint32_t>(property == 0 ? u.Left().value_or(0) : u.Top().value_or(0));
    }
    case 2:
    case 3: {
      if (isLive) {
        RECT r;
        GetWindowRect(live->window, &r);
        return static_cast<uint32_t>(property == 2 ? r.right - r.left : r.bottom - r.top);
      }
      return static_cast<uint32_t>(property == 2 ? u.Width().value_or(0) : u.Height().value_or(0));
    }
    case 4: return TextResult(std::string(u.Tag().value_or("")).c_str());
    case 5: return isLive ? (IsWindowVisible(live->window) ? 1 : 0) : (u.Flags().value_or(0) & 1);
    case 6: return isLive ? (IsWindowEnabled(live->window) ? 0 : 1) : ((u.Flags().value_or(0) >> 1) & 1);
    case 7: {
      auto data = u.MousePointer();
      std::vector<uint8_t> bytes;
      if (data && data->size) bytes.assign(data->data, data->data + data->size);
      ConvertPointerData(bytes, false);
      return Word(rt::ByteArrayFromBytes(bytes.data(), static_cast<uint32_t>(bytes.size())));
    }
    default: return 0;
  }
}

void WriteCommon(const Target& t, int32_t property, uint32_t lo, uint32_t hi, UnitObjectHead* live) {
  WindowTemplate& window = *t.window;
  UnitRecordView u = window.Table().Unit(t.record);
  auto y = u.PositionY();
  if (!y) return;
  bool isLive = IsLiveWindow(live);
  switch (property) {
    case 0:
    case 1: {
      int32_t v = ClampPosition(static_cast<int32_t>(lo));
      StoreRecordDword(window, t.record, *y + (property == 0 ? 4 : 8), static_cast<uint32_t>(v));
      if (isLive) {
        RECT r = RectInParent(live->window);
        SetWindowPos(live->window, nullptr, property == 0 ? v : r.left, property == 1 ? v : r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return;
    }
    case 2:
    case 3: {
      int32_t v = ClampExtent(static_cast<int32_t>(lo));
      StoreRecordDword(window, t.record, *y + (property == 2 ? 12 : 16), static_cast<uint32_t>(v));
      if (isLive) {
        RECT r;
        GetWindowRect(live->window, &r);
        SetWindowPos(live->window, nullptr, 0, 0, property == 2 ? v : r.right - r.left,
                     property == 3 ? v : r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return;
    }
    case 4: {
      auto text = AddrFromHalves<const char>(lo, hi);
      auto pos = u.TagPosition();
      auto old = u.Tag();
      if (!pos || !old) return;
      uint32_t end = *pos + static_cast<uint32_t>(old->size()) + 1;
      ReplaceRecord(window, t.record.index, SpliceRecord(u.Data(), u.Length(), *pos, end, TerminatedText(text ? text : "")));
      return;
    }
    case 5:
    case 6: {
      auto z = u.PositionZ();
      if (!z) return;
      uint32_t bit = property == 5 ? 1 : 2;
      uint32_t flags = u.Flags().value_or(0);
      StoreRecordDword(window, t.record, *z + 4, lo ? flags | bit : flags & ~bit);
      if (!isLive) return;
      if (property == 6) {
        EnableWindow(live->window, lo ? FALSE : TRUE);
      } else if (!lo) {
        ShowWindow(live->window, SW_HIDE);
      } else if (WindowUnit* w = AsWindowUnit(live)) {
        ShowLoadedWindow(*w);
      } else {
        const UnitTypeInfo* type = UnitType(u.TypeCode().value_or(0));
        if (!type || !(type->stateFlags & kNeverVisible)) ShowWindow(live->window, SW_SHOWNA);
      }
      return;
    }
    case 7: {
      auto block = AddrFromHalves<const uint32_t>(lo, hi);
      std::vector<uint8_t> data;
      if (block && block[1]) data.assign(reinterpret_cast<const uint8_t*>(block + 2), reinterpret_cast<const uint8_t*>(block + 2) + block[1]);
      ConvertPointerData(data, true);
      auto oldCursor = u.CursorSlot();
      if (oldCursor && *oldCursor) DestroyCursor(HandleFromWord<HCURSOR>(*oldCursor));
      HCURSOR cursor = MakeCursor(data.data(), static_cast<uint32_t>(data.size()));
      auto mPos = u.MousePointerPosition();
      auto oldData = u.MousePointer();
      if (!mPos || !oldData) return;
      std::vector<uint8_t> field(4 + data.size());
      uint32_t n = static_cast<uint32_t>(data.size());
      for (int i = 0; i < 4; ++i) field[i] = static_cast<uint8_t>(n >> (8 * i));
      std::copy(data.begin(), data.end(), field.begin() + 4);
      ReplaceRecord(window, t.record.index,
                    SpliceRecord(u.Data(), u.Length(), *mPos, *mPos + 4 + oldData->size, field));
      auto ref = window.Table().ByIndex(t.record.index);
      StoreRecordDword(window, *ref, *y + 20, HandleWord(cursor));
      if (isLive) {
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x, p.y);
      }
      return;
    }
    default: return;
  }
}

}  // namespace

uint64_t ReadUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t component) {
  Target t = Locate(windowId, unitId);
  if (t.window->Table().IsMenuItem(t.record.index)) return ReadMenuItem(t, property);
  if (property > 7) return ReadOwn(windowId, t, property, component);
  if (property < 0) return 0;
  UnitObjectHead* live = LoadedWindowHandle(windowId) ? RecordObject(*t.window, t.record) : nullptr;
  return ReadCommon(t, property, live);
}

void WriteUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t component, uint32_t lo,
                       uint32_t hi) {
  Target t = Locate(windowId, unitId);
  if (t.window->Table().IsMenuItem(t.record.index)) return WriteMenuItem(windowId, t, property, lo, hi);
  if (property > 7) return WriteOwn(windowId, unitId, t, property, component, lo, hi);
  if (property < 0) return;
  UnitObjectHead* live = LoadedWindowHandle(windowId) ? RecordObject(*t.window, t.record) : nullptr;
  WriteCommon(t, property, lo, hi, live);
}

uint64_t ReadProperty(uint32_t windowId, uint32_t unitId, int32_t property) {
  return ReadUnitProperty(windowId, unitId, property, -1);
}

void WriteProperty(uint32_t windowId, uint32_t unitId, int32_t property, uint32_t lo, uint32_t hi) {
  WriteUnitProperty(windowId, unitId, property, -1, lo, hi);
}

}  // namespace forms
