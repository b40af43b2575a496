// The windows read from the form segment: the window index (identifiers in segment order) and
// one template per window. The unit table is kept as bytes because it is both the template and
// the live property store: records are edited in place and copied whole when a window loads.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/unit_table.h"

namespace forms {

struct WindowTemplate {
  uint32_t value1 = 0;  // kept with the window, not interpreted
  uint32_t value2 = 0;
  std::string text1;  // raw bytes
  std::string text2;
  uint32_t unitCount = 0;
  std::vector<uint8_t> unitTable;

  UnitTableView Table() const {
    return UnitTableView(unitTable.data(), static_cast<uint32_t>(unitTable.size()), unitCount);
  }
};

struct WindowSet {
  std::vector<uint32_t> ids;
  std::vector<WindowTemplate> windows;  // windows[i] is the window of ids[i]

  uint32_t Count() const { return static_cast<uint32_t>(ids.size()); }
  // First identifier first, then the index in order; an invalid identifier finds nothing.
  std::optional<uint32_t> IndexOf(uint32_t windowId) const;
  WindowTemplate* Find(uint32_t windowId);
  const WindowTemplate* Find(uint32_t windowId) const;
};

}  // namespace forms
