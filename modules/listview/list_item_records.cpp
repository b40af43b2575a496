#include "modules/listview/list_item_records.h"

#include <string_view>

#include "forms/byte_writer.h"
#include "forms/template_bytes.h"

namespace lv {

std::string EncodeListItems(const std::vector<ListItemRecord>& items) {
  forms::ByteWriter w;
  for (const ListItemRecord& r : items) {
    w.Byte(r.kind).Dword(static_cast<uint32_t>(r.image)).Dword(static_cast<uint32_t>(r.stateImage));
    w.Dword(r.itemData).Dword(static_cast<uint32_t>(r.indent)).ZeroText(r.text).ZeroText(r.tip);
  }
  const std::vector<uint8_t>& b = w.Bytes();
  return std::string(b.begin(), b.end());
}

std::optional<std::vector<ListItemRecord>> DecodeListItems(const std::string& packed) {
  auto p = reinterpret_cast<const uint8_t*>(packed.data());
  uint64_t size = packed.size(), pos = 0;
  std::vector<ListItemRecord> out;
  while (pos < size) {
    ListItemRecord r;
    r.kind = p[pos];
    uint32_t image, state, data, indent;
    std::string_view text, tip;
    if (!forms::LoadDword(p, size, pos + 1, image) || !forms::LoadDword(p, size, pos + 5, state) ||
        !forms::LoadDword(p, size, pos + 9, data) || !forms::LoadDword(p, size, pos + 13, indent) ||
        !forms::LoadText(p, size, pos + 17, text) || !forms::LoadText(p, size, pos + 17 + text.size() + 1, tip))
      return std::nullopt;
    r.image = static_cast<int32_t>(image);
    r.stateImage = static_cast<int32_t>(state);
    r.itemData = data;
    r.indent = static_cast<int32_t>(indent);
    r.text.assign(text);
    r.tip.assign(tip);
    out.push_back(std::move(r));
    pos += 17 + text.size() + 1 + tip.size() + 1;
  }
  return out;
}

std::vector<std::string> RowTips(const std::vector<ListItemRecord>& items) {
  std::vector<std::string> tips;
  for (const ListItemRecord& r : items)
    if (r.kind == 0) tips.push_back(r.tip);
  return tips;
}

}  // namespace lv
