// Type-specific data blocks: empty means defaults, newer versions and cut blocks are refused,
// fields that later versions added are absent from older blocks.
#include <gtest/gtest.h>

#include "forms/listview_data.h"
#include "forms/unit_data_blocks.h"

namespace {

forms::ByteRange Range(const std::vector<uint8_t>& b) { return {b.data(), static_cast<uint32_t>(b.size())}; }

TEST(DataBlocks, EmptyMeansDefaults) {
  auto edit = forms::DecodeBlock<forms::EditBoxData>({});
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->multiLine, 0u);
  EXPECT_EQ(edit->background, 0xFFFFFFu);
  EXPECT_EQ(edit->maxLength, 0u);
  EXPECT_EQ(edit->passwordChar, '*');
  EXPECT_EQ(forms::DecodeBlock<forms::ButtonData>({})->caption, "按钮");
  EXPECT_EQ(forms::DecodeBlock<forms::ListViewData>({})->selectedRow, -1);
}

TEST(DataBlocks, NewerVersionsAndCutBlocksAreRefused) {
  forms::WindowData w;
  w.caption = "caption";
  auto bytes = forms::EncodeBlock(w);
  ASSERT_TRUE(forms::DecodeBlock<forms::WindowData>(Range(bytes)));
  for (size_t cut = 1; cut < bytes.size(); ++cut) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
    EXPECT_FALSE(forms::DecodeBlock<forms::WindowData>(Range(part))) << cut;
  }
  forms::ProgressBarData p;
  p.version = 2;
  EXPECT_FALSE(forms::DecodeBlock<forms::ProgressBarData>(Range(forms::EncodeBlock(p))));
  forms::ListViewData l;
  l.version = 2;
  EXPECT_FALSE(forms::DecodeBlock<forms::ListViewData>(Range(forms::EncodeBlock(l))));
}

TEST(DataBlocks, OlderWindowBlocksLackTheLaterFields) {
  forms::WindowData v1;
  v1.version = 1;
  v1.caption = "old";
  v1.shownInTaskbar = 0;  // not in a version 1 block: reads back as the default
  auto bytes = forms::EncodeBlock(v1);
  forms::WindowData v6;
  v6.caption = "old";
  EXPECT_EQ(bytes.size() + 4 * 5 + 4, forms::EncodeBlock(v6).size());  // fields 15 to 19 and the text
  auto back = forms::DecodeBlock<forms::WindowData>(Range(bytes));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->caption, "old");
  EXPECT_EQ(back->shownInTaskbar, 1u);
}

TEST(DataBlocks, ListViewColumnsRoundTrip) {
  std::vector<forms::ListColumn> columns = {{1, 3, 2, 75, "名称"}, {0, -1, 0, 0, ""}};
  auto back = forms::DecodeListColumns(forms::EncodeListColumns(columns));
  ASSERT_TRUE(back);
  ASSERT_EQ(back->size(), 2u);
  EXPECT_EQ((*back)[0].imageOnRight, 1);
  EXPECT_EQ((*back)[0].headerImage, 3);
  EXPECT_EQ((*back)[0].alignment, 2u);
  EXPECT_EQ((*back)[0].width, 75u);
  EXPECT_EQ((*back)[0].title, "名称");
  EXPECT_EQ((*back)[1].title, "");
  std::string packed = forms::EncodeListColumns(columns);
  EXPECT_FALSE(forms::DecodeListColumns(packed.substr(0, packed.size() - 1)));
}

}  // namespace
