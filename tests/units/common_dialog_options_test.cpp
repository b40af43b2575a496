// The filter text in the platform's form, the initial filter and the file dialog flags.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "forms/units/common_dialog_options.h"

namespace {

using forms::ToPlatformFilter;
using namespace std::string_literals;

TEST(CommonDialogFilter, PairsBecomeZeroSeparatedWithADoubleZeroEnd) {
  EXPECT_EQ(ToPlatformFilter("列表文件|*.lst"), "列表文件\0*.lst\0\0"s);
  EXPECT_EQ(ToPlatformFilter("文本|*.txt;*.log|全部|*.*"), "文本\0*.txt;*.log\0全部\0*.*\0\0"s);
}

TEST(CommonDialogFilter, AFilterEndingInTwoBarsGetsNoMore) {
  EXPECT_EQ(ToPlatformFilter("列表文件|*.lst||"), "列表文件\0*.lst\0\0"s);
  // One bar at the end is not the end mark: two more follow it.
  EXPECT_EQ(ToPlatformFilter("列表文件|*.lst|"), "列表文件\0*.lst\0\0\0"s);
}

TEST(CommonDialogFilter, EmptyAndBlankFiltersMeanNoFilter) {
  EXPECT_EQ(ToPlatformFilter(""), "");
  EXPECT_EQ(ToPlatformFilter(" \t\r\n"), "");
  EXPECT_EQ(ToPlatformFilter("列表文件|*.lst \r\n"), "列表文件\0*.lst\0\0"s);
}

TEST(CommonDialogFilter, ADescriptionWithoutPatternsIsPassedAsWritten) {
  EXPECT_EQ(ToPlatformFilter("列表文件|*.lst|所有文件"), "列表文件\0*.lst\0所有文件\0\0"s);
  EXPECT_EQ(ToPlatformFilter("所有文件"), "所有文件\0\0"s);
}

TEST(CommonDialogFilter, ABarThatIsTheSecondByteOfACharacterStays) {
  // "亅" is 0x81 0x7C in code page 936: its second byte is "|".
  const std::string bar = "\x81\x7C";
  EXPECT_EQ(ToPlatformFilter(bar + "文件|*.lst"), bar + "文件\0*.lst\0\0"s);
  // Ending in that character and one real bar is not the end mark either.
  EXPECT_EQ(ToPlatformFilter("列表|*.lst|" + bar + "|"), "列表\0*.lst\0"s + bar + "\0\0\0"s);
  // A lead byte cut off at the end is kept as it is.
  EXPECT_EQ(ToPlatformFilter("a|*.a|\x81"), "a\0*.a\0\x81\0\0"s);
}

TEST(CommonDialogFilter, InitialFilterCountsFromOneAndOnlyWithAFilter) {
  const std::string f = ToPlatformFilter("列表文件|*.lst");
  EXPECT_EQ(forms::InitialFilterIndex(f, 0), 1u);
  EXPECT_EQ(forms::InitialFilterIndex(f, 2), 3u);
  EXPECT_EQ(forms::InitialFilterIndex(f, -4), 1u);
  EXPECT_EQ(forms::InitialFilterIndex("", 2), 0u);
}

TEST(CommonDialogFlags, EachBlockOptionAddsItsFlag) {
  forms::CommonDlgData d;  // file must exist, overwrite prompt, path must exist
  EXPECT_EQ(forms::FileDialogFlags(d),
            static_cast<uint32_t>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST));
  d.fileMustExist = d.overwritePrompt = d.pathMustExist = 0;
  EXPECT_EQ(forms::FileDialogFlags(d), static_cast<uint32_t>(OFN_HIDEREADONLY));
  d.createPrompt = 1;
  d.noChangeDirectory = 1;
  EXPECT_EQ(forms::FileDialogFlags(d), static_cast<uint32_t>(OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_NOCHANGEDIR));
}

}  // namespace
