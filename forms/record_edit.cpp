#include "forms/record_edit.h"

#include "forms/form_segment_writer.h"

namespace forms {

bool StoreRecordDword(WindowTemplate& window, const RecordRef& record, uint32_t pos, uint32_t value) {
  if (pos > record.length || record.length - pos < 4) return false;
  uint8_t* p = window.unitTable.data() + record.offset + pos;
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
  return true;
}

bool ReplaceRecord(WindowTemplate& window, uint32_t index, const std::vector<uint8_t>& data) {
  UnitTableView table = window.Table();
  std::vector<TableEntry> entries;
  entries.reserve(table.Count());
  for (uint32_t i = 0; i < table.Count(); ++i) {
    auto id = table.IdAt(i);
    auto ref = table.ByIndex(i);
    if (!id || !ref) return false;
    if (i == index) {
      entries.push_back({*id, data});
    } else {
      const uint8_t* p = table.RecordData(*ref);
      entries.push_back({*id, std::vector<uint8_t>(p, p + ref->length)});
    }
  }
  if (index >= entries.size()) return false;
  window.unitTable = EncodeUnitTable(entries);
  return true;
}

std::vector<uint8_t> SpliceRecord(const uint8_t* data, uint32_t length, uint32_t from, uint32_t to,
                                  const std::vector<uint8_t>& insert) {
  if (to > length) to = length;
  if (from > to) from = to;
  std::vector<uint8_t> out(data, data + from);
  out.insert(out.end(), insert.begin(), insert.end());
  out.insert(out.end(), data + to, data + length);
  return out;
}

std::vector<uint8_t> TerminatedText(std::string_view text) {
  std::vector<uint8_t> out(text.begin(), text.end());
  out.push_back(0);
  return out;
}

}  // namespace forms
