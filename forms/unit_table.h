// A window's unit table: C identifiers, C offsets (counted from the end of the offset list) and
// the records, each a dword length and its bytes. Records are reached through the two lists
// without copying; lookups answer nothing rather than read past the table.
#pragma once
#include <cstdint>
#include <optional>

#include "forms/menu_record.h"
#include "forms/unit_record.h"

namespace forms {

// Where one record lies: its index, the offset of its data inside the table (after the
// length dword) and its length.
struct RecordRef {
  uint32_t index;
  uint32_t offset;
  uint32_t length;
};

class UnitTableView {
 public:
  UnitTableView(const uint8_t* table, uint32_t size, uint32_t count) : table_(table), size_(size), count_(count) {}

  uint32_t Count() const { return count_; }
  std::optional<uint32_t> IdAt(uint32_t index) const;
  // The record at index, or nothing past the end or when its place lies outside the table.
  std::optional<RecordRef> ByIndex(uint32_t index) const;
  // First identifier first, then the list in order; an invalid identifier finds nothing.
  std::optional<RecordRef> ById(uint32_t id) const;
  bool IsMenuItem(uint32_t index) const;

  const uint8_t* RecordData(const RecordRef& r) const { return table_ + r.offset; }
  UnitRecordView Unit(const RecordRef& r) const { return UnitRecordView(RecordData(r), r.length); }
  MenuRecordView Menu(const RecordRef& r) const { return MenuRecordView(RecordData(r), r.length); }

 private:
  bool ListsFit() const { return uint64_t(count_) * 8 <= size_; }

  const uint8_t* table_;
  uint32_t size_;
  uint32_t count_;
};

}  // namespace forms
