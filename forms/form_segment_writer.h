// Serialising windows into the form segment: the build-time generator writes the program's
// windows with it, and tests build unusual and malformed segments from its pieces.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "forms/unit_record.h"

namespace forms {

struct UnitRecordSpec {
  uint32_t typeCode = 0;
  uint32_t eventSourceLink = 0;
  std::string name;  // GBK
  std::string remark;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t parent = 0;
  std::vector<uint32_t> children;  // a 0 separates pages of a container
  std::vector<uint8_t> mousePointer = {0, 0, 0, 0};  // the default pointer
  std::string tag;
  uint32_t flags = 0;  // bit 0 visible, bit 1 disabled, bit 2 stops on Tab
  uint32_t focusOrder = 0;
  std::vector<EventPair> events;  // handler offsets, 0xFFFFFFFF for none
  std::vector<uint8_t> typeData;  // empty: the type's defaults
};

struct MenuRecordSpec {
  uint32_t shortcutKey = 0;
  uint32_t level = 0;
  uint32_t flags = 0;
  std::string caption;
  uint32_t handler = 0xFFFFFFFFu;
  std::string name;
  std::string remark;
};

std::vector<uint8_t> EncodeUnitRecord(const UnitRecordSpec& unit);
std::vector<uint8_t> EncodeMenuRecord(const MenuRecordSpec& item);

struct TableEntry {
  uint32_t id;
  std::vector<uint8_t> record;  // record data, without its length dword
};
// Identifiers, offsets counted from the end of the offset list, then length-prefixed records.
std::vector<uint8_t> EncodeUnitTable(const std::vector<TableEntry>& entries);

struct WindowRecordSpec {
  uint32_t id = 0;
  uint32_t value1 = 0;
  uint32_t value2 = 0;
  std::string text1;
  std::string text2;
  std::vector<TableEntry> records;  // record 0 is the window's own record
};
// The window index (ids, then zero placeholders for the window objects), then the windows.
std::vector<uint8_t> EncodeFormSegment(const std::vector<WindowRecordSpec>& windows);

}  // namespace forms
