// The core commands as the application calls them: argument glue around the text, number,
// file and window rules.
#include "runtime/commands/core_commands.h"

#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/com/automation_commands.h"
#include "runtime/commands/text_logic.h"
#include "runtime/commands/whole_file.h"
#include "runtime/form_engine_port.h"
#include "runtime/heap.h"
#include "runtime/runtime_app.h"
#include "runtime/value_convert.h"

namespace {

bool Given(int32_t count, const CmdArg* args, int32_t index) { return index < count && args[index].type != 0; }
const char* TextArg(int32_t count, const CmdArg* args, int32_t index) {
  return index < count && args[index].type == tc::Text ? ArgText(args[index]) : nullptr;
}
void SetText(CmdArg* r, char* text) { *r = MakePtr(text, tc::Text); }
void SetBytes(CmdArg* r, const void* data, uint32_t size) {
  *r = MakePtr(rt::ByteArrayFromBytes(data, size), tc::ByteArray);
}
size_t Length(const char* t) { return t ? std::strlen(t) : 0; }

void __cdecl CmdLoadWindow(CmdArg* r, int32_t count, CmdArg* args) {
  if (count < 1) return;
  void* parent = nullptr;
  if (Given(count, args, 1)) {
    parent = forms::FindUnit(args[1].lo, 0);
    if (!parent) return;  // a parent that is not loaded: nothing is loaded
  }
  bool modal = Given(count, args, 2) && args[2].lo != 0;
  *r = MakeLogical(forms::LoadWindow(args[0].lo, parent, modal) == 0);
}

int32_t ToIntegerOf(const CmdArg& a) {
  switch (a.type) {
    case tc::Logical:
    case tc::Integer:
    case tc::SubPtr: return static_cast<int32_t>(a.lo);
    case tc::Byte:
    case tc::Short:
    case tc::Long:
    case tc::Float:
    case tc::Double: return rt::ValueToInteger(a);
    case tc::Text: return rt::TextToInteger(ArgText(a));
    default: return 0;
  }
}

void __cdecl CmdToInteger(CmdArg* r, int32_t count, CmdArg* args) {
  if (count >= 1) *r = MakeInt(ToIntegerOf(args[0]));
}

void __cdecl CmdDestroyUnit(CmdArg* r, int32_t count, CmdArg* args) {
  if (count < 1) return;
  bool immediate = Given(count, args, 1) && args[1].lo != 0;
  if (args[0].type == tc::Window)
    forms::CloseWindowByCode(args[0].lo, immediate);
  else
    forms::DestroyUnitOfWindow(args[0].lo, args[0].hi);
}

std::string MessageBoxContent(const CmdArg& a) {
  if (a.type == tc::Text) return ArgText(a) ? ArgText(a) : "";
  if (tc::IsNumeric(a.type) || a.type == tc::Logical || a.type == tc::DateTime) {
    char* t = rt::ValueToText(a);
    std::string s = t ? t : "";
    rt::FreeBlock(t);
    return s;
  }
  return "";  // byte arrays, units and the like show nothing
}

void __cdecl CmdShowMessageBox(CmdArg* r, int32_t count, CmdArg* args) {
  std::string content = count >= 1 ? MessageBoxContent(args[0]) : "";
  UINT style = count >= 2 ? static_cast<UINT>(args[1].lo) : 0;
  if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
  const char* title = TextArg(count, args, 2);
  if (!Given(count, args, 2)) title = "信息：";
  HWND owner = nullptr;
  if (count == 4) {
    if (args[3].type == tc::Window)
      owner = forms::WindowHandle(args[3].lo);
    else if (args[3].type == tc::Integer)
      owner = HandleFromWord<HWND>(args[3].lo);
  }
  int answer = MessageBoxA(owner, content.c_str(), title ? title : "", style);
  *r = MakeInt(rt::MessageBoxAnswer(answer));
}

void __cdecl CmdRoundNumber(CmdArg* r, int32_t count, CmdArg* args) {
  if (count < 1) return;
  double x = args[0].type == tc::Double  ? ArgDouble(args[0])
             : args[0].type == tc::Float ? static_cast<double>(ArgFloat(args[0]))
             : args[0].type == tc::Long  ? static_cast<double>(ArgLong(args[0]))
                                         : static_cast<double>(rt::ValueToInteger(args[0]));
  int32_t places = Given(count, args, 1) ? rt::ValueToInteger(args[1]) : 0;
  *r = MakeDouble(rt::RoundToPlaces(x, places));
}

void __cdecl CmdToText(CmdArg* r, int32_t count, CmdArg* args) {
  if (count >= 1) SetText(r, rt::ValueToText(args[0]));
}

void __cdecl CmdFindText(CmdArg* r, int32_t count, CmdArg* args) {
  bool hasStart = Given(count, args, 2);
  int32_t start = hasStart ? rt::ValueToInteger(args[2]) : 0;
  bool ignoreCase = Given(count, args, 3) && args[3].lo == 1;
  *r = MakeInt(rt::FindTextPosition(TextArg(count, args, 0), TextArg(count, args, 1), hasStart, start, ignoreCase));
}

void __cdecl CmdMidText(CmdArg* r, int32_t count, CmdArg* args) {
  const char* t = TextArg(count, args, 0);
  if (!t || count < 3) return;
  uint32_t offset, bytes;
  rt::MidRange(static_cast<uint32_t>(Length(t)), rt::ValueToInteger(args[1]), rt::ValueToInteger(args[2]), offset,
               bytes);
  SetText(r, rt::TextFromBytes(t + offset, static_cast<int32_t>(bytes)));
}

void __cdecl CmdNow(CmdArg* r, int32_t, CmdArg*) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  st.wMilliseconds = 0;  // whole seconds
  double date = 0;
  SystemTimeToVariantTime(&st, &date);
  *r = MakeDateTime(date);
}

void __cdecl CmdAppendText(CmdArg* r, int32_t count, CmdArg* args) {
  if (count < 1) return;
  HWND edit = forms::UnitWindow(args[0].lo, args[0].hi);
  if (!edit) return;
  for (int32_t i = 1; i < count; ++i) {
    const char* text = TextArg(count, args, i);
    LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text ? text : ""));
  }
}

void __cdecl CmdTextLength(CmdArg* r, int32_t count, CmdArg* args) {
  *r = MakeInt(static_cast<int32_t>(Length(TextArg(count, args, 0))));
}

void __cdecl CmdLeftText(CmdArg* r, int32_t count, CmdArg* args) {
  const char* t = TextArg(count, args, 0);
  if (!t || count < 2) return;
  uint32_t n = rt::LeftCount(static_cast<uint32_t>(Length(t)), rt::ValueToInteger(args[1]));
  SetText(r, rt::TextFromBytes(t, static_cast<int32_t>(n)));
}

void __cdecl CmdProgramDirectory(CmdArg* r, int32_t, CmdArg*) {
  SetText(r, rt::DupText(rt::App().programDirectory.c_str()));
}

void __cdecl CmdMouseX(CmdArg* r, int32_t, CmdArg*) {
  POINT p{};
  GetCursorPos(&p);
  *r = MakeInt(p.x);
}

void __cdecl CmdMouseY(CmdArg* r, int32_t, CmdArg*) {
  POINT p{};
  GetCursorPos(&p);
  *r = MakeInt(p.y);
}

void __cdecl CmdPopupMenu(CmdArg* r, int32_t count, CmdArg* args) {
  if (count < 2) return;
  bool hasX = Given(count, args, 2), hasY = Given(count, args, 3);
  forms::ShowPopupMenu(args[0].lo, args[1].hi, hasX, hasX ? rt::ValueToInteger(args[2]) : 0, hasY,
                       hasY ? rt::ValueToInteger(args[3]) : 0);
}

void __cdecl CmdDialogOpen(CmdArg* r, int32_t count, CmdArg* args) {
  if (count >= 1) *r = MakeLogical(forms::RunFileDialog(args[0].lo, args[0].hi));
}

void __cdecl CmdReadWholeFile(CmdArg* r, int32_t count, CmdArg* args) {
  std::vector<uint8_t> bytes = rt::ReadWholeFileBytes(TextArg(count, args, 0));
  SetBytes(r, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void __cdecl CmdToBytes(CmdArg* r, int32_t count, CmdArg* args) {
  if (count < 1) return;
  const CmdArg& a = args[0];
  if (a.type == tc::Text) {
    SetBytes(r, ArgText(a), static_cast<uint32_t>(Length(ArgText(a))));
  } else if (tc::IsArray(a.type)) {
    uint32_t width = tc::NumericWidth(tc::ElementOf(a.type));
    auto block = static_cast<const uint32_t*>(ArgPtr(a));
    if (width && block) SetBytes(r, block + 1 + block[0], block[1] * width);
  } else {
    rt::DataView v = rt::ValueDataView(a);
    if (a.type != tc::ByteArray && !tc::IsNumeric(a.type) && a.type != tc::Logical && a.type != tc::SubPtr &&
        a.type != tc::DateTime && a.type != tc::Wide8)
      return;
    SetBytes(r, v.data, v.size);
  }
}

void __cdecl CmdWriteWholeFile(CmdArg* r, int32_t count, CmdArg* args) {
  std::vector<rt::ByteSpan> pieces;
  for (int32_t i = 1; i < count; ++i) {
    const void* block = args[i].type == tc::ByteArray ? ArgPtr(args[i]) : nullptr;
    if (ByteArrayLength(block) > 0) pieces.push_back({ByteArrayData(block), ByteArrayLength(block)});
  }
  *r = MakeLogical(rt::WriteWholeFileBytes(TextArg(count, args, 0), pieces));
}

}  // namespace

const CommandFn kCoreCommands[core::kCount] = {
    CmdLoadWindow, CmdToInteger,  CmdDestroyUnit, CmdShowMessageBox, CmdRoundNumber, CmdToText,
    CmdFindText,   CmdMidText,    CmdNow,         CmdAppendText,     CmdTextLength,  CmdLeftText,
    CmdProgramDirectory,
    rt::com::CmdObjectCreate, rt::com::CmdObjectCallMethod, rt::com::CmdVariantRelease, rt::com::CmdObjectRelease,
    CmdMouseX,     CmdMouseY,     CmdPopupMenu,   CmdDialogOpen,     CmdReadWholeFile, CmdToBytes,
    CmdWriteWholeFile,
};
