#include "forms/unit_types.h"

#include <cstring>

namespace forms {

const UnitTypeInfo* LookupUnitType(uint32_t typeCode, const ModuleDescriptor* const* modules, uint32_t moduleCount) {
  uint32_t module = typeCode >> 16;
  uint32_t number = typeCode & 0xFFFF;
  if (!modules || module == 0 || module > moduleCount || number == 0) return nullptr;
  const ModuleDescriptor* d = modules[module - 1];
  if (!d || !d->types || number > d->typeCount) return nullptr;
  const UnitTypeInfo* entry = &d->types[number - 1];
  static const UnitTypeInfo kZero{};
  if (std::memcmp(entry, &kZero, sizeof kZero) == 0) return nullptr;
  return entry;
}

}  // namespace forms
