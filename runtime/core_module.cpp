#include "runtime/core_module.h"

#include "runtime/abi/module_kit.h"
#include "runtime/commands/core_commands.h"
#include "forms/units/common_dialog.h"
#include "forms/units/core_unit_types.h"
#include "forms/window_unit.h"

namespace {
// Property data types: the low half a value kind, the high half flags. The eight common
// properties of window-based units come first, then the type's own from entry 8.
constexpr uint32_t kCommon = 0xE0000000, kOwn = 0x80000000;
constexpr PropertyInfo P(uint32_t flags, uint32_t kind) { return PropertyInfo{nullptr, nullptr, nullptr, flags | kind, 0}; }
constexpr PropertyInfo Own(uint32_t kind) { return P(kOwn, kind); }

// Kinds: 1001 integer, 1003 logical, 1005 text, 1006 clamped integer, 1009 byte array, 1011 mouse
// pointer, 1013 font, 1014 colour, 1017 colour with the system default.
#define COMMON_PROPERTIES                                                                                     \
  P(kCommon, 1001), P(kCommon, 1001), P(kCommon, 1001), P(kCommon, 1001), P(kCommon, 1005), P(kCommon, 1003), \
      P(kCommon, 1003), P(kCommon, 1011)

const PropertyInfo kWindowProperties[32] = {
    COMMON_PROPERTIES,
    Own(1005),                                    // 8 caption
    Own(1006), Own(1006), Own(1017),              // border, setting, background
    Own(1003), Own(1003), Own(1003),              // maximize, minimize, control box
    Own(1006), Own(1006), Own(1006),              // start position, settings
    Own(1003), Own(1003), Own(1003), Own(1001),   // Enter moves focus, Esc closes, F1 help, help context
    Own(1003), Own(1003),                         // shown in taskbar, drag by client area
    Own(1006), Own(1006), Own(1006),              // settings
    Own(1005), Own(1009), Own(1009), Own(1009),   // text, picture, icon, byte array
    Own(1005),                                    // help file
};

// A menu item has only its own four: caption, checked, disabled, visible.
const PropertyInfo kMenuProperties[4] = {Own(1005), Own(1003), Own(1003), Own(1003)};

const PropertyInfo kEditBoxProperties[29] = {
    COMMON_PROPERTIES,
    Own(1005),                                               // 8 content
    Own(1006), Own(1014), Own(1017), Own(1013),              // border, text colour, background, font
    Own(1003), Own(1001), Own(1003), Own(1006), Own(1006),   // hide selection, max length, multi-line, scroll bars, alignment
    Own(1006), Own(1001), Own(1006), Own(1006),              // input mode, password char, letter case, up-down
    Own(1001), Own(1001), Own(1001), Own(1001),              // up-down min, max, selection start, length
    Own(1005), Own(1005), Own(1005),                         // selected text, two texts
};

const PropertyInfo kLabelProperties[29] = {
    COMMON_PROPERTIES,
    Own(1005),                                    // 8 caption
    Own(1006), Own(1006), Own(1001),              // setting, border, setting
    Own(1014), Own(1014), Own(1014),              // colours
    Own(1013), Own(1014), Own(1017),              // font, text colour, background
    Own(1009),                                    // picture
    Own(1006), Own(1006),                         // settings
    Own(1014), Own(1014), Own(1014),              // colours
    Own(1006), Own(1006), Own(1006),              // settings
    Own(1005), Own(1005),                         // two texts
};

const PropertyInfo kButtonProperties[14] = {
    COMMON_PROPERTIES,
    Own(1009), Own(1006), Own(1005), Own(1006), Own(1006), Own(1013),  // picture, kind, caption, aligns, font
};

const PropertyInfo kProcessBarProperties[14] = {
    COMMON_PROPERTIES,
    Own(1006), Own(1003), Own(1003), Own(1001), Own(1001), Own(1001),  // border, vertical, smooth, min, max, position
};

const PropertyInfo kCommonDlgProperties[30] = {
    COMMON_PROPERTIES,
    Own(1006),                                    // 8 type
    Own(1005), Own(1005), Own(1005), Own(1001),   // title, file name, filter, filter index
    Own(1005), Own(1005),                         // initial directory, default extension
    Own(1003), Own(1003), Own(1003), Own(1003), Own(1003),  // prompts and checks
    Own(1014),                                    // font colour
    Own(1003), Own(1003), Own(1003), Own(1003),   // bold, italic, strike-out, underline
    Own(1005), Own(1001),                         // font name, size
    Own(1005), Own(1006), Own(1001),              // help file, command, context
};
#undef COMMON_PROPERTIES

// 51 slots; unused ones stay zero so the numbers of the used types are stable.
constexpr UnitTypeInfo kEmpty{};
const UnitTypeInfo kCoreTypes[51] = {
    MakeUnitType("窗口", "window", 0x800000D0, 32, kWindowProperties, forms::WindowInterface),  // 1
    kEmpty,                                                                         // 2
    MakeUnitType("菜单", "menu", 0x80000004, 4, kMenuProperties),                   // 3
    kEmpty,                                                                         // 4
    MakeUnitType("编辑框", "EditBox", 0x80000040, 29, kEditBoxProperties, forms::EditBoxInterface),          // 5
    kEmpty, kEmpty, kEmpty, kEmpty,                                                 // 6-9
    MakeUnitType("标签", "Label", 0x84012040, 29, kLabelProperties, forms::LabelInterface),                // 10
    MakeUnitType("按钮", "Button", 0x80000840, 14, kButtonProperties, forms::ButtonInterface),              // 11
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,                         // 12-18
    MakeUnitType("进度条", "ProcessBar", 0x84010040, 14, kProcessBarProperties, forms::ProcessBarInterface),    // 19
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,  // 20-30
    MakeUnitType("通用对话框", "CommonDlg", 0x80008040, 30, kCommonDlgProperties, forms::CommonDlgInterface),  // 31
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,                 // 32-39
    kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,                 // 40-47
    MakeUnitType("对象", "ComObject", 0x80000000),                                  // 48
    MakeUnitType("变体型", "Variant", 0x80000000),                                  // 49
    kEmpty, kEmpty,                                                                 // 50-51
};

RuntimeServiceFn g_service = nullptr;

AddrWord __cdecl Notify(uint32_t message, AddrWord arg1, AddrWord) {
  if (message == notify::Startup) g_service = ServiceFromWord(arg1);
  return 0;
}
}  // namespace

const ModuleDescriptor kCoreLibDescriptor = MakeModuleDescriptor(
    "{5B1C7A3E-2F64-4C8D-9E21-7A0B3D4C5E61}", "Reelscout core", 0, 51, kCoreTypes, core::kCount, kCoreCommands, Notify);
