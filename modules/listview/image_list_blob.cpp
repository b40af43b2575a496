// The stream declarations must come before the common controls header for its image list stream calls.
#include <windows.h>
#include <objidl.h>

#include "modules/listview/image_list_blob.h"

#include <cstring>

namespace lv {
namespace {
constexpr char kMark[4] = {'M', 'I', 'T', 'L'};
}

uint32_t ImageListPayloadOffset(const std::string& blob) {
  if (blob.size() <= 8 || std::memcmp(blob.data(), kMark, 4) != 0) return 0;
  return 8;
}

HIMAGELIST LoadImageListBlob(const std::string& blob) {
  uint32_t offset = ImageListPayloadOffset(blob);
  if (offset == 0) return nullptr;
  size_t n = blob.size() - offset;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, n);
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), blob.data() + offset, n);
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  HIMAGELIST list = ImageList_Read(stream);
  stream->Release();
  return list;
}

std::string SaveImageListBlob(HIMAGELIST list) {
  IStream* stream = nullptr;
  if (!list || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return {};
  std::string blob;
  if (ImageList_Write(list, stream)) {
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    size_t n = static_cast<size_t>(stat.cbSize.QuadPart);
    blob.assign(kMark, 4);
    blob.append(4, '\0');
    blob.append(static_cast<const char*>(GlobalLock(memory)), n);
    GlobalUnlock(memory);
  }
  stream->Release();
  return blob;
}

}  // namespace lv
