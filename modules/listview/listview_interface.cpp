#include "modules/listview/listview_interface.h"

#include <cstring>
#include <vector>

#include "modules/listview/list_item_records.h"
#include "modules/listview/listview_unit.h"

namespace lv {
namespace {
HGLOBAL ToMovableBlock(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (block && !bytes.empty()) {
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}
}  // namespace

HGLOBAL __cdecl GetListViewData(void* object) {
  ListViewUnit* u = FromObject(object);
  if (!u) return nullptr;
  forms::ListViewData d = u->data;
  d.version = forms::ListViewData::kVersion;
  return ToMovableBlock(forms::EncodeBlock(d));
}

HGLOBAL __cdecl EnumerateListViewTexts(void*, const uint8_t* data, uint32_t length, TextCallback callback,
                                       uint32_t user) {
  auto d = forms::DecodeBlock<forms::ListViewData>({data, data ? length : 0});
  if (!d) return nullptr;
  if (callback) {
    if (d->font.size() == sizeof(LOGFONTA)) {
      LOGFONTA lf;
      std::memcpy(&lf, d->font.data(), sizeof lf);
      lf.lfFaceName[LF_FACESIZE - 1] = 0;
      callback(lf.lfFaceName, 1, user);
    }
    if (auto columns = forms::DecodeListColumns(d->columns))
      for (const forms::ListColumn& c : *columns) callback(c.title.c_str(), 0, user);
    if (auto rows = DecodeListItems(d->rows)) {
      for (const ListItemRecord& r : *rows) {
        callback(r.text.c_str(), 0, user);
        callback(r.tip.c_str(), 0, user);
      }
    }
  }
  d->version = forms::ListViewData::kVersion;
  return ToMovableBlock(forms::EncodeBlock(*d));
}

void* __cdecl ListViewInterface(uint32_t number) {
  switch (number) {
    case unitif::Create: return reinterpret_cast<void*>(&CreateListView);
    case unitif::PropertyChanged: return reinterpret_cast<void*>(&ListViewPropertyChanged);
    case unitif::GetData: return reinterpret_cast<void*>(&GetListViewData);
    case unitif::GetProperty: return reinterpret_cast<void*>(&GetListViewProperty);
    case unitif::EnumFonts: return reinterpret_cast<void*>(&EnumerateListViewTexts);
    default: return nullptr;
  }
}

}  // namespace lv
