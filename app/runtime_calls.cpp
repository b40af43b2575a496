#include "app/runtime_calls.h"

#include <cstring>
#include <vector>

#include "app/image/program_image.h"

namespace app {

CmdArg Call(uint32_t module, uint32_t command, std::initializer_list<CmdArg> args) {
  return Call(module, command, std::vector<CmdArg>(args));
}

CmdArg Call(uint32_t module, uint32_t command, std::vector<CmdArg> list) {
  CommandFn fn = kProgramImageHeader.modules[module]->commands[command];
  CmdArg* first = list.empty() ? nullptr : list.data();
  auto count = static_cast<int32_t>(list.size());
  return module == 0 ? Rt().callCoreCommand(fn, count, first)
                     : Rt().callModuleCommand(fn, static_cast<int32_t>(module), count, first);
}

void Release(const CmdArg& value) {
  if (value.type == tc::Text || value.type == tc::ByteArray) Rt().freeBlock(ArgPtr(value));
}

void Release(void* block) { Rt().freeBlock(block); }

char* NewText(const char* text, size_t length) {
  if (length == 0) return nullptr;
  auto* block = static_cast<char*>(Rt().allocBlock(static_cast<uint32_t>(length + 1)));
  std::memcpy(block, text, length);
  block[length] = '\0';
  return block;
}

uint64_t ReadProperty(uint32_t window, uint32_t unit, int32_t property) {
  return Rt().readProperty(window, unit, property, -1);
}

void WriteProperty(uint32_t window, uint32_t unit, int32_t property, uint32_t lo, uint32_t hi) {
  Rt().writeProperty(window, unit, property, -1, lo, hi);
}

std::string TakeText(CmdArg value) {
  std::string s = ArgText(value) ? ArgText(value) : "";
  Release(value);
  return s;
}

// A property's value comes back as the two halves of a CmdArg value.
std::string ReadTextProperty(uint32_t window, uint32_t unit, int32_t property) {
  uint64_t v = ReadProperty(window, unit, property);
  return TakeText(CmdArg{static_cast<uint32_t>(v), static_cast<uint32_t>(v >> 32), tc::Text});
}

void WriteTextProperty(uint32_t window, uint32_t unit, int32_t property, const char* text) {
  CmdArg t = MakeText(text);
  WriteProperty(window, unit, property, t.lo, t.hi);
}

CmdArg WindowArg(uint32_t windowId, uint32_t ownRecordId) { return CmdArg{windowId, ownRecordId, tc::Window}; }
CmdArg UnitArg(uint32_t windowId, uint32_t unitId, TypeCode type) { return CmdArg{windowId, unitId, type}; }
CmdArg MenuArg(uint32_t windowId, uint32_t itemId) { return CmdArg{windowId, itemId, tc::Menu}; }

void RegisterExitCallback(ExitCallbackFn function) {
  auto entry = reinterpret_cast<decltype(HelperTable::registerExitCallback)>(
      const_cast<void*>(Rt().helper(helper::RegisterExitCallback)));
  entry(function);
}

void Exit(int32_t code) {
  Rt().exitProgram(code);
  for (;;) {
  }
}

void Fail(int32_t code) {
  Rt().reportErrorByCode(code);
  for (;;) {
  }
}

}  // namespace app
