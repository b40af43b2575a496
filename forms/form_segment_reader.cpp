#include "forms/form_segment_reader.h"

#include "runtime/abi/values.h"

#include "forms/template_bytes.h"

namespace forms {

namespace {

// A read-only stream over the segment; every read refuses to pass its end.
class SegmentStream {
 public:
  SegmentStream(const uint8_t* data, uint32_t length) : data_(data), length_(length) {}

  bool Dword(uint32_t& out) {
    if (!LoadDword(data_, length_, pos_, out)) return false;
    pos_ += 4;
    return true;
  }
  bool Bytes(uint32_t count, const uint8_t*& out) {
    if (count > length_ - pos_) return false;
    out = data_ + pos_;
    pos_ += count;
    return true;
  }
  bool LengthPrefixed(std::string& out) {
    uint32_t n;
    const uint8_t* p;
    if (!Dword(n) || !Bytes(n, p)) return false;
    out.assign(reinterpret_cast<const char*>(p), n);
    return true;
  }

 private:
  const uint8_t* data_;
  uint32_t length_;
  uint32_t pos_ = 0;
};

bool ReadWindow(SegmentStream& in, WindowTemplate& w) {
  uint32_t tableLength;
  const uint8_t* table;
  if (!in.Dword(w.value1) || !in.Dword(w.value2) || !in.LengthPrefixed(w.text1) || !in.LengthPrefixed(w.text2) ||
      !in.Dword(w.unitCount) || !in.Dword(tableLength) || !in.Bytes(tableLength, table))
    return false;
  w.unitTable.assign(table, table + tableLength);
  return UnitTableIsSound(w.Table());
}

}  // namespace

bool UnitTableIsSound(const UnitTableView& table) {
  if (uint64_t(table.Count()) * 8 > 0xFFFFFFFFull) return false;
  for (uint32_t i = 0; i < table.Count(); ++i) {
    auto ref = table.ByIndex(i);
    if (!ref) return false;
    bool walkable = table.IsMenuItem(i) ? table.Menu(*ref).Handler().has_value()
                                        : table.Unit(*ref).Events().has_value();
    if (!walkable) return false;
  }
  return true;
}

std::optional<WindowSet> ReadFormSegment(const uint8_t* data, uint32_t length) {
  SegmentStream in(data, length);
  uint32_t indexBytes;
  const uint8_t* index;
  if (!in.Dword(indexBytes) || !in.Bytes(indexBytes, index)) return std::nullopt;
  uint32_t n = indexBytes / 8;
  WindowSet set;
  set.ids.reserve(n);
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t id = 0;
    LoadDword(index, indexBytes, 4ull * i, id);
    set.ids.push_back(id);
  }
  // The second half of the index holds placeholders for the window objects; the set keeps
  // its windows beside the identifiers instead.
  set.windows.resize(n);
  for (uint32_t i = 0; i < n; ++i)
    if (!ReadWindow(in, set.windows[i])) return std::nullopt;
  return set;
}

uint32_t RelocatedHandler(uint32_t offset, const void* codeBase) {
  if (offset == kNoHandlerOffset) return 0;
  if constexpr (kWideAddresses) return offset / 4 + 1;
  return AddrLow(codeBase) + offset;
}

const void* HandlerEntryOf(uint32_t relocated, const void* codeBase) {
  if (relocated == 0) return nullptr;
  if constexpr (kWideAddresses) return static_cast<const void* const*>(codeBase) + (relocated - 1);
  return AddrFromHalves(relocated, 0);
}

void RelocateHandlers(WindowSet& set, const void* codeBase) {
  for (WindowTemplate& w : set.windows) {
    UnitTableView table = w.Table();
    uint8_t* bytes = w.unitTable.data();
    auto relocate = [&](uint32_t at) {
      uint32_t v = 0;
      LoadDword(bytes, w.unitTable.size(), at, v);
      StoreDword(bytes + at, RelocatedHandler(v, codeBase));
    };
    for (uint32_t i = 0; i < table.Count(); ++i) {
      auto ref = table.ByIndex(i);
      if (!ref) continue;
      if (table.IsMenuItem(i)) {
        if (auto at = table.Menu(*ref).HandlerPosition()) relocate(ref->offset + *at);
        continue;
      }
      UnitRecordView unit = table.Unit(*ref);
      auto start = unit.EventTablePosition();
      if (!start) continue;
      uint32_t count = *unit.EventCount();
      for (uint32_t e = 0; e < count; ++e) relocate(ref->offset + *start + 8 * e + 4);
    }
  }
}

}  // namespace forms
