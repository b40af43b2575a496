// The packed row records of a list view's initial-rows data: one record starts a row (kind 0),
// the records after it fill that row's further columns. Pure, so it can be tested directly.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lv {

struct ListItemRecord {
  uint8_t kind = 0;  // 0 starts a new row; otherwise the next column of the current row
  int32_t image = -1;
  int32_t stateImage = -1;
  uint32_t itemData = 0;
  int32_t indent = 0;
  std::string text;
  std::string tip;
};

// Packed: kind byte, image, state image, item data, indent, zero-terminated text and tip.
std::string EncodeListItems(const std::vector<ListItemRecord>& items);
// Nothing when a record is cut short.
std::optional<std::vector<ListItemRecord>> DecodeListItems(const std::string& packed);
// The tip text of every row record (kind 0), in row order: the n-th is row n's info tip.
std::vector<std::string> RowTips(const std::vector<ListItemRecord>& items);

}  // namespace lv
