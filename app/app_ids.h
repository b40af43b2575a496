// Identifiers of the application's windows, units and menu items, fixed in its form templates.
#pragma once
#include <cstdint>

namespace ids {
constexpr uint32_t kMainWindow = 0x52010001;
}  // namespace ids
