#include "forms/mouse_pointer.h"

namespace forms {
namespace {
const uint32_t kIds[15] = {0,     32512, 32515, 32513, 32514, 32651, 32650, 32648,
                           32646, 32643, 32645, 32642, 32644, 32516, 32649};
uint32_t Load(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
}  // namespace

uint32_t PointerNumberToId(uint32_t number) { return number < 15 ? kIds[number] : number; }

uint32_t PointerIdToNumber(uint32_t id) {
  if (id == 0) return 0;
  for (uint32_t i = 1; i < 15; ++i)
    if (kIds[i] == id) return i;
  return id;
}

void ConvertPointerData(std::vector<uint8_t>& data, bool toId) {
  if (data.size() < 4) return;
  uint32_t v = Load(data.data());
  v = toId ? PointerNumberToId(v) : PointerIdToNumber(v);
  for (int i = 0; i < 4; ++i) data[i] = static_cast<uint8_t>(v >> (8 * i));
}

HCURSOR MakeCursor(const uint8_t* data, uint32_t size) {
  if (!data || size < 4) return nullptr;
  uint32_t id = Load(data);
  if (id == 0) return nullptr;
  if (id == 0xFFFFFFFFu) {
    // Custom cursor data: an icon-file style directory of cursor images.
    if (size <= 4) return nullptr;
    auto bytes = const_cast<PBYTE>(data + 4);
    int offset = LookupIconIdFromDirectoryEx(bytes, FALSE, 0, 0, LR_DEFAULTCOLOR);
    if (offset <= 0 || static_cast<uint32_t>(offset) >= size - 4) return nullptr;
    return reinterpret_cast<HCURSOR>(
        CreateIconFromResourceEx(bytes + offset, size - 4 - offset, FALSE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
  }
  // System cursors are shared: CopyCursor gives the unit one it may destroy.
  HCURSOR shared = LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
  return shared ? reinterpret_cast<HCURSOR>(CopyIcon(reinterpret_cast<HICON>(shared))) : nullptr;
}

}  // namespace forms
