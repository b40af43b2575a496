// The declarative shape of a window of the program: its own record, its units in table order
// (which is also their z-order and creation order) and its menu items. The generator turns
// each description into a window record of the form segment.
#pragma once
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "app/image/handler_slots.h"
#include "forms/form_segment_writer.h"
#include "forms/listview_data.h"
#include "forms/unit_data_blocks.h"

namespace image {

namespace unit_flags {
constexpr uint32_t Visible = 1, Disabled = 2, TabStop = 4;
}

// Menu shortcut numbers used by the program's items.
namespace shortcut {
constexpr uint32_t None = 0;
constexpr uint32_t Ctrl(char letter) { return static_cast<uint32_t>(letter - 'A' + 1); }
constexpr uint32_t F(uint32_t n) { return 26 + n; }
}  // namespace shortcut

struct EventBinding {
  int32_t event;
  Handler handler;
};

// No block (the type's defaults) or one of the core and list view blocks.
using TypeData = std::variant<std::monostate, forms::WindowData, forms::EditBoxData, forms::LabelData,
                              forms::ButtonData, forms::ProgressBarData, forms::CommonDlgData, forms::ListViewData>;

struct UnitDescription {
  uint32_t id;
  uint32_t type;
  std::string name;
  int32_t left, top, width, height;
  uint32_t flags;
  std::string tag;
  std::vector<EventBinding> events;
  TypeData data;
};

struct MenuItemDescription {
  uint32_t id;
  uint32_t level;
  uint32_t shortcut;
  std::string caption;
  Handler click;
};

struct WindowDescription {
  uint32_t id;
  uint32_t value1;
  uint32_t value2;
  UnitDescription own;  // record 0: the window's own record, type "window", no name
  std::vector<UnitDescription> units;
  std::vector<MenuItemDescription> menu;
};

forms::WindowRecordSpec ToWindowRecord(const WindowDescription& window);

const WindowDescription& MainWindow();
const WindowDescription& RangeWindow();
const WindowDescription& SearchWindow();

}  // namespace image
