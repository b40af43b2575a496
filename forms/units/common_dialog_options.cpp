#include "forms/units/common_dialog_options.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace forms {
namespace {

// Code page 936: lead bytes 0x81 ... 0xFE; their trail byte may be any of 0x40 ... 0xFE, "|" included.
bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::string ToPlatformFilter(const std::string& filter) {
  std::string text = filter;
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  if (text.empty()) return {};

  // Positions of the "|" bytes that stand on their own, not as a trail byte.
  std::vector<size_t> bars;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (text[i] == '|') bars.push_back(i);
  }
  size_t n = bars.size();
  bool endsWithPair = n >= 2 && bars[n - 1] == text.size() - 1 && bars[n - 2] == text.size() - 2;
  if (!endsWithPair) {
    bars.push_back(text.size());
    bars.push_back(text.size() + 1);
    text += "||";
  }
  for (size_t at : bars) text[at] = '\0';
  return text;
}

uint32_t InitialFilterIndex(const std::string& platformFilter, int32_t filterIndex) {
  if (platformFilter.empty()) return 0;
  return filterIndex < 0 ? 1u : static_cast<uint32_t>(filterIndex) + 1u;
}

uint32_t FileDialogFlags(const CommonDlgData& data) {
  uint32_t flags = OFN_HIDEREADONLY;
  if (data.createPrompt) flags |= OFN_CREATEPROMPT;
  if (data.fileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (data.overwritePrompt) flags |= OFN_OVERWRITEPROMPT;
  if (data.pathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (data.noChangeDirectory) flags |= OFN_NOCHANGEDIR;
  return flags;
}

}  // namespace forms
