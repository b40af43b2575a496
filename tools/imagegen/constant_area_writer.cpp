#include "tools/imagegen/constant_area_writer.h"

#include <cstdio>
#include <stdexcept>

void ConstantAreaWriter::Align() {
  while (bytes_.size() % 4) bytes_.push_back(0);
}

uint32_t ConstantAreaWriter::AddText(const std::string& name, const std::string& gbkText) {
  if (gbkText.empty()) throw std::invalid_argument("an empty text constant is the null text: " + name);
  Align();
  auto offset = static_cast<uint32_t>(bytes_.size());
  bytes_.insert(bytes_.end(), gbkText.begin(), gbkText.end());
  bytes_.push_back(0);
  names_.push_back({name, offset});
  return offset;
}

uint32_t ConstantAreaWriter::AddByteArray(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) throw std::invalid_argument("an empty byte array constant is null: " + name);
  Align();
  auto offset = static_cast<uint32_t>(bytes_.size());
  auto put32 = [this](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put32(1);
  put32(static_cast<uint32_t>(bytes.size()));
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  names_.push_back({name, offset});
  return offset;
}

std::string BytesAsInitializer(const std::vector<uint8_t>& bytes) {
  std::string out;
  char buf[8];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "0x%02X,", bytes[i]);
    out += buf;
    if (i % 16 == 15) out += '\n';
  }
  if (bytes.empty()) out = "0";  // a zero-length area still needs one element in C++
  return out + "\n";
}
