// Loading a window: the window unit and every unit from the records, the menu bar, the first
// events, and for a modal load the loop that waits for the window to go.
#include <string>
#include <vector>

#include "forms/menu_bar.h"
#include "forms/mouse_pointer.h"
#include "forms/record_edit.h"
#include "forms/template_store.h"
#include "forms/window_registry.h"
#include "forms/window_unit.h"
#include "runtime/form_engine_port.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/startup.h"

namespace forms {
namespace {
constexpr uint32_t kNeverVisible = 0x8000, kPagedContainer = 0x100;
constexpr uint32_t kFirstControlId = 100, kControlIdStep = 10;

void BlockEvents() { rt::ServiceEntry()(svc::BlockEvents, 0, 0); }
void UnblockEvents() { rt::ServiceEntry()(svc::UnblockEvents, 0, 0); }

bool RaiseWindowEvent(uint32_t windowId, uint32_t ownId, int32_t event) {
  EventRecord r{};
  r.windowId = windowId;
  r.unitId = ownId;
  r.eventIndex = event;
  rt::ServiceEntry()(svc::RaiseEvent, Word(&r), 0);
  return LoadedWindowHandle(windowId) != nullptr;
}

// The extra style that a record's flags ask of its unit's window.
uint32_t ExtraStyle(uint32_t flags) {
  return ((flags & 2) ? WS_DISABLED : 0u) | ((flags & 4) ? WS_TABSTOP : 0u);
}

template <class Fn>
Fn InterfaceOf(const UnitTypeInfo* type, uint32_t number) {
  return type && type->interfaceGetter ? reinterpret_cast<Fn>(type->interfaceGetter(number)) : nullptr;
}

struct CreatedUnit {
  uint32_t index;
  HWND window;
  bool visible;
};

// The live units of the window in record order (menu items and units without a window left out).
std::vector<HWND> UnitWindowsInRecordOrder(const WindowTemplate& window) {
  std::vector<HWND> out;
  UnitTableView table = window.Table();
  for (uint32_t i = 1; i < table.Count(); ++i) {
    auto ref = table.ByIndex(i);
    if (!ref || table.IsMenuItem(i)) continue;
    UnitObjectHead* object = RecordObject(window, *ref);
    if (IsLiveWindow(object)) out.push_back(object->window);
  }
  return out;
}

void SendToUnits(const WindowTemplate& window, UINT message) {
  std::vector<HWND> units = UnitWindowsInRecordOrder(window);
  for (size_t i = units.size(); i-- > 0;)
    if (IsWindow(units[i])) SendMessageA(units[i], message, 0, 0);
}

// Steps 7 to 9: containers take their children, z-order follows the records, cursors are made.
void ArrangeUnits(WindowTemplate& window, std::vector<CreatedUnit>& created) {
  UnitTableView table = window.Table();
  auto windowOf = [&](uint32_t unitId) -> HWND {
    auto ref = table.ById(unitId);
    UnitObjectHead* o = ref ? RecordObject(window, *ref) : nullptr;
    return IsLiveWindow(o) ? o->window : nullptr;
  };
  for (CreatedUnit& c : created) {
    auto ref = table.ByIndex(c.index);
    uint32_t parent = table.Unit(*ref).Parent().value_or(0);
    if (!parent || !c.window) continue;
    HWND container = windowOf(parent);
    if (!container) continue;
    SetParent(c.window, container);
    auto parentRef = table.ById(parent);
    const UnitTypeInfo* type = UnitType(table.Unit(*parentRef).TypeCode().value_or(0));
    if (type && (type->stateFlags & kPagedContainer)) {
      // Only the first page's children start visible.
      auto children = table.Unit(*parentRef).Children().value_or(std::vector<uint32_t>{});
      bool firstPage = true;
      uint32_t self = table.IdAt(c.index).value_or(0);
      for (uint32_t child : children) {
        if (child == 0) firstPage = false;
        else if (child == self && !firstPage) c.visible = false;
      }
    }
  }
  // Z-order in record order: each after the nearest earlier unit of the same parent.
  std::vector<std::pair<HWND, HWND>> placed;  // window, its parent
  for (uint32_t i = 1; i < table.Count(); ++i) {
    auto ref = table.ByIndex(i);
    if (!ref || table.IsMenuItem(i)) continue;
    UnitObjectHead* o = RecordObject(window, *ref);
    if (!IsLiveWindow(o)) continue;
    HWND parent = GetParent(o->window);
    HWND after = HWND_TOP;
    for (size_t k = placed.size(); k-- > 0;)
      if (placed[k].second == parent) {
        after = placed[k].first;
        break;
      }
    SetWindowPos(o->window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    placed.push_back({o->window, parent});
  }
  for (uint32_t i = 1; i < table.Count(); ++i) {
    auto ref = window.Table().ByIndex(i);
    if (!ref || window.Table().IsMenuItem(i)) continue;
    UnitRecordView unit = window.Table().Unit(*ref);
    auto data = unit.MousePointer();
    HCURSOR cursor = data ? MakeCursor(data->data, data->size) : nullptr;
    if (auto y = unit.PositionY())
      StoreRecordDword(window, *ref, *y + 20, HandleWord(cursor));
  }
}

void DisableOtherWindows(WindowUnit& unit) {
  WindowSet& set = InstalledWindows();
  for (uint32_t id : set.ids) {
    HWND other = LoadedWindowHandle(id);
    if (!other || other == unit.head.window || GetParent(other) || !IsWindowEnabled(other)) continue;
    if (GetWindowLongA(other, GWL_STYLE) & WS_CHILD) continue;
    unit.disabledByModal.push_back({other, true});
    EnableWindow(other, FALSE);
  }
}

// Steps 3 to 16; false when the window could not be made.
bool Build(uint32_t windowId, HWND owner, bool modal) {
  WindowTemplate* window = FindTemplate(windowId);
  BlockEvents();
  SaveTable(windowId);
  BuiltMenu menu = BuildMenuBar(*window);
  auto fail = [&](bool destroyMenu) {
    if (menu.shortcuts) DestroyAcceleratorTable(menu.shortcuts);
    if (destroyMenu && menu.menu) DestroyMenu(menu.menu);
    DropSavedTable(windowId);
    UnblockEvents();
    return false;
  };

  UnitTableView table = window->Table();
  auto own = table.ByIndex(0);
  if (!own) return fail(true);
  UnitRecordView ownRecord = table.Unit(*own);
  const UnitTypeInfo* windowType = UnitType(ownRecord.TypeCode().value_or(0));
  auto createWindow = InterfaceOf<UnitCreateFn>(windowType, unitif::Create);
  auto ownData = ownRecord.TypeData();
  if (!createWindow || !ownData) return fail(true);
  uint32_t ownFlags = ownRecord.Flags().value_or(0);
  uint32_t ownId = OwnRecordId(*window);
  void* object = createWindow(ownData->data, ownData->size, ExtraStyle(ownFlags), owner, 0, menu.menu,
                              ownRecord.Left().value_or(0), ownRecord.Top().value_or(0), ownRecord.Width().value_or(0),
                              ownRecord.Height().value_or(0), windowId, ownId, modal ? 1 : 0, 0);
  if (!object) return fail(true);
  SetRecordObject(*window, *window->Table().ByIndex(0), object);
  auto unit = AsWindowUnit(static_cast<UnitObjectHead*>(object));
  HWND hwnd = unit->head.window;
  unit->modal = modal;

  std::vector<CreatedUnit> created;
  uint32_t controlId = kFirstControlId;
  for (uint32_t i = window->Table().Count(); i-- > 1;) {
    if (window->Table().IsMenuItem(i)) continue;
    auto ref = window->Table().ByIndex(i);
    if (!ref) continue;
    UnitRecordView record = window->Table().Unit(*ref);
    const UnitTypeInfo* type = UnitType(record.TypeCode().value_or(0));
    auto create = InterfaceOf<UnitCreateFn>(type, unitif::Create);
    auto data = record.TypeData();
    if (!create || !data) {
      // The window unit and the units made so far stay.
      if (menu.shortcuts) DestroyAcceleratorTable(menu.shortcuts);
      DropSavedTable(windowId);
      UnblockEvents();
      return false;
    }
    uint32_t flags = record.Flags().value_or(0);
    void* made = create(data->data, data->size, ExtraStyle(flags), hwnd, controlId, nullptr, record.Left().value_or(0),
                        record.Top().value_or(0), record.Width().value_or(0), record.Height().value_or(0), windowId,
                        window->Table().IdAt(i).value_or(0), 0, 0);
    if (!made) {
      if (menu.shortcuts) DestroyAcceleratorTable(menu.shortcuts);
      DropSavedTable(windowId);
      UnblockEvents();
      return false;
    }
    controlId += kControlIdStep;
    SetRecordObject(*window, *window->Table().ByIndex(i), made);
    auto head = static_cast<UnitObjectHead*>(made);
    bool visible = !(type->stateFlags & kNeverVisible) && (flags & 1);
    created.push_back({i, head->window, visible});
  }

  ArrangeUnits(*window, created);
  SendToUnits(*window, kMsgUnitsCreated);
  SendMessageA(hwnd, kMsgLayoutDone, 0, 0);
  for (const CreatedUnit& c : created)
    if (c.window && IsWindow(c.window)) ShowWindow(c.window, c.visible ? SW_SHOWNA : SW_HIDE);

  unit->shortcuts = menu.shortcuts;
  UnblockEvents();

  if (!RaiseWindowEvent(windowId, ownId, 0)) return true;
  if (!RaiseWindowEvent(windowId, ownId, 3)) return true;
  if (!RaiseWindowEvent(windowId, ownId, 4)) return true;

  bool visible = (ownFlags & 1) != 0;
  if (visible) {
    ShowLoadedWindow(*unit);
    if (!LoadedWindowHandle(windowId)) return true;
  }
  if (modal) DisableOtherWindows(*unit);

  HWND focus = GetFocus();
  SendToUnits(*window, kMsgLoadFinished);
  if (!LoadedWindowHandle(windowId)) return true;
  if (GetFocus() != focus && focus && IsWindow(focus)) SetFocus(focus);
  unit->loaded = true;
  return true;
}
}  // namespace

int32_t LoadWindow(uint32_t windowId, void* ownerObject, bool modal) {
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) return -1;
  if (WindowUnit* live = LoadedWindowUnit(windowId)) {
    if (!live->closingByCode) {
      HWND hwnd = live->head.window;
      if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
      else SetActiveWindow(hwnd);
      return 0;
    }
    // A close by code is pending: it happens now, and the window loads afresh.
    live->closingByCode = false;
    ReenableDisabledWindows(*live);
    DestroyWindow(live->head.window);
  }
  HWND owner = nullptr;
  if (!modal && ownerObject) {
    auto head = static_cast<UnitObjectHead*>(ownerObject);
    if (!IsLiveWindow(head)) return -1;
    owner = head->window;
  }
  if (!Build(windowId, owner, modal)) return -1;

  auto own = window->Table().ByIndex(0);
  bool visible = own && (window->Table().Unit(*own).Flags().value_or(0) & 1);
  if (modal && visible && LoadedWindowHandle(windowId)) rt::RunModalLoop(windowId);
  return 0;
}

bool CreateStartupWindow(uint32_t windowId) { return LoadWindow(windowId, nullptr, false) == 0; }

}  // namespace forms
