// The list view's type-specific data block as the templates store it, and its column records.
// Pure: the generator writes the main window's list with it and tests read it back.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/data_block_io.h"

namespace forms {

struct ListViewData {
  static constexpr uint32_t kVersion = 1;
  uint32_t version = 1;
  uint32_t border = 1;
  uint32_t textColour = 0;
  uint32_t textBackground = 0xFFFFFF;
  uint32_t background = 0xFFFFFF;
  uint32_t view = 0;  // 0 large icons, 1 small icons, 2 list, 3 report
  uint32_t iconAlignment = 0;
  uint32_t autoArrange = 1;
  uint32_t wrapLabels = 1;
  uint32_t hideColumnHeader = 0;
  uint32_t clickableHeader = 1;
  uint32_t fullRowSelect = 0;
  uint32_t gridLines = 0;
  uint32_t dragColumnHeaders = 0;
  uint32_t hotTracking = 0;
  uint32_t handCursorWhenHot = 1;
  uint32_t underlineCold = 1;
  uint32_t underlineHot = 1;
  uint32_t editLabels = 0;
  uint32_t sortOrder = 0;
  uint32_t checkBoxes = 0;
  uint32_t flatScrollBars = 0;
  uint32_t singleSelection = 1;
  int32_t selectedRow = -1;
  uint32_t alwaysShowSelection = 0;
  std::string font;
  std::string headerImages;
  std::string images;
  std::string columns;  // ListColumn records, packed
  std::string stateImages;
  std::string rows;  // ListItemRecords, packed

  template <class Io>
  void Fields(Io& io) {
    io.Dword(version), io.Dword(border), io.Dword(textColour), io.Dword(textBackground), io.Dword(background);
    io.Dword(view), io.Dword(iconAlignment), io.Dword(autoArrange), io.Dword(wrapLabels);
    io.Dword(hideColumnHeader), io.Dword(clickableHeader), io.Dword(fullRowSelect), io.Dword(gridLines);
    io.Dword(dragColumnHeaders), io.Dword(hotTracking), io.Dword(handCursorWhenHot), io.Dword(underlineCold);
    io.Dword(underlineHot), io.Dword(editLabels), io.Dword(sortOrder), io.Dword(checkBoxes);
    io.Dword(flatScrollBars), io.Dword(singleSelection), io.Int(selectedRow), io.Dword(alwaysShowSelection);
    io.Bytes(font), io.Bytes(headerImages), io.Bytes(images), io.Bytes(columns), io.Bytes(stateImages);
    io.Bytes(rows);
  }
};

struct ListColumn {
  uint8_t imageOnRight = 0;
  int32_t headerImage = -1;
  uint32_t alignment = 0;  // 0 left, 1 centre, 2 right
  uint32_t width = 0;
  std::string title;
};

// Packed: flag byte, image, alignment, width, zero-terminated title.
std::string EncodeListColumns(const std::vector<ListColumn>& columns);
// Nothing when a record is cut short.
std::optional<std::vector<ListColumn>> DecodeListColumns(const std::string& packed);

}  // namespace forms
