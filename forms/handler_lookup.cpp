// Finding the handler that a window's records bind to an event, following the event source
// link to the record whose event table serves the unit.
#include "forms/form_segment_reader.h"
#include "forms/template_store.h"
#include "forms/window_registry.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"

namespace forms {
namespace {
constexpr uint32_t kMenuItemType = 0x04, kWindowBasedType = 0x40;

uint32_t TypeCodeAt(const UnitTableView& table, const RecordRef& r) {
  return table.IsMenuItem(r.index) ? table.Menu(r).TypeCode().value_or(0) : table.Unit(r).TypeCode().value_or(0);
}
}  // namespace

const EventHandlerFn* FindHandler(uint32_t windowId, uint32_t unitId, int32_t eventIndex, uint32_t) {
  rt::RuntimeApp& app = rt::App();
  if (app.eventBlockCount > 0) return nullptr;
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) rt::ReportRuntimeError("未找到引发事件的窗口", 0);
  UnitTableView table = window->Table();
  auto record = FindRecord(*window, unitId);
  if (!record) rt::ReportRuntimeError("未找到引发事件的窗口组件", 0);
  uint32_t eventUnit = table.IdAt(record->index).value_or(0);

  // A unit may borrow the event table of another unit of its type; a chain is at most as long
  // as the table, which also stops a cycle.
  uint32_t type = TypeCodeAt(table, *record);
  for (uint32_t hops = 0; hops < table.Count(); ++hops) {
    uint32_t link = table.IsMenuItem(record->index) ? table.Menu(*record).EventSourceLink().value_or(0)
                                                    : table.Unit(*record).EventSourceLink().value_or(0);
    if (!link) break;
    auto next = table.ById(link);
    if (!next || TypeCodeAt(table, *next) != type) break;
    record = next;
  }

  const UnitTypeInfo* info = UnitType(type);
  if (!info || !(info->stateFlags & (kMenuItemType | kWindowBasedType)))
    rt::ReportRuntimeError("引发事件的窗口组件无效", 0);

  uint32_t handler = 0;
  if (table.IsMenuItem(record->index)) {
    handler = table.Menu(*record).Handler().value_or(0);
  } else if (auto events = table.Unit(*record).Events()) {
    for (const EventPair& pair : *events)
      if (pair.event == eventIndex) {
        handler = pair.handler;
        break;
      }
  }
  if (!handler) return nullptr;
  app.currentEventWindow = windowId;
  app.currentEventUnit = eventUnit;
  return static_cast<const EventHandlerFn*>(HandlerEntryOf(handler, CodeBase()));
}

}  // namespace forms
