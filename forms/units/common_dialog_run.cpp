#include "forms/units/common_dialog_run.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "forms/units/common_dialog_options.h"

namespace forms {
namespace {

// Room for the chosen path; a longer initial name is cut to fit.
constexpr size_t kPathRoom = 1024;

const char* TextOrNone(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

int PixelsPerInch() {
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

std::string DefaultHelpFile() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, n < MAX_PATH ? n : 0);
  size_t slash = file.find_last_of("\\/");
  size_t dot = file.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.resize(dot);
  return file + ".hlp";
}

}  // namespace

bool ShowFileDialog(CommonDlgData& data, HWND owner) {
  std::string filter = ToPlatformFilter(data.filter);
  std::vector<char> path(kPathRoom, '\0');
  std::memcpy(path.data(), data.fileName.data(), data.fileName.size() < kPathRoom ? data.fileName.size() : kPathRoom - 1);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = InitialFilterIndex(filter, data.filterIndex);
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrInitialDir = TextOrNone(data.initialDirectory);
  ofn.lpstrTitle = TextOrNone(data.title);
  ofn.lpstrDefExt = TextOrNone(data.defaultExtension);
  ofn.Flags = FileDialogFlags(data);

  BOOL confirmed = data.type == 1 ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!confirmed) return false;
  data.fileName = path.data();
  return true;
}

bool ShowFontDialog(CommonDlgData& data, HWND owner) {
  LOGFONTA font{};
  font.lfWeight = data.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = data.italic ? 1 : 0;
  font.lfUnderline = data.underline ? 1 : 0;
  font.lfStrikeOut = data.strikeOut ? 1 : 0;
  font.lfCharSet = DEFAULT_CHARSET;
  if (data.fontSize > 0) font.lfHeight = -MulDiv(data.fontSize, PixelsPerInch(), 72);
  std::strncpy(font.lfFaceName, data.fontName.c_str(), LF_FACESIZE - 1);

  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &font;
  choose.rgbColors = data.fontColour & 0x00FFFFFF;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&choose)) return false;

  data.fontColour = choose.rgbColors;
  data.bold = font.lfWeight >= FW_BOLD ? 1 : 0;
  data.italic = font.lfItalic ? 1 : 0;
  data.underline = font.lfUnderline ? 1 : 0;
  data.strikeOut = font.lfStrikeOut ? 1 : 0;
  data.fontName = font.lfFaceName;
  data.fontSize = choose.iPointSize > 0 ? (choose.iPointSize + 5) / 10 : 0;
  return true;
}

bool ShowHelp(const CommonDlgData& data, HWND owner, bool* opened) {
  *opened = false;
  if (!owner || !IsWindow(owner)) return false;
  switch (data.helpCommand) {
    case 4:
      *opened = WinHelpA(owner, nullptr, HELP_HELPONHELP, 0) != FALSE;
      return *opened;
    case 5: return WinHelpA(owner, nullptr, HELP_QUIT, 0) != FALSE;
    default: break;
  }
  std::string file = data.helpFile.empty() ? DefaultHelpFile() : data.helpFile;
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  UINT command = HELP_FINDER;
  ULONG_PTR context = 0;
  if ((data.helpCommand == 1 || data.helpCommand == 2) && data.helpContext != 0) {
    command = data.helpCommand == 1 ? HELP_CONTEXT : HELP_CONTEXTPOPUP;
    context = data.helpContext;
  } else if (data.helpCommand == 3) {
    command = HELP_FORCEFILE;
  }
  *opened = WinHelpA(owner, file.c_str(), command, context) != FALSE;
  return *opened;
}

}  // namespace forms
