#include "runtime/com/wide_text.h"

#include <string>

#include "runtime/heap.h"

namespace rt::com {

std::wstring Widen(const char* text) {
  if (!text || !*text) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 1) return std::wstring();
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, &w[0], n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

BSTR NewBstr(const char* text) {
  std::wstring w = Widen(text);
  return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

char* NewText(const wchar_t* text, UINT length) {
  if (!text || length == 0) return nullptr;
  int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return nullptr;
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &s[0], n, nullptr, nullptr);
  return rt::TextFromBytes(s.data(), n);
}

}  // namespace rt::com
