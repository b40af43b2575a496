// The service entry through which modules reach the runtime.
#include <windows.h>

#include <cstring>

#include "runtime/events.h"
#include "runtime/exit.h"
#include "runtime/form_engine_port.h"
#include "runtime/heap.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_error.h"
#include "runtime/startup.h"
#include "runtime/value_convert.h"

namespace rt {
namespace {

struct LoadWindowRequest {
  uint32_t windowId;
  void* owner;
  uint32_t modal;
};

uint32_t ProgramIcons(HICON* pair) {
  RuntimeApp& app = App();
  if (!app.iconLarge) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    app.iconLarge = static_cast<HICON>(LoadImageA(self, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                  GetSystemMetrics(SM_CYICON), 0));
    app.iconSmall = static_cast<HICON>(LoadImageA(self, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), 0));
  }
  if (pair) {
    pair[0] = app.iconLarge;
    pair[1] = app.iconSmall;
  }
  return 0;
}

const UnitTypeInfo* TypeEntry(TypeCode code) {
  uint32_t module = code >> 16;
  uint32_t number = code & 0xFFFF;
  const auto& modules = App().modules;
  if (module == 0 || module > modules.size() || number == 0) return nullptr;
  const ModuleDescriptor* d = modules[module - 1];
  if (!d || !d->types || number > d->typeCount) return nullptr;
  return &d->types[number - 1];
}

void CopyRuntimeString(uint32_t selector, char* buffer) {
  if (!buffer || selector == 1) return;
  const std::string* s = selector == svc::StringProgramDirectory  ? &App().programDirectory
                         : selector == svc::StringProgramFileName ? &App().programFileName
                                                                  : nullptr;
  if (!s) {
    buffer[0] = 0;
    return;
  }
  size_t n = s->size() < MAX_PATH ? s->size() : MAX_PATH;
  std::memcpy(buffer, s->data(), n);
  buffer[n] = 0;
}

// A number carried in a service word: ids, sizes, codes and flags are 32-bit on both targets.
uint32_t N(AddrWord w) { return static_cast<uint32_t>(w); }

AddrWord __cdecl Service(uint32_t code, AddrWord a1, AddrWord a2) {
  RuntimeApp& app = App();
  switch (code) {
    case svc::ProgramIcons: return ProgramIcons(FromWord<HICON>(a1));
    case svc::WindowRegistry: return Word(forms::Registry());
    case svc::TypeEntry: return Word(TypeEntry(N(a1)));
    case svc::Placeholder: return 1;
    case svc::RuntimeLevel: return svc::RuntimeLevelValue;
    case svc::CopyRuntimeString: CopyRuntimeString(N(a1), FromWord<char>(a2)); return 0;
    case svc::AttachWindow: return forms::AttachWindow(FromWord<HWND__>(a1), FromWord<void>(a2)) ? 1 : 0;
    case svc::AddIdleCallback: {
      auto r = FromWord<IdleCallbackRecord>(a1);
      if (r) AddIdleCallback(*r);
      return 0;
    }
    case svc::RemoveIdleCallback: RemoveIdleCallback(FromWord<void>(a1)); return 0;
    case svc::IsUnitWindow: return forms::IsUnitWindow(FromWord<HWND__>(a1)) ? 1 : 0;
    case svc::UnitDestroyed:
      if (forms::UnitDestroyed(N(a1), N(a2))) WindowDestroyed(N(a1));
      return 0;
    case svc::ToInteger: return static_cast<uint32_t>(ValueToInteger(*FromWord<CmdArg>(a1)));
    case svc::Nothing2002: return 0;
    case svc::ProgramDirectory: return Word(DupText(app.programDirectory.c_str()));
    case svc::ProgramFileName: return Word(DupText(app.programFileName.c_str()));
    case svc::LoadWindow: {
      auto r = FromWord<LoadWindowRequest>(a1);
      if (!r) return static_cast<uint32_t>(-1);
      return static_cast<uint32_t>(forms::LoadWindow(r->windowId, r->owner, r->modal != 0));
    }
    case svc::FindUnit: return Word(forms::FindUnit(N(a1), N(a2)));
    case svc::FindUnitStrict: {
      void* unit = forms::FindUnit(N(a1), N(a2));
      if (!unit) ReportRuntimeError("指定窗口或窗口组件不存在或尚未载入", 0);
      return Word(unit);
    }
    case svc::RaiseEvent: return a1 ? RaiseEvent(*FromWord<EventRecord>(a1)) : 0;
    case svc::BlockEvents:
      ProcessPendingMessages();
      InterlockedIncrement(&app.eventBlockCount);
      return 0;
    case svc::UnblockEvents:
      ProcessPendingMessages();
      if (InterlockedDecrement(&app.eventBlockCount) < 0) InterlockedIncrement(&app.eventBlockCount);
      return 0;
    case svc::CurrentEventSource: {
      auto fields = FromWord<uint32_t>(a1);
      if (app.currentEventWindow == 0 && app.currentEventUnit == 0) return 0;
      if (fields) {
        fields[0] = app.currentEventWindow;
        fields[1] = app.currentEventUnit;
      }
      return 1;
    }
    case svc::ProcessEvents: ProcessPendingMessages(); return 0;
    case svc::FreeArray: FreeArray(N(a1), FromWord<void>(a2)); return 0;
    case svc::Allocate: return Word(a2 ? TryAllocBlock(N(a1)) : AllocBlock(N(a1)));
    case svc::Free: FreeBlock(FromWord<void>(a1)); return 0;
    case svc::Resize: return Word(ReallocBlock(FromWord<void>(a1), N(a2)));
    case svc::ReportError: ReportRuntimeError(FromWord<const char>(a1), 0);
    case svc::Exit: ExitProgram(static_cast<int32_t>(a1));
    case svc::ImageKind: return app.headerWords[0];
    case svc::RaiseTypedEvent: return a1 ? RaiseTypedEvent(*FromWord<TypedEventRecord>(a1)) : 0;
    case svc::WindowCount: return forms::TemplateWindowCount();
    case svc::WindowHandle: {
      HWND h = forms::WindowHandle(N(a1));
      return h && IsWindow(h) ? Word(h) : 0;
    }
    default: return 0;
  }
}
}  // namespace

RuntimeServiceFn ServiceEntry() { return &Service; }

}  // namespace rt
