#include "forms/listview_data.h"

namespace forms {

std::string EncodeListColumns(const std::vector<ListColumn>& columns) {
  ByteWriter w;
  for (const ListColumn& c : columns) {
    w.Byte(c.imageOnRight).Dword(static_cast<uint32_t>(c.headerImage)).Dword(c.alignment).Dword(c.width);
    w.ZeroText(c.title);
  }
  const std::vector<uint8_t>& b = w.Bytes();
  return std::string(b.begin(), b.end());
}

std::optional<std::vector<ListColumn>> DecodeListColumns(const std::string& packed) {
  auto p = reinterpret_cast<const uint8_t*>(packed.data());
  uint64_t size = packed.size(), pos = 0;
  std::vector<ListColumn> out;
  while (pos < size) {
    ListColumn c;
    uint32_t image, align, width;
    c.imageOnRight = p[pos];
    std::string_view title;
    if (!LoadDword(p, size, pos + 1, image) || !LoadDword(p, size, pos + 5, align) ||
        !LoadDword(p, size, pos + 9, width) || !LoadText(p, size, pos + 13, title))
      return std::nullopt;
    c.headerImage = static_cast<int32_t>(image);
    c.alignment = align;
    c.width = width;
    c.title.assign(title);
    out.push_back(c);
    pos += 13 + title.size() + 1;
  }
  return out;
}

}  // namespace forms
