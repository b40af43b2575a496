// Lays out the program's constants in the byte representation the runtime reads:
// texts zero-terminated, byte arrays as {1, length, bytes}, each 4-byte aligned.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class ConstantAreaWriter {
 public:
  // Returns the constant's offset in the area.
  uint32_t AddText(const std::string& name, const std::string& gbkText);
  uint32_t AddByteArray(const std::string& name, const std::vector<uint8_t>& bytes);

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  struct Named {
    std::string name;
    uint32_t offset;
  };
  const std::vector<Named>& Names() const { return names_; }

 private:
  void Align();
  std::vector<uint8_t> bytes_;
  std::vector<Named> names_;
};

// C++ source fragments the build compiles into the exe.
std::string BytesAsInitializer(const std::vector<uint8_t>& bytes);
