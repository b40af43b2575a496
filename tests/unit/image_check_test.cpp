// A program image whose ranges point outside the loaded image is refused before anything reads it.
#include <gtest/gtest.h>

#include "runtime/startup.h"
#include "tests/support/error_capture.h"
#include "tests/support/test_image.h"

namespace {

ImageHeader Copy() { return testimg::Header(); }

// Headers under test must lie inside the exe image like a real one: static storage.
ImageHeader g_header;

TEST(ImageCheck, TheTestImageIsSound) {
  g_header = Copy();
  EXPECT_EQ(rt::CheckImage(g_header), nullptr);
}

TEST(ImageCheck, RangesPastTheImageAreRefused) {
  g_header = Copy();
  g_header.constantLength = 0x7FFFFFF0;
  EXPECT_NE(rt::CheckImage(g_header), nullptr);

  g_header = Copy();
  g_header.formData = g_header.constantArea;
  g_header.formLength = 0xFFFFFFFF;
  EXPECT_NE(rt::CheckImage(g_header), nullptr);

  g_header = Copy();
  g_header.moduleCount = 0x40000000;  // 4 × count wraps in 32 bits
  EXPECT_NE(rt::CheckImage(g_header), nullptr);

  g_header = Copy();
  g_header.constantArea = reinterpret_cast<const uint8_t*>(0x10);
  EXPECT_NE(rt::CheckImage(g_header), nullptr);

  static const ModuleDescriptor* const kStray[1] = {reinterpret_cast<const ModuleDescriptor*>(0x7FFE0000)};
  g_header = Copy();
  g_header.moduleCount = 1;
  g_header.modules = kStray;
  EXPECT_NE(rt::CheckImage(g_header), nullptr);
}

TEST(ImageCheck, AHeaderOutsideAnyImageIsRefused) {
  auto onHeap = new ImageHeader(Copy());
  EXPECT_NE(rt::CheckImage(*onHeap), nullptr);
  delete onHeap;
}

TEST(ImageCheckDeath, StartUpOnABadImageEndsThroughTheErrorPath) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        g_header = Copy();
        g_header.constantLength = 0x7FFFFFF0;
        rt::RuntimeInit(&g_header);
      },
      ::testing::ExitedWithCode(-1), "runtime error 0: ");
}

}  // namespace
