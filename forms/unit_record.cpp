#include "forms/unit_record.h"

namespace forms {

namespace {
constexpr uint32_t kNameOffset = 24;
}

std::optional<uint32_t> RecordPositionY(const uint8_t* data, uint32_t length) {
  std::string_view name, remark;
  if (!LoadText(data, length, kNameOffset, name)) return std::nullopt;
  uint64_t remarkAt = kNameOffset + name.size() + 1;
  if (!LoadText(data, length, remarkAt, remark)) return std::nullopt;
  return static_cast<uint32_t>(remarkAt + remark.size() + 1);
}

std::optional<uint32_t> UnitRecordView::Dword(uint64_t offset) const {
  uint32_t v;
  if (!LoadDword(data_, length_, offset, v)) return std::nullopt;
  return v;
}

std::optional<std::string_view> UnitRecordView::Name() const {
  std::string_view s;
  if (!LoadText(data_, length_, kNameOffset, s)) return std::nullopt;
  return s;
}

std::optional<std::string_view> UnitRecordView::Remark() const {
  auto name = Name();
  std::string_view s;
  if (!name || !LoadText(data_, length_, kNameOffset + name->size() + 1, s)) return std::nullopt;
  return s;
}

std::optional<uint32_t> UnitRecordView::PositionY() const { return RecordPositionY(data_, length_); }

std::optional<uint32_t> UnitRecordView::DwordAfterY(uint32_t delta) const {
  auto y = PositionY();
  if (!y) return std::nullopt;
  return Dword(uint64_t(*y) + delta);
}

std::optional<std::vector<uint32_t>> UnitRecordView::Children() const {
  auto y = PositionY();
  auto k = ChildCount();
  if (!y || !k) return std::nullopt;
  uint64_t start = uint64_t(*y) + 32;
  if (uint64_t(*k) * 4 > length_) return std::nullopt;  // refuses before allocating for a wild count
  std::vector<uint32_t> ids;
  ids.reserve(*k);
  for (uint32_t i = 0; i < *k; ++i) {
    auto id = Dword(start + 4ull * i);
    if (!id) return std::nullopt;
    ids.push_back(*id);
  }
  return ids;
}

std::optional<uint32_t> UnitRecordView::MousePointerPosition() const {
  auto y = PositionY();
  auto k = ChildCount();
  if (!y || !k) return std::nullopt;
  uint64_t at = uint64_t(*y) + 32 + 4ull * *k;
  if (!Dword(at)) return std::nullopt;
  return static_cast<uint32_t>(at);
}

std::optional<ByteRange> UnitRecordView::MousePointer() const {
  auto at = MousePointerPosition();
  if (!at) return std::nullopt;
  uint32_t m = *Dword(*at);
  uint64_t start = uint64_t(*at) + 4;
  if (m > length_ - start) return std::nullopt;
  return ByteRange{data_ + start, m};
}

std::optional<uint32_t> UnitRecordView::TagPosition() const {
  auto at = MousePointerPosition();
  if (!at) return std::nullopt;
  uint32_t m = *Dword(*at);
  uint64_t tag = uint64_t(*at) + 4 + m;
  if (tag >= length_) return std::nullopt;
  return static_cast<uint32_t>(tag);
}

std::optional<std::string_view> UnitRecordView::Tag() const {
  auto at = TagPosition();
  std::string_view s;
  if (!at || !LoadText(data_, length_, *at, s)) return std::nullopt;
  return s;
}

std::optional<uint32_t> UnitRecordView::PositionZ() const {
  auto at = TagPosition();
  auto tag = Tag();
  if (!at || !tag) return std::nullopt;
  return static_cast<uint32_t>(*at + tag->size() + 1);
}

std::optional<uint32_t> UnitRecordView::DwordAfterZ(uint32_t delta) const {
  auto z = PositionZ();
  if (!z) return std::nullopt;
  return Dword(uint64_t(*z) + delta);
}

std::optional<uint32_t> UnitRecordView::EventTablePosition() const {
  auto z = PositionZ();
  auto e = EventCount();
  if (!z || !e) return std::nullopt;
  uint64_t start = uint64_t(*z) + 16;
  if (uint64_t(*e) * 8 > length_ - start) return std::nullopt;
  return static_cast<uint32_t>(start);
}

std::optional<std::vector<EventPair>> UnitRecordView::Events() const {
  auto start = EventTablePosition();
  if (!start) return std::nullopt;
  uint32_t e = *EventCount();
  std::vector<EventPair> pairs;
  pairs.reserve(e);
  for (uint32_t i = 0; i < e; ++i) {
    uint64_t at = uint64_t(*start) + 8ull * i;
    pairs.push_back({static_cast<int32_t>(*Dword(at)), *Dword(at + 4)});
  }
  return pairs;
}

std::optional<uint32_t> UnitRecordView::TypeDataPosition() const {
  auto start = EventTablePosition();
  if (!start) return std::nullopt;
  uint64_t at = uint64_t(*start) + 8ull * *EventCount() + 20;
  // A record that stops inside the reserved dwords has no type-specific data; it is not malformed.
  if (at > length_) at = length_;
  return static_cast<uint32_t>(at);
}

std::optional<ByteRange> UnitRecordView::TypeData() const {
  auto at = TypeDataPosition();
  if (!at) return std::nullopt;
  return ByteRange{data_ + *at, length_ - *at};
}

}  // namespace forms
