#include "forms/window_set.h"

#include "forms/template_ids.h"

namespace forms {

std::optional<uint32_t> WindowSet::IndexOf(uint32_t windowId) const {
  if (!IsValidId(windowId) || ids.empty()) return std::nullopt;
  if (ids[0] == windowId) return 0;
  for (uint32_t i = 1; i < ids.size(); ++i)
    if (ids[i] == windowId) return i;
  return std::nullopt;
}

WindowTemplate* WindowSet::Find(uint32_t windowId) {
  auto i = IndexOf(windowId);
  return i ? &windows[*i] : nullptr;
}

const WindowTemplate* WindowSet::Find(uint32_t windowId) const {
  auto i = IndexOf(windowId);
  return i ? &windows[*i] : nullptr;
}

}  // namespace forms
