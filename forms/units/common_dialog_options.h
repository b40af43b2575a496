// The pure parts of running a common dialog: the filter text in the platform's form, the
// initial filter, and the file dialog's option flags, all from the unit's data block.
#pragma once
#include <cstdint>
#include <string>

#include "forms/unit_data_blocks.h"

namespace forms {

// "列表文件|*.lst" becomes "列表文件\0*.lst\0\0": trailing white space removed, "||" appended
// unless already there, then every "|" turned into a zero byte. GBK aware, so a "|" byte that is
// the second half of a double-byte character is kept. Empty (or blank) gives the empty string,
// meaning no filter at all.
std::string ToPlatformFilter(const std::string& filter);

// The platform's 1-based initial filter: index + 1 (1 for a negative index) when there is a
// filter, else 0.
uint32_t InitialFilterIndex(const std::string& platformFilter, int32_t filterIndex);

// The OFN_* flags of a file dialog: hide read-only always, the rest as the block asks.
uint32_t FileDialogFlags(const CommonDlgData& data);

}  // namespace forms
