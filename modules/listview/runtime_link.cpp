#include "modules/listview/runtime_link.h"

#include <cstdlib>
#include <cstring>

#include "modules/listview/listview_module.h"

namespace lv {

bool RaiseEvent(uint32_t windowId, uint32_t unitId, int32_t event, const uint32_t* args, uint32_t argCount,
                bool* returned, uint32_t* result) {
  EventRecord r{};
  r.windowId = windowId;
  r.unitId = unitId;
  r.eventIndex = event;
  for (uint32_t i = 0; i < argCount && i < 5; ++i) r.args[r.argCount++] = args[i];
  RuntimeServiceFn service = UiExtLibService();
  bool ran = service && service(svc::RaiseEvent, Word(&r), 0) != 0;
  if (returned) *returned = ran && r.hasResult != 0;
  if (result) *result = r.result;
  return ran;
}

void ReportUnitDestroyed(uint32_t windowId, uint32_t unitId) {
  if (RuntimeServiceFn service = UiExtLibService()) service(svc::UnitDestroyed, windowId, unitId);
}

void* FindUnitStrictly(uint32_t windowId, uint32_t unitId) {
  RuntimeServiceFn service = UiExtLibService();
  void* unit = service ? FromWord<void>(service(svc::FindUnitStrict, windowId, unitId)) : nullptr;
  if (!unit) ReportError("指定窗口或窗口组件不存在或尚未载入");
  return unit;
}

void ReportError(const char* message) {
  if (RuntimeServiceFn service = UiExtLibService()) service(svc::ReportError, Word(message), 0);
  std::abort();  // the runtime's error path ends the process; without a runtime there is nothing else to do
}

char* RuntimeText(const char* bytes, uint32_t length) {
  RuntimeServiceFn service = UiExtLibService();
  if (length == 0 || !service) return nullptr;
  char* text = FromWord<char>(service(svc::Allocate, length + 1, 0));
  if (!text) return nullptr;
  std::memcpy(text, bytes, length);
  text[length] = 0;
  return text;
}

int32_t IntegerOf(const CmdArg& arg) {
  if (arg.type == tc::Integer) return static_cast<int32_t>(arg.lo);
  RuntimeServiceFn service = UiExtLibService();
  return service ? static_cast<int32_t>(service(svc::ToInteger, Word(&arg), 0)) : 0;
}

}  // namespace lv
