// Window, unit and menu item identifiers as the templates fix them: kind in bits 28-31,
// class in bits 24-27, serial number in bits 0-23.
#pragma once
#include <cstdint>

namespace forms {

// A lookup with an invalid identifier finds nothing without searching.
constexpr bool IsValidId(uint32_t id) { return (id & 0x00FFFFFFu) != 0 && (id & 0x0F000000u) != 0; }

// Menu items are class 6, kind 2; everything else in a unit table is an ordinary unit record.
constexpr bool IsMenuItemId(uint32_t id) {
  return (id & 0x0F000000u) == 0x06000000u && (id & 0xF0000000u) == 0x20000000u;
}

}  // namespace forms
