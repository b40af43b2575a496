#include "forms/window_registry.h"

#include <map>
#include <vector>

#include "forms/live_object_slots.h"
#include "forms/record_edit.h"
#include "forms/template_store.h"
#include "forms/unit_types.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace forms {
namespace {
std::map<uint32_t, std::vector<uint8_t>> g_saved;  // window id -> table as it was when loaded
}  // namespace

WindowTemplate* FindTemplate(uint32_t windowId) { return InstalledWindows().Find(windowId); }

std::optional<RecordRef> FindRecord(const WindowTemplate& window, uint32_t unitId) {
  UnitTableView table = window.Table();
  if (unitId == 0) return table.ByIndex(0);
  return table.ById(unitId);
}

UnitObjectHead* RecordObject(const WindowTemplate& window, const RecordRef& record) {
  if (window.Table().IsMenuItem(record.index)) return nullptr;
  auto slot = window.Table().Unit(record).ObjectSlot();
  return slot ? static_cast<UnitObjectHead*>(LiveObjectOfSlot(*slot)) : nullptr;
}

void SetRecordObject(WindowTemplate& window, const RecordRef& record, const void* object) {
  auto y = window.Table().Unit(record).PositionY();
  if (!y) return;
  auto old = window.Table().Unit(record).ObjectSlot();
  StoreRecordDword(window, record, *y, ReplaceSlotObject(old.value_or(0), object));
}

bool IsLiveWindow(const UnitObjectHead* object) {
  return object && object->magic == kUnitObjectMagic && object->window && IsWindow(object->window);
}

UnitObjectHead* LiveObject(uint32_t windowId, uint32_t unitId) {
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) return nullptr;
  auto record = FindRecord(*window, unitId);
  if (!record) return nullptr;
  UnitObjectHead* object = RecordObject(*window, *record);
  return object && object->magic == kUnitObjectMagic ? object : nullptr;
}

HWND LoadedWindowHandle(uint32_t windowId) {
  UnitObjectHead* object = LiveObject(windowId, 0);
  return IsLiveWindow(object) ? object->window : nullptr;
}

uint32_t OwnRecordId(const WindowTemplate& window) { return window.Table().IdAt(0).value_or(0); }

void SaveTable(uint32_t windowId) {
  if (WindowTemplate* window = FindTemplate(windowId)) g_saved[windowId] = window->unitTable;
}

void DropSavedTable(uint32_t windowId) { g_saved.erase(windowId); }

void RestoreSavedTable(uint32_t windowId) {
  auto it = g_saved.find(windowId);
  if (it == g_saved.end()) return;
  if (WindowTemplate* window = FindTemplate(windowId)) window->unitTable = std::move(it->second);
  g_saved.erase(it);
}

// ---- the runtime's questions about loaded windows ----

bool AnyWindowAlive() {
  WindowSet& set = InstalledWindows();
  for (uint32_t id : set.ids)
    if (LoadedWindowHandle(id)) return true;
  return false;
}

std::vector<LiveWindow> LiveWindows() {
  std::vector<LiveWindow> out;
  WindowSet& set = InstalledWindows();
  for (size_t i = 0; i < set.ids.size(); ++i)
    if (LiveObject(set.ids[i], 0)) out.push_back({set.ids[i], OwnRecordId(set.windows[i])});
  return out;
}

void* Registry() { return &InstalledWindows(); }

void* FindUnit(uint32_t windowId, uint32_t unitId) {
  // A unit of a window that is not loaded has no object, whatever its slot may say.
  if (!LoadedWindowHandle(windowId)) return nullptr;
  return LiveObject(windowId, unitId);
}

HWND WindowHandle(uint32_t windowId) { return LoadedWindowHandle(windowId); }

bool IsUnitWindow(HWND window) {
  for (HWND w = window; w; w = GetParent(w)) {
    UnitObjectHead* head = UnitOfWindow(w);
    if (!head) continue;
    if (LiveObject(head->windowId, head->unitId) != head || !LoadedWindowHandle(head->windowId)) return false;
    if (w == window) return true;
    // A window inside a unit counts as the unit's only for containers that say so.
    const UnitTypeInfo* type = UnitType(head->type);
    return type && (type->stateFlags & 0x00200200u) == 0x00200200u;
  }
  return false;
}

bool AttachWindow(HWND window, void* object) {
  auto head = static_cast<UnitObjectHead*>(object);
  if (!window || !IsWindow(window) || !head || head->magic != kUnitObjectMagic) return false;
  if (head->window || UnitOfWindow(window)) return false;
  head->window = window;
  SetUnitOfWindow(window, head);
  return true;
}

}  // namespace forms
