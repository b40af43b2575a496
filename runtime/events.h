// Calling the application's event handlers.
#pragma once
#include <cstdint>

#include "runtime/abi/interface.h"

namespace rt {

// Service 2008: 1 when a handler ran. Nothing runs while events are blocked.
uint32_t RaiseEvent(EventRecord& record);
// Service 2031: the same with typed arguments widened by their type.
uint32_t RaiseTypedEvent(TypedEventRecord& record);
// Words the typed arguments occupy when passed to a handler; returns the word count.
uint32_t WidenTypedArguments(const TypedEventRecord& record, uint32_t* words, uint32_t capacity);

}  // namespace rt
