// Field access to one menu item record. As with unit records, positions are walked from the
// texts on every access; an accessor answers nothing when the walk would leave the record.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "forms/template_bytes.h"

namespace forms {

namespace menu_flags {
constexpr uint32_t Hidden = 1, Disabled = 2, Checked = 4;
}

class MenuRecordView {
 public:
  MenuRecordView(const uint8_t* data, uint32_t length) : data_(data), length_(length) {}

  std::optional<uint32_t> TypeCode() const { return Dword(0); }
  std::optional<uint32_t> EventSourceLink() const { return Dword(4); }
  std::optional<uint32_t> PositionY() const;
  // 0 none, 1 to 76 a key of the shortcut table.
  std::optional<uint32_t> ShortcutKey() const { return DwordAfterY(0); }
  // 0 for items of the menu bar; each deeper level nests one drop-down further.
  std::optional<uint32_t> Level() const { return DwordAfterY(4); }
  std::optional<uint32_t> Flags() const { return DwordAfterY(8); }
  std::optional<uint32_t> CaptionPosition() const;
  std::optional<std::string_view> Caption() const;
  // The click handler dword that follows the caption's zero.
  std::optional<uint32_t> HandlerPosition() const;
  std::optional<uint32_t> Handler() const;
  // The four run-time dwords after the handler (drop-down menu handles of the menu builder).
  std::optional<uint32_t> RunTimeSlotsPosition() const;

  const uint8_t* Data() const { return data_; }
  uint32_t Length() const { return length_; }

 private:
  std::optional<uint32_t> Dword(uint64_t offset) const;
  std::optional<uint32_t> DwordAfterY(uint32_t delta) const;

  const uint8_t* data_;
  uint32_t length_;
};

}  // namespace forms
