// Image lists kept in list view data: the mark "MITL", one word that is not read, then the
// platform's serialized image list.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

namespace lv {

// Where the serialized list starts inside the blob, or 0 when the blob holds no image list
// (8 bytes or fewer, or without the mark).
uint32_t ImageListPayloadOffset(const std::string& blob);
// The image list the blob holds, or null.
HIMAGELIST LoadImageListBlob(const std::string& blob);
// A blob of the given list (what the design tool stores), for building data in tests and tools.
std::string SaveImageListBlob(HIMAGELIST list);

}  // namespace lv
