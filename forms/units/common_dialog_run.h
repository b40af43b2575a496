// Shows the standard dialogs a common dialog unit stands for, reading and updating its data block.
#pragma once
#include <windows.h>

#include "forms/unit_data_blocks.h"

namespace forms {

// Types 0 and 1: the open or save file dialog. On confirmation the full chosen path becomes the
// block's file name and the answer is true; otherwise the block is left as it was.
bool ShowFileDialog(CommonDlgData& data, HWND owner);
// Type 2: the font dialog, starting from the block's font; a confirmed choice is stored back.
bool ShowFontDialog(CommonDlgData& data, HWND owner);
// Type 3: the help file at the block's command and context. *opened tells whether help may now
// be open for this owner (so it can be closed when the owner goes).
bool ShowHelp(const CommonDlgData& data, HWND owner, bool* opened);

}  // namespace forms
