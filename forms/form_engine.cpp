// Start-up's side of the form engine: the form segment is read into a pending set, its handlers
// relocated, and the set installed as the registry's windows.
#include <utility>

#include "forms/form_segment_reader.h"
#include "forms/template_store.h"
#include "forms/unit_types.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace forms {

namespace {
WindowSet g_pending;    // read but not yet handed to the registry
WindowSet g_installed;  // the registry's windows
const void* g_codeBase = nullptr;  // what the handler words were relocated against
}  // namespace

WindowSet& InstalledWindows() { return g_installed; }

const UnitTypeInfo* UnitType(uint32_t typeCode) {
  const auto& modules = rt::App().modules;
  return LookupUnitType(typeCode, modules.data(), static_cast<uint32_t>(modules.size()));
}

bool ReadTemplates(const uint8_t* data, uint32_t length) {
  if (length == 0) {
    g_pending = WindowSet{};
    return true;
  }
  if (!data) return false;
  auto set = ReadFormSegment(data, length);
  if (!set) return false;
  g_pending = std::move(*set);
  return true;
}

void RelocateHandlers(const void* codeBase) {
  g_codeBase = codeBase;
  RelocateHandlers(g_pending, codeBase);
}

const void* CodeBase() { return g_codeBase; }

void InstallWindowSet() {
  g_installed = std::move(g_pending);
  g_pending = WindowSet{};
}

uint32_t TemplateWindowCount() { return g_installed.Count(); }

}  // namespace forms
