#include "forms/unit_table.h"

#include "forms/template_ids.h"

namespace forms {

std::optional<uint32_t> UnitTableView::IdAt(uint32_t index) const {
  if (index >= count_ || !ListsFit()) return std::nullopt;
  uint32_t id = 0;
  LoadDword(table_, size_, 4ull * index, id);
  return id;
}

std::optional<RecordRef> UnitTableView::ByIndex(uint32_t index) const {
  if (index >= count_ || !ListsFit()) return std::nullopt;
  uint32_t offset = 0, length = 0;
  uint64_t recordsStart = 8ull * count_;
  LoadDword(table_, size_, 4ull * count_ + 4ull * index, offset);
  uint64_t lengthAt = recordsStart + offset;
  if (!LoadDword(table_, size_, lengthAt, length)) return std::nullopt;
  uint64_t dataAt = lengthAt + 4;
  if (length > size_ - dataAt) return std::nullopt;
  return RecordRef{index, static_cast<uint32_t>(dataAt), length};
}

std::optional<RecordRef> UnitTableView::ById(uint32_t id) const {
  if (!IsValidId(id) || count_ == 0 || !ListsFit()) return std::nullopt;
  if (IdAt(0) == id) return ByIndex(0);
  for (uint32_t i = 1; i < count_; ++i)
    if (IdAt(i) == id) return ByIndex(i);
  return std::nullopt;
}

bool UnitTableView::IsMenuItem(uint32_t index) const {
  auto id = IdAt(index);
  return id && IsMenuItemId(*id);
}

}  // namespace forms
