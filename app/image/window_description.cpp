#include "app/image/window_description.h"

namespace image {

namespace {
std::vector<uint8_t> EncodeTypeData(const TypeData& data) {
  return std::visit(
      [](const auto& block) -> std::vector<uint8_t> {
        if constexpr (std::is_same_v<std::decay_t<decltype(block)>, std::monostate>) return {};
        else return forms::EncodeBlock(block);
      },
      data);
}

forms::TableEntry UnitEntry(const UnitDescription& u) {
  forms::UnitRecordSpec spec;
  spec.typeCode = u.type;
  spec.name = u.name;
  spec.left = u.left;
  spec.top = u.top;
  spec.width = u.width;
  spec.height = u.height;
  spec.flags = u.flags;
  spec.tag = u.tag;
  for (const EventBinding& e : u.events) spec.events.push_back({e.event, HandlerOffset(e.handler)});
  spec.typeData = EncodeTypeData(u.data);
  return {u.id, forms::EncodeUnitRecord(spec)};
}

forms::TableEntry MenuEntry(const MenuItemDescription& m) {
  forms::MenuRecordSpec spec;
  spec.shortcutKey = m.shortcut;
  spec.level = m.level;
  spec.caption = m.caption;
  spec.handler = HandlerOffset(m.click);
  return {m.id, forms::EncodeMenuRecord(spec)};
}
}  // namespace

forms::WindowRecordSpec ToWindowRecord(const WindowDescription& w) {
  forms::WindowRecordSpec spec;
  spec.id = w.id;
  spec.value1 = w.value1;
  spec.value2 = w.value2;
  spec.records.push_back(UnitEntry(w.own));
  for (const UnitDescription& u : w.units) spec.records.push_back(UnitEntry(u));
  for (const MenuItemDescription& m : w.menu) spec.records.push_back(MenuEntry(m));
  return spec;
}

}  // namespace image
