// The type-specific data blocks of the core unit types that the program's windows carry, with
// the defaults an empty block stands for. Fields named "setting" are kept and written back but
// not interpreted. Fields that later versions added are read and written only from that version.
#pragma once
#include <cstdint>
#include <string>

#include "forms/data_block_io.h"

namespace forms {

struct WindowData {
  static constexpr uint32_t kVersion = 6;
  uint32_t version = 6;
  uint32_t border = 2;  // 0 none; 1, 3, 5 sizing; 3, 4 tool window; 5, 6 sunken client edge
  uint32_t setting3 = 1;
  uint32_t background = 0xFF000000;  // the system default
  uint32_t maximizeButton = 0;
  uint32_t minimizeButton = 1;
  uint32_t controlBox = 1;
  uint32_t startPosition = 1;  // 0 as designed, 1 centred, 2 minimized, 3 maximized
  uint32_t setting9 = 1;
  uint32_t setting10 = 0;
  uint32_t enterMovesFocus = 0;
  uint32_t escCloses = 1;
  uint32_t f1OpensHelp = 0;
  uint32_t helpContext = 0;
  uint32_t shownInTaskbar = 1;   // from version 2
  uint32_t dragByClient = 0;     // from version 3
  uint32_t setting17 = 0;        // from version 3
  uint32_t setting18 = 0;        // from version 4
  uint32_t setting19 = 0;        // from version 5
  std::string text;              // version 6
  std::string picture;
  std::string icon;
  std::string byteArray23;
  std::string caption;
  std::string helpFile;

  template <class Io>
  void Fields(Io& io) {
    io.Dword(version);
    io.Dword(border), io.Dword(setting3), io.Dword(background), io.Dword(maximizeButton);
    io.Dword(minimizeButton), io.Dword(controlBox), io.Dword(startPosition), io.Dword(setting9);
    io.Dword(setting10), io.Dword(enterMovesFocus), io.Dword(escCloses), io.Dword(f1OpensHelp);
    io.Dword(helpContext);
    if (version >= 2) io.Dword(shownInTaskbar);
    if (version >= 3) io.Dword(dragByClient), io.Dword(setting17);
    if (version >= 4) io.Dword(setting18);
    if (version >= 5) io.Dword(setting19);
    if (version >= 6) io.Bytes(text);
    io.Bytes(picture), io.Bytes(icon), io.Bytes(byteArray23), io.Bytes(caption), io.Bytes(helpFile);
  }
};

struct EditBoxData {
  static constexpr uint32_t kVersion = 2;
  uint32_t version = 2;
  uint32_t border = 1;
  uint32_t textColour = 0;
  uint32_t background = 0xFFFFFF;
  uint32_t hideSelection = 1;
  uint32_t maxLength = 0;  // 0: no limit
  uint32_t multiLine = 0;
  uint32_t scrollBars = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both
  uint32_t alignment = 0;   // 0 left, 1 centre, 2 right
  uint32_t inputMode = 0;   // 1 read-only, 2 password, 3 integer text, ...
  uint16_t passwordChar = '*';  // the one 16-bit field of the stream
  uint32_t letterCase = 0;
  uint32_t upDown = 0;
  int32_t upDownMin = 0;
  int32_t upDownMax = 100;
  uint32_t selectionStart = 0;
  uint32_t selectionLength = 0;
  std::string font;  // a LOGFONT, or empty
  std::string content;
  std::string text19;  // version 2
  std::string text20;  // version 2

  template <class Io>
  void Fields(Io& io) {
    io.Dword(version);
    io.Dword(border), io.Dword(textColour), io.Dword(background), io.Dword(hideSelection);
    io.Dword(maxLength), io.Dword(multiLine), io.Dword(scrollBars), io.Dword(alignment), io.Dword(inputMode);
    io.Word16(passwordChar);
    io.Dword(letterCase), io.Dword(upDown), io.Int(upDownMin), io.Int(upDownMax);
    io.Dword(selectionStart), io.Dword(selectionLength);
    io.Bytes(font), io.Bytes(content);
    if (version >= 2) io.Bytes(text19), io.Bytes(text20);
  }
};

struct LabelData {
  static constexpr uint32_t kVersion = 2;
  uint32_t version = 2;
  uint32_t setting2 = 0;
  uint32_t setting3 = 8;
  uint32_t border = 0;
  uint32_t colour5 = 0x808080, colour6 = 0xFFFFFF, colour7 = 0x808080;
  uint32_t textColour = 0;
  uint32_t background = 0xFF000000;  // the system's button face
  uint32_t setting10 = 1, setting11 = 0;
  uint32_t colour12 = 0x808080, colour13 = 0xFFFFFF, colour14 = 0x808080;
  uint32_t setting15 = 0, setting16 = 1, setting17 = 0;
  std::string font;
  std::string picture;
  std::string caption = "标签";
  std::string text21;  // version 2
  std::string text22;  // version 2

  template <class Io>
  void Fields(Io& io) {
    io.Dword(version);
    io.Dword(setting2), io.Dword(setting3), io.Dword(border);
    io.Dword(colour5), io.Dword(colour6), io.Dword(colour7), io.Dword(textColour), io.Dword(background);
    io.Dword(setting10), io.Dword(setting11), io.Dword(colour12), io.Dword(colour13), io.Dword(colour14);
    io.Dword(setting15), io.Dword(setting16), io.Dword(setting17);
    io.Bytes(font), io.Bytes(picture), io.Bytes(caption);
    if (version >= 2) io.Bytes(text21), io.Bytes(text22);
  }
};

struct ButtonData {
  static constexpr uint32_t kVersion = 1;
  uint32_t version = 1;
  uint32_t kind = 0;  // 1: default button
  uint32_t horizontalAlign = 1;
  uint32_t verticalAlign = 1;
  std::string picture;
  std::string font;
  std::string caption = "按钮";

  template <class Io>
  void Fields(Io& io) {
    io.Dword(version), io.Dword(kind), io.Dword(horizontalAlign), io.Dword(verticalAlign);
    io.Bytes(picture), io.Bytes(font), io.Bytes(caption);
  }
};

struct ProgressBarData {
  static constexpr uint32_t kVersion = 1;
  uint32_t version = 1;
  uint32_t border = 3;
  uint32_t vertical = 0;
  uint32_t smooth = 0;
  int32_t minimum = 0;
  int32_t maximum = 100;
  int32_t position = 0;

  template <class Io>
  void Fields(Io& io) {
    io.Dword(version), io.Dword(border), io.Dword(vertical), io.Dword(smooth);
    io.Int(minimum), io.Int(maximum), io.Int(position);
  }
};

struct CommonDlgData {
  static constexpr uint32_t kVersion = 1;
  uint32_t version = 1;
  uint32_t type = 0;  // 0 open file, 1 save file, 2 font, 3 help
  int32_t filterIndex = 0;
  uint32_t createPrompt = 0;
  uint32_t fileMustExist = 1;
  uint32_t overwritePrompt = 1;
  uint32_t pathMustExist = 1;
  uint32_t noChangeDirectory = 0;
  uint32_t fontColour = 0;
  uint32_t bold = 0, italic = 0, strikeOut = 0, underline = 0;
  int32_t fontSize = 0;
  uint32_t helpCommand = 0;
  uint32_t helpContext = 0;
  std::string title;
  std::string fileName;
  std::string filter;  // "description|patterns|..."
  std::string initialDirectory;
  std::string defaultExtension;
  std::string fontName;
  std::string helpFile;

  template <class Io>
  void Fields(Io& io) {
    io.Dword(version), io.Dword(type), io.Int(filterIndex), io.Dword(createPrompt), io.Dword(fileMustExist);
    io.Dword(overwritePrompt), io.Dword(pathMustExist), io.Dword(noChangeDirectory), io.Dword(fontColour);
    io.Dword(bold), io.Dword(italic), io.Dword(strikeOut), io.Dword(underline), io.Int(fontSize);
    io.Dword(helpCommand), io.Dword(helpContext);
    io.Bytes(title), io.Bytes(fileName), io.Bytes(filter), io.Bytes(initialDirectory);
    io.Bytes(defaultExtension), io.Bytes(fontName), io.Bytes(helpFile);
  }
};

}  // namespace forms
