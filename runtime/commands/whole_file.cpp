#include "runtime/commands/whole_file.h"

#include <windows.h>

namespace rt {

std::vector<uint8_t> ReadWholeFileBytes(const char* path) {
  std::vector<uint8_t> bytes;
  if (!path || !*path) return bytes;
  HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  // A 32-bit program cannot hold more than this in one block anyway.
  if (GetFileSizeEx(f, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFF0) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
  }
  CloseHandle(f);
  return bytes;
}

namespace {
// The new content goes to a file beside the target first: the same folder, so the final
// rename stays on one volume.
std::string SiblingTempName(const std::string& path) {
  return path + ".~" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetCurrentThreadId()) + ".tmp";
}

bool WriteAll(HANDLE f, const std::vector<ByteSpan>& pieces) {
  for (const ByteSpan& piece : pieces) {
    auto p = static_cast<const uint8_t*>(piece.data);
    uint32_t left = piece.size;
    while (left > 0) {
      DWORD done = 0;
      if (!WriteFile(f, p, left, &done, nullptr) || done == 0) return false;
      p += done;
      left -= done;
    }
  }
  return FlushFileBuffers(f) != 0;
}
}  // namespace

bool WriteWholeFileBytes(const char* path, const std::vector<ByteSpan>& pieces) {
  if (!path || !*path) return false;
  std::string target = path;
  // A read-only file, or a folder, is not replaced: writing it in place would be refused, and
  // the final rename must be no more lenient (under Wine it replaces a read-only file).
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  std::string temp = SiblingTempName(target);
  HANDLE f = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bool written = WriteAll(f, pieces);
  CloseHandle(f);
  if (written && MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temp.c_str());
  return false;
}

}  // namespace rt
