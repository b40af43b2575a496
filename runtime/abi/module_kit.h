// Building a module's static descriptor.
#pragma once
#include "runtime/abi/module.h"

constexpr ModuleDescriptor MakeModuleDescriptor(const char* identifier, const char* displayName, uint32_t flags,
                                                uint32_t typeCount, const UnitTypeInfo* types,
                                                uint32_t commandCount, const CommandFn* commands,
                                                ModuleNotifyFn notify) {
  return ModuleDescriptor{kModuleFormatStamp,
                          identifier,
                          1,
                          0,
                          1,
                          {0, 0, 0, 0},
                          displayName,
                          1,
                          nullptr,
                          flags,
                          {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
                          typeCount,
                          types,
                          0,
                          nullptr,
                          commandCount,
                          nullptr,
                          commands,
                          {nullptr, nullptr},
                          notify,
                          {nullptr, nullptr, nullptr, nullptr, nullptr}};
}

// A type table entry with only the fields the runtime reads set.
constexpr UnitTypeInfo MakeUnitType(const char* chineseName, const char* englishName, uint32_t stateFlags,
                                    uint32_t propertyCount = 0, const PropertyInfo* properties = nullptr,
                                    void* (__cdecl* interfaceGetter)(uint32_t) = nullptr) {
  return UnitTypeInfo{chineseName, englishName, nullptr,       0,         nullptr, stateFlags, 0, 0, nullptr,
                      propertyCount, properties, interfaceGetter, 0,       nullptr};
}
