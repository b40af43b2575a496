#include "tests/forms/engine_image.h"

#include <windows.h>

#include <cstring>

#include "modules/encoding/encoding_module.h"
#include "modules/listview/listview_module.h"
#include "modules/net/net_module.h"
#include "modules/regex/regex_module.h"
#include "modules/special/special_module.h"
#include "modules/thread/thread_module.h"
#include "runtime/abi/unit_interface.h"
#include "runtime/core_module.h"
#include "runtime/message_loop.h"
#include "runtime/startup.h"

namespace engineimg {
namespace {
uint8_t g_segment[16384];
ModuleDescriptor g_core, g_uiExt;
UnitTypeInfo g_coreTypes[64], g_uiExtTypes[16];
const ModuleDescriptor* g_modules[7];
ImageHeader g_header;

struct StandIn {
  UnitObjectHead head;
};
void* __cdecl StandInCreate(const uint8_t*, uint32_t, uint32_t extraStyle, HWND parent, uint32_t id, HMENU, int32_t x,
                            int32_t y, int32_t w, int32_t h, uint32_t windowId, uint32_t unitId, uint32_t, uint32_t) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS | extraStyle, x, y, w, h, parent,
                                HandleFromWord<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
  if (!window) return nullptr;
  auto unit = new StandIn{{kUnitObjectMagic, window, windowId, unitId, 0}};
  SetUnitOfWindow(window, &unit->head);
  return unit;
}
void* __cdecl StandInInterface(uint32_t number) {
  return number == unitif::Create ? reinterpret_cast<void*>(StandInCreate) : nullptr;
}

void CopyWithStandIns(const ModuleDescriptor& real, ModuleDescriptor& copy, UnitTypeInfo* types) {
  copy = real;
  std::memcpy(types, real.types, sizeof(UnitTypeInfo) * real.typeCount);
  for (uint32_t i = 0; i < real.typeCount; ++i)
    if (types[i].englishName && (types[i].stateFlags & 0x40) && !types[i].interfaceGetter)
      types[i].interfaceGetter = StandInInterface;
  copy.types = types;
}
}  // namespace

void Start(const std::vector<uint8_t>& segment, const EventHandlerFn* codeBase, const ImageHeader* dllCommandsOf) {
  std::memcpy(g_segment, segment.data(), segment.size());
  CopyWithStandIns(kCoreLibDescriptor, g_core, g_coreTypes);
  CopyWithStandIns(kUiExtLibDescriptor, g_uiExt, g_uiExtTypes);
  const ModuleDescriptor* modules[7] = {&g_core, &kThreadLibDescriptor, &g_uiExt, &kNetLibDescriptor,
                                        &kEncodingLibDescriptor, &kRegexLibDescriptor, &kSpecialLibDescriptor};
  std::memcpy(g_modules, modules, sizeof modules);
  g_header = ImageHeader{3, 0, 0, codeBase, nullptr, 0, g_segment, static_cast<uint32_t>(segment.size()), 7,
                         g_modules, 0, nullptr, nullptr};
  if (dllCommandsOf) {
    g_header.dllCommandCount = dllCommandsOf->dllCommandCount;
    g_header.dllFiles = dllCommandsOf->dllFiles;
    g_header.dllEntries = dllCommandsOf->dllEntries;
  }
  rt::RuntimeInit(&g_header);
}

std::vector<uint8_t> WindowWithEditBox(uint32_t windowId, uint32_t ownId, uint32_t boxId, const char* caption,
                                      const forms::EditBoxData& box, int32_t width, int32_t height,
                                      const std::vector<forms::EventPair>& events) {
  forms::WindowRecordSpec w;
  w.id = windowId;
  forms::WindowData d;
  d.caption = caption;
  d.startPosition = 0;
  forms::UnitRecordSpec own;
  own.typeCode = tc::Window;
  own.left = 40, own.top = 40, own.width = 480, own.height = 300, own.flags = 1;
  own.typeData = forms::EncodeBlock(d);
  w.records.push_back({ownId, forms::EncodeUnitRecord(own)});
  forms::UnitRecordSpec e;
  e.typeCode = tc::EditBox, e.left = 8, e.top = 8, e.width = width, e.height = height, e.flags = 5;
  e.events = events;
  e.typeData = forms::EncodeBlock(box);
  w.records.push_back({boxId, forms::EncodeUnitRecord(e)});
  return forms::EncodeFormSegment({w});
}

void Pump(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    rt::ProcessPendingMessages();
    Sleep(10);
  }
}

}  // namespace engineimg
