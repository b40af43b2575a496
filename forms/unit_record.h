// Field access to one unit record (any record of a unit table that is not a menu item).
// Positions after the name depend on the texts before them, so every accessor walks the
// record from its start; nothing is cached, because property writes reshape records in place.
// An accessor answers nothing when the walk would leave the record.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "forms/template_bytes.h"

namespace forms {

struct EventPair {
  int32_t event;
  uint32_t handler;  // an offset in the image; a code address (or 0) once relocated
};

class UnitRecordView {
 public:
  UnitRecordView(const uint8_t* data, uint32_t length) : data_(data), length_(length) {}

  std::optional<uint32_t> TypeCode() const { return Dword(0); }
  std::optional<uint32_t> EventSourceLink() const { return Dword(4); }
  std::optional<std::string_view> Name() const;
  std::optional<std::string_view> Remark() const;

  // Position Y: the end of the remark; the live-object slot.
  std::optional<uint32_t> PositionY() const;
  std::optional<uint32_t> ObjectSlot() const { return DwordAfterY(0); }
  std::optional<int32_t> Left() const { return Signed(DwordAfterY(4)); }
  std::optional<int32_t> Top() const { return Signed(DwordAfterY(8)); }
  std::optional<int32_t> Width() const { return Signed(DwordAfterY(12)); }
  std::optional<int32_t> Height() const { return Signed(DwordAfterY(16)); }
  std::optional<uint32_t> CursorSlot() const { return DwordAfterY(20); }
  std::optional<uint32_t> Parent() const { return DwordAfterY(24); }
  std::optional<uint32_t> ChildCount() const { return DwordAfterY(28); }
  std::optional<std::vector<uint32_t>> Children() const;

  // Where the mouse pointer data length M lies; the data follow it.
  std::optional<uint32_t> MousePointerPosition() const;
  std::optional<ByteRange> MousePointer() const;
  // Where the tag text starts; position Z is its end plus one.
  std::optional<uint32_t> TagPosition() const;
  std::optional<std::string_view> Tag() const;
  std::optional<uint32_t> PositionZ() const;
  std::optional<uint32_t> Flags() const { return DwordAfterZ(4); }
  std::optional<uint32_t> FocusOrder() const { return DwordAfterZ(8); }
  std::optional<uint32_t> EventCount() const { return DwordAfterZ(12); }
  // Where the event pairs start (Z + 16); the table must lie wholly inside the record.
  std::optional<uint32_t> EventTablePosition() const;
  std::optional<std::vector<EventPair>> Events() const;
  // The type-specific data: from after the 20 reserved bytes to the end of the record. An
  // empty range (size 0) means the type's defaults.
  std::optional<uint32_t> TypeDataPosition() const;
  std::optional<ByteRange> TypeData() const;

  const uint8_t* Data() const { return data_; }
  uint32_t Length() const { return length_; }

 private:
  std::optional<uint32_t> Dword(uint64_t offset) const;
  std::optional<uint32_t> DwordAfterY(uint32_t delta) const;
  std::optional<uint32_t> DwordAfterZ(uint32_t delta) const;
  static std::optional<int32_t> Signed(std::optional<uint32_t> v) {
    if (!v) return std::nullopt;
    return static_cast<int32_t>(*v);
  }

  const uint8_t* data_;
  uint32_t length_;
};

// Position Y of any record, menu items included: 24 + name + 1 + remark + 1.
std::optional<uint32_t> RecordPositionY(const uint8_t* data, uint32_t length);

}  // namespace forms
