// CoreLib's command table, in table order (slots 13 to 16 are the automation commands of
// runtime/com/).
#pragma once
#include "runtime/abi/values.h"

namespace core {
enum Command : int {
  LoadWindow = 0, ToInteger, DestroyUnit, ShowMessageBox, RoundNumber, ToText, FindText, MidText, Now,
  AppendText, TextLength, LeftText, ProgramDirectory, ObjectCreate, ObjectCallMethod, VariantRelease,
  ObjectRelease, MouseX, MouseY, PopupMenu, DialogOpen, ReadWholeFile, ToBytes, WriteWholeFile,
  kCount
};
}  // namespace core

extern const CommandFn kCoreCommands[core::kCount];
