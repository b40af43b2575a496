// The program's own generated segment, cut short at every length and with every dword in turn
// replaced by a huge count: the reader refuses or reads it, never reading past the end.
#include <gtest/gtest.h>

#include "forms/form_segment_reader.h"
#include "image_constants.h"
#include "tests/forms/guarded_bytes.h"

namespace {
using namespace testforms;

const uint8_t kRealForms[image::kFormSegmentSize] = {
#include "form_segment.inc"
};

std::vector<uint8_t> Real() { return std::vector<uint8_t>(kRealForms, kRealForms + sizeof kRealForms); }

bool Reads(const std::vector<uint8_t>& bytes) {
  GuardedBytes guarded(bytes);
  return forms::ReadFormSegment(guarded.data(), guarded.size()).has_value();
}

TEST(RealSegment, EveryPrefixIsRefusedAndTheWholeIsRead) {
  std::vector<uint8_t> full = Real();
  ASSERT_TRUE(Reads(full));
  size_t accepted = 0;
  for (size_t cut = 0; cut < full.size(); ++cut)
    if (Reads(std::vector<uint8_t>(full.begin(), full.begin() + cut))) ++accepted;
  // Only the empty prefix (no window at all) may read as a set.
  EXPECT_LE(accepted, 1u);
}

TEST(RealSegment, EveryDwordFlippedToAHugeValueStaysInside) {
  std::vector<uint8_t> full = Real();
  size_t refused = 0;
  for (size_t at = 0; at + 4 <= full.size(); at += 4) {
    for (uint32_t huge : {0xFFFFFFFFu, 0x7FFFFFF0u}) {
      std::vector<uint8_t> bad = full;
      for (int i = 0; i < 4; ++i) bad[at + i] = static_cast<uint8_t>(huge >> (8 * i));
      if (!Reads(bad)) ++refused;  // reading at all without a fault is what counts; many are refused
    }
  }
  EXPECT_GT(refused, 0u);
}

}  // namespace
