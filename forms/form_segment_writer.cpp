#include "forms/form_segment_writer.h"

#include "forms/byte_writer.h"

namespace forms {

std::vector<uint8_t> EncodeUnitRecord(const UnitRecordSpec& u) {
  ByteWriter w;
  w.Dword(u.typeCode).Dword(u.eventSourceLink).Dword(0).Dword(0).Dword(0).Dword(0);
  w.ZeroText(u.name).ZeroText(u.remark);
  w.Dword(0);  // live object slot
  w.Dword(static_cast<uint32_t>(u.left)).Dword(static_cast<uint32_t>(u.top));
  w.Dword(static_cast<uint32_t>(u.width)).Dword(static_cast<uint32_t>(u.height));
  w.Dword(0);  // cursor slot
  w.Dword(u.parent).Dword(static_cast<uint32_t>(u.children.size()));
  for (uint32_t child : u.children) w.Dword(child);
  w.Prefixed(u.mousePointer);
  w.ZeroText(u.tag);
  w.Dword(0).Dword(u.flags).Dword(u.focusOrder).Dword(static_cast<uint32_t>(u.events.size()));
  for (const EventPair& e : u.events) w.Dword(static_cast<uint32_t>(e.event)).Dword(e.handler);
  for (int i = 0; i < 5; ++i) w.Dword(0);
  w.Raw(u.typeData);
  return w.Take();
}

std::vector<uint8_t> EncodeMenuRecord(const MenuRecordSpec& m) {
  ByteWriter w;
  w.Dword(0x00010003).Dword(0).Dword(0).Dword(0).Dword(0).Dword(0);
  w.ZeroText(m.name).ZeroText(m.remark);
  w.Dword(m.shortcutKey).Dword(m.level).Dword(m.flags);
  w.ZeroText(m.caption);
  w.Dword(m.handler);
  for (int i = 0; i < 4; ++i) w.Dword(0);  // run-time slots
  return w.Take();
}

std::vector<uint8_t> EncodeUnitTable(const std::vector<TableEntry>& entries) {
  ByteWriter w;
  for (const TableEntry& e : entries) w.Dword(e.id);
  uint32_t offset = 0;
  for (const TableEntry& e : entries) {
    w.Dword(offset);
    offset += 4 + static_cast<uint32_t>(e.record.size());
  }
  for (const TableEntry& e : entries) w.Prefixed(e.record);
  return w.Take();
}

std::vector<uint8_t> EncodeFormSegment(const std::vector<WindowRecordSpec>& windows) {
  ByteWriter w;
  w.Dword(static_cast<uint32_t>(windows.size() * 8));
  for (const WindowRecordSpec& win : windows) w.Dword(win.id);
  for (size_t i = 0; i < windows.size(); ++i) w.Dword(0);
  for (const WindowRecordSpec& win : windows) {
    w.Dword(win.value1).Dword(win.value2).Prefixed(win.text1).Prefixed(win.text2);
    w.Dword(static_cast<uint32_t>(win.records.size()));
    w.Prefixed(EncodeUnitTable(win.records));
  }
  return w.Take();
}

}  // namespace forms
