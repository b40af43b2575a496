#include "runtime/events.h"

#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace rt {
namespace {
// The lookup recorded the event source (with the window's own unit for window events); it is
// cleared once the handler returns.
HandlerResult CallHandler(const EventHandlerFn* entry, const uint32_t* words, uint32_t count) {
  RuntimeApp& app = App();
  HandlerResult result = (*entry)(words, count);
  app.currentEventWindow = 0;
  app.currentEventUnit = 0;
  return result;
}

const EventHandlerFn* Lookup(uint32_t windowId, uint32_t unitId, int32_t eventIndex, uint32_t argCount) {
  if (App().eventBlockCount > 0) return nullptr;
  const EventHandlerFn* entry = forms::FindHandler(windowId, unitId, eventIndex, argCount);
  return entry && *entry ? entry : nullptr;
}
}  // namespace

uint32_t RaiseEvent(EventRecord& r) {
  uint32_t count = r.argCount > 5 ? 5 : r.argCount;
  const EventHandlerFn* entry = Lookup(r.windowId, r.unitId, r.eventIndex, count);
  if (!entry) return 0;
  HandlerResult result = CallHandler(entry, r.args, count);
  if (result.returned) {
    r.hasResult = 1;
    r.result = result.lo;
  }
  return 1;
}

uint32_t WidenTypedArguments(const TypedEventRecord& r, uint32_t* words, uint32_t capacity) {
  uint32_t n = 0;
  uint32_t count = r.argCount > 12 ? 12 : r.argCount;
  for (uint32_t i = 0; i < count && n < capacity; ++i) {
    const TypedEventArg& a = r.args[i];
    bool eight = false;
    uint32_t low = a.lo;
    if (a.flags & 1) {
      // by reference: the address as it is, in lo (and hi on the 64-bit build, two words there)
      eight = kWideAddresses;
    } else if ((a.flags & 2) || a.type == tc::Menu || a.type == tc::DateTime || a.type == tc::Wide8 ||
               a.type == tc::Long || a.type == tc::Double) {
      eight = true;
    } else if (a.type == tc::Byte) {
      low = a.lo & 0xFF;
    } else if (a.type == tc::Short) {
      low = static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(a.lo & 0xFFFF)));
    }
    words[n++] = low;
    if (eight && n < capacity) words[n++] = a.hi;
  }
  return n;
}

uint32_t RaiseTypedEvent(TypedEventRecord& r) {
  uint32_t count = r.argCount > 12 ? 12 : r.argCount;
  const EventHandlerFn* entry = Lookup(r.windowId, r.unitId, r.eventIndex, count);
  if (!entry) return 0;
  uint32_t words[24];
  uint32_t n = WidenTypedArguments(r, words, 24);
  HandlerResult result = CallHandler(entry, words, n);
  if (result.returned) {
    r.hasResult = 1;
    r.resultLo = result.lo;
    r.resultHi = result.hi;
  }
  return 1;
}

}  // namespace rt
