#include "modules/listview/listview_module.h"

#include "modules/listview/listview_commands.h"
#include "modules/listview/listview_interface.h"
#include "runtime/abi/module_kit.h"

namespace {
RuntimeServiceFn g_service = nullptr;

AddrWord __cdecl Notify(uint32_t message, AddrWord arg1, AddrWord) {
  if (message == notify::Startup) g_service = ServiceFromWord(arg1);
  return 0;
}

// The eight common properties of window-based units, then the list view's own 31 (k = number - 8).
constexpr PropertyInfo Common(uint32_t kind) { return PropertyInfo{nullptr, nullptr, nullptr, 0xE0000000 | kind, 0}; }
constexpr PropertyInfo Own(uint32_t kind) { return PropertyInfo{nullptr, nullptr, nullptr, 0x80000000 | kind, 0}; }
const PropertyInfo kListViewProperties[39] = {
    Common(1001), Common(1001), Common(1001), Common(1001), Common(1005), Common(1003), Common(1003), Common(1011),
    Own(1006),                                      // 0 border
    Own(1014), Own(1017), Own(1017),                // 1-3 text, text background, background colours
    Own(1013),                                      // 4 font
    Own(1006), Own(1006), Own(1003), Own(1003),     // 5-8 view, icon alignment, auto arrange, wrap labels
    Own(1024),                                      // 9 columns
    Own(1003), Own(1023),                           // 10-11 hide header, header image list
    Own(1003), Own(1003), Own(1003), Own(1003),     // 12-15 clickable header, full-row select, grid lines, drag headers
    Own(1023), Own(1023),                           // 16-17 image list, state image list
    Own(1003), Own(1003), Own(1003), Own(1003),     // 18-21 hot tracking, hand cursor, underline cold, underline hot
    Own(1003), Own(1006), Own(1003), Own(1003),     // 22-25 edit labels, sort order, check boxes, flat scroll bars
    Own(1003), Own(1001), Own(1003),                // 26-28 single selection, selected row, always show selection
    Own(1024), Own(1005),                           // 29-30 initial rows, edited label text
};

// Five slots; the list view is number 4.
constexpr UnitTypeInfo kEmpty{};
const UnitTypeInfo kTypes[5] = {
    kEmpty, kEmpty, kEmpty, MakeUnitType("超级列表框", "ListView", 0x00000040, 39, kListViewProperties, lv::ListViewInterface), kEmpty};

// In the order the application's image names them.
const CommandFn kCommands[lv::cmd::Count] = {lv::ListViewInsertRow, lv::ListViewSetCellText, lv::ListViewGetCellText,
                                             lv::ListViewRowCount};
}  // namespace

RuntimeServiceFn UiExtLibService() { return g_service; }

const ModuleDescriptor kUiExtLibDescriptor = MakeModuleDescriptor(
    "{8E4F2B19-6A3D-4F70-B5C2-1D9E8A7F6C03}", "界面扩展支持库", 0xC0000000, 5, kTypes, lv::cmd::Count, kCommands, Notify);
