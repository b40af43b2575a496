// Writer to reader: every field of unusual records comes back, lookups follow the identifier
// rules, and relocation turns offsets into addresses.
#include <gtest/gtest.h>

#include "forms/form_segment_reader.h"
#include "forms/form_segment_writer.h"
#include "forms/template_ids.h"
#include "tests/forms/sample_segment.h"

namespace {
using namespace testforms;

forms::WindowSet ReadSample() {
  auto bytes = forms::EncodeFormSegment(SampleWindows());
  auto set = forms::ReadFormSegment(bytes.data(), static_cast<uint32_t>(bytes.size()));
  EXPECT_TRUE(set.has_value());
  return set ? *set : forms::WindowSet{};
}

TEST(SegmentRoundTrip, WindowHeadersAndIndex) {
  forms::WindowSet set = ReadSample();
  ASSERT_EQ(set.Count(), 2u);
  EXPECT_EQ(set.ids, (std::vector<uint32_t>{kWinA, kWinB}));
  const forms::WindowTemplate* a = set.Find(kWinA);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->value1, 0x11111111u);
  EXPECT_EQ(a->value2, 0x22222222u);
  EXPECT_EQ(a->text1, std::string("t\0one", 5));
  EXPECT_EQ(a->text2, "two");
  EXPECT_EQ(a->unitCount, 4u);
  EXPECT_EQ(set.IndexOf(kWinB), 1u);
  EXPECT_EQ(set.Find(0x52000033), nullptr);
}

TEST(SegmentRoundTrip, EveryUnitFieldComesBack) {
  forms::WindowSet set = ReadSample();
  auto table = set.Find(kWinA)->Table();
  auto ref = table.ById(kBox);
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->index, 1u);
  forms::UnitRecordView box = table.Unit(*ref);
  EXPECT_EQ(box.TypeCode(), 0x00010005u);
  EXPECT_EQ(box.EventSourceLink(), 0x16000099u);
  EXPECT_EQ(box.Name(), "框");
  EXPECT_EQ(box.Remark(), "remark text");
  EXPECT_EQ(box.PositionY(), 24u + 3u + 12u);  // "框" is two GBK bytes
  EXPECT_EQ(box.ObjectSlot(), 0u);
  EXPECT_EQ(box.Left(), -5);
  EXPECT_EQ(box.Top(), 7);
  EXPECT_EQ(box.Width(), 40000);
  EXPECT_EQ(box.Height(), 1);
  EXPECT_EQ(box.CursorSlot(), 0u);
  EXPECT_EQ(box.Parent(), 0x16000077u);
  EXPECT_EQ(box.Children(), (std::vector<uint32_t>{0x16000031, 0, 0x16000032}));
  auto pointer = box.MousePointer();
  ASSERT_TRUE(pointer);
  EXPECT_EQ(std::vector<uint8_t>(pointer->data, pointer->data + pointer->size),
            (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}));
  EXPECT_EQ(box.Tag(), "a longer tag text");
  EXPECT_EQ(box.Flags(), 6u);
  EXPECT_EQ(box.FocusOrder(), 3u);
  auto events = box.Events();
  ASSERT_TRUE(events);
  ASSERT_EQ(events->size(), 3u);
  EXPECT_EQ((*events)[0].event, -7);
  EXPECT_EQ((*events)[1].handler, 0x10u);
  EXPECT_EQ((*events)[2].handler, 0x20u);
  auto data = box.TypeData();
  ASSERT_TRUE(data);
  EXPECT_EQ(std::vector<uint8_t>(data->data, data->data + data->size), (std::vector<uint8_t>{2, 0, 0, 0, 9, 9}));
  EXPECT_EQ(*box.TypeDataPosition() + data->size, box.Length());
}

TEST(SegmentRoundTrip, MenuItemFieldsComeBack) {
  forms::WindowSet set = ReadSample();
  auto table = set.Find(kWinA)->Table();
  EXPECT_FALSE(table.IsMenuItem(0));
  EXPECT_FALSE(table.IsMenuItem(1));
  EXPECT_TRUE(table.IsMenuItem(2));
  EXPECT_FALSE(table.IsMenuItem(9));
  forms::MenuRecordView item = table.Menu(*table.ByIndex(2));
  EXPECT_EQ(item.TypeCode(), 0x00010003u);
  EXPECT_EQ(item.PositionY(), 24u + 2u + 2u);
  EXPECT_EQ(item.ShortcutKey(), 76u);
  EXPECT_EQ(item.Level(), 2u);
  EXPECT_EQ(item.Flags(), 5u);
  EXPECT_EQ(item.Caption(), "-");
  EXPECT_EQ(item.Handler(), 0u);
  EXPECT_EQ(item.RunTimeSlotsPosition(), *item.HandlerPosition() + 4);
  EXPECT_EQ(table.Menu(*table.ByIndex(3)).Caption(), "打开");
}

TEST(SegmentRoundTrip, RecordWithoutTypeDataHasAnEmptyBlock) {
  forms::WindowSet set = ReadSample();
  auto table = set.Find(kWinA)->Table();
  auto own = table.Unit(*table.ByIndex(0));
  ASSERT_TRUE(own.TypeData());
  EXPECT_EQ(own.TypeData()->size, 0u);
  EXPECT_EQ(own.Name(), "");
}

TEST(SegmentRoundTrip, LookupsFollowTheIdentifierRules) {
  forms::WindowSet set = ReadSample();
  auto table = set.Find(kWinA)->Table();
  EXPECT_EQ(table.ById(kOwnA)->index, 0u);
  EXPECT_EQ(table.ById(kItem2)->index, 3u);
  EXPECT_FALSE(table.ById(0x16000055));
  EXPECT_FALSE(table.ByIndex(4));
  // Serial number 0 or class 0: nothing, even when the list holds that very value.
  forms::WindowRecordSpec w;
  w.id = kWinA;
  w.records = {{0x16000000, forms::EncodeUnitRecord(SampleOwnRecord())},
               {0x10000005, forms::EncodeUnitRecord(SampleOwnRecord())}};
  auto bytes = forms::EncodeFormSegment({w});
  auto odd = forms::ReadFormSegment(bytes.data(), static_cast<uint32_t>(bytes.size()));
  ASSERT_TRUE(odd);
  auto oddTable = odd->windows[0].Table();
  EXPECT_FALSE(oddTable.ById(0x16000000));
  EXPECT_FALSE(oddTable.ById(0x10000005));
  EXPECT_TRUE(oddTable.ByIndex(1));
  EXPECT_FALSE(odd->IndexOf(0));
  EXPECT_FALSE(odd->IndexOf(0x50000011));  // class 0

  EXPECT_TRUE(forms::IsMenuItemId(0x26010006));
  EXPECT_FALSE(forms::IsMenuItemId(0x16010066));
  EXPECT_FALSE(forms::IsMenuItemId(0x25010006));  // kind 2 but class 5
  EXPECT_FALSE(forms::IsMenuItemId(0x06010000));
}

TEST(SegmentRoundTrip, RelocationTurnsOffsetsIntoCodeTableEntries) {
  forms::WindowSet set = ReadSample();
  static const void* const kTable[0x40 / 4 + 1] = {};  // 4 bytes an entry in the offsets
  const void* base = kTable;
  forms::RelocateHandlers(set, base);
  auto table = set.Find(kWinA)->Table();
  auto own = table.Unit(*table.ByIndex(0)).Events();
  ASSERT_TRUE(own);
  EXPECT_EQ((*own)[0].handler, 0u);  // -1: no handler
  EXPECT_EQ(forms::HandlerEntryOf((*own)[0].handler, base), nullptr);
  EXPECT_EQ(forms::HandlerEntryOf((*own)[1].handler, base), &kTable[0]);  // 0: the first subroutine
  auto box = table.Unit(*table.ByIndex(1)).Events();
  EXPECT_EQ(forms::HandlerEntryOf((*box)[0].handler, base), &kTable[0x40 / 4]);
  EXPECT_EQ(forms::HandlerEntryOf((*box)[2].handler, base), &kTable[0x20 / 4]);
  EXPECT_EQ((*box)[0].event, -7);            // the event numbers are left alone
  EXPECT_EQ(forms::HandlerEntryOf(*table.Menu(*table.ByIndex(2)).Handler(), base), &kTable[0]);
  EXPECT_EQ(forms::HandlerEntryOf(*table.Menu(*table.ByIndex(3)).Handler(), base), &kTable[0x1C / 4]);
  // The rest of the records is untouched.
  EXPECT_EQ(table.Unit(*table.ByIndex(1)).Tag(), "a longer tag text");
  EXPECT_EQ(table.Menu(*table.ByIndex(2)).ShortcutKey(), 76u);
  auto second = set.Find(kWinB)->Table();
  EXPECT_EQ(forms::HandlerEntryOf((*second.Unit(*second.ByIndex(0)).Events())[1].handler, base), &kTable[0]);
}

}  // namespace
