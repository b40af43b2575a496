#include "forms/menu_record.h"

#include "forms/unit_record.h"

namespace forms {

std::optional<uint32_t> MenuRecordView::Dword(uint64_t offset) const {
  uint32_t v;
  if (!LoadDword(data_, length_, offset, v)) return std::nullopt;
  return v;
}

std::optional<uint32_t> MenuRecordView::PositionY() const { return RecordPositionY(data_, length_); }

std::optional<uint32_t> MenuRecordView::DwordAfterY(uint32_t delta) const {
  auto y = PositionY();
  if (!y) return std::nullopt;
  return Dword(uint64_t(*y) + delta);
}

std::optional<uint32_t> MenuRecordView::CaptionPosition() const {
  auto y = PositionY();
  if (!y || uint64_t(*y) + 12 >= length_) return std::nullopt;
  return *y + 12;
}

std::optional<std::string_view> MenuRecordView::Caption() const {
  auto at = CaptionPosition();
  std::string_view s;
  if (!at || !LoadText(data_, length_, *at, s)) return std::nullopt;
  return s;
}

std::optional<uint32_t> MenuRecordView::HandlerPosition() const {
  auto at = CaptionPosition();
  auto caption = Caption();
  if (!at || !caption) return std::nullopt;
  uint64_t handler = uint64_t(*at) + caption->size() + 1;
  if (!Dword(handler)) return std::nullopt;
  return static_cast<uint32_t>(handler);
}

std::optional<uint32_t> MenuRecordView::Handler() const {
  auto at = HandlerPosition();
  if (!at) return std::nullopt;
  return Dword(*at);
}

std::optional<uint32_t> MenuRecordView::RunTimeSlotsPosition() const {
  auto at = HandlerPosition();
  if (!at || uint64_t(*at) + 4 + 16 > length_) return std::nullopt;
  return *at + 4;
}

}  // namespace forms
