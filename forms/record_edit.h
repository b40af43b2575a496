// Editing a window's unit table in place. The table is the live property store, so fields are
// overwritten where they lie and records whose texts change length are rewritten whole, with
// the offsets of the records behind them following.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "forms/window_set.h"

namespace forms {

// Overwrites the dword at pos inside the record; false when it would leave the record.
bool StoreRecordDword(WindowTemplate& window, const RecordRef& record, uint32_t pos, uint32_t value);
// Replaces the record at index with new record data (without its length dword).
bool ReplaceRecord(WindowTemplate& window, uint32_t index, const std::vector<uint8_t>& data);
// The record's bytes with [from, to) replaced by insert.
std::vector<uint8_t> SpliceRecord(const uint8_t* data, uint32_t length, uint32_t from, uint32_t to,
                                  const std::vector<uint8_t>& insert);
// A zero-terminated text as record bytes.
std::vector<uint8_t> TerminatedText(std::string_view text);

}  // namespace forms
