// Malformed segments: the reader refuses them without reading a byte past the end, whatever the
// lengths inside claim. Segments lie against an inaccessible page, so a stray read faults.
#include <gtest/gtest.h>

#include "forms/byte_writer.h"
#include "forms/form_segment_reader.h"
#include "forms/form_segment_writer.h"
#include "tests/forms/guarded_bytes.h"
#include "tests/forms/sample_segment.h"

namespace {
using namespace testforms;

std::optional<forms::WindowSet> ReadGuarded(const std::vector<uint8_t>& bytes) {
  GuardedBytes guarded(bytes);
  return forms::ReadFormSegment(guarded.data(), guarded.size());
}

void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> OneWindow(const std::vector<forms::TableEntry>& records) {
  forms::WindowRecordSpec w;
  w.id = kWinA;
  w.records = records;
  return forms::EncodeFormSegment({w});
}
// index (4 + 8), value 1, value 2, text 1 length, text 2 length, unit count, table length, table.
constexpr size_t kUnitCountAt = 12 + 8 + 4 + 4, kTableLengthAt = kUnitCountAt + 4, kTableAt = kTableLengthAt + 4;

TEST(MalformedSegmentDeath, TheGuardPageFaultsOnAReadPastTheEnd) {
  GuardedBytes g({1, 2, 3});
  EXPECT_EQ(g.data()[2], 3);
  EXPECT_DEATH({ volatile uint8_t past = g.data()[3]; (void)past; }, "");
}

TEST(MalformedSegment, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
  auto full = forms::EncodeFormSegment(SampleWindows());
  ASSERT_TRUE(ReadGuarded(full));
  for (size_t cut = 0; cut < full.size(); ++cut) {
    std::vector<uint8_t> part(full.begin(), full.begin() + cut);
    EXPECT_FALSE(ReadGuarded(part)) << "cut at " << cut;
  }
}

TEST(MalformedSegment, LengthsPastTheEndAreRefused) {
  auto good = OneWindow({{kOwnA, forms::EncodeUnitRecord(SampleOwnRecord())}});
  ASSERT_TRUE(ReadGuarded(good));
  auto bad = good;
  Put(bad, 0, 0xFFFFFFF8);  // the window index
  EXPECT_FALSE(ReadGuarded(bad));
  bad = good;
  Put(bad, 20, 0x7FFFFFFF);  // text 1
  EXPECT_FALSE(ReadGuarded(bad));
  bad = good;
  Put(bad, 24, 0xFFFFFFFF);  // text 2
  EXPECT_FALSE(ReadGuarded(bad));
  bad = good;
  Put(bad, kTableLengthAt, static_cast<uint32_t>(bad.size()));  // unit table
  EXPECT_FALSE(ReadGuarded(bad));
  bad = good;
  Put(bad, kUnitCountAt, 0x20000001);  // 8 × count wraps in 32 bits
  EXPECT_FALSE(ReadGuarded(bad));
  bad = good;
  Put(bad, kUnitCountAt, 2);  // more records than the table holds
  EXPECT_FALSE(ReadGuarded(bad));
  bad = good;
  Put(bad, kTableAt + 4, 0xFFFFFFF0);  // record offset
  EXPECT_FALSE(ReadGuarded(bad));
  bad = good;
  Put(bad, kTableAt + 8, 0xFFFFFFFF);  // record length
  EXPECT_FALSE(ReadGuarded(bad));
}

TEST(MalformedSegment, RecordsThatCannotBeWalkedToTheirHandlersAreRefused) {
  auto own = forms::EncodeUnitRecord(SampleOwnRecord());
  // Own record: name at 24, remark 25, Y = 26; child count at Y + 28, M at Y + 32, tag at Y + 40,
  // Z = Y + 41, event count at Z + 12.
  const size_t y = 26, z = y + 41;
  auto mutate = [&](size_t at, uint32_t v) {
    auto r = own;
    Put(r, at, v);
    return OneWindow({{kOwnA, r}});
  };
  EXPECT_FALSE(ReadGuarded(mutate(y + 28, 0x40000000)));  // child count: 4 × K wraps
  EXPECT_FALSE(ReadGuarded(mutate(y + 28, 1000)));
  EXPECT_FALSE(ReadGuarded(mutate(y + 32, 0xFFFFFFFE)));  // mouse pointer length
  EXPECT_FALSE(ReadGuarded(mutate(z + 12, 0x20000000)));  // event count: 8 × E wraps
  EXPECT_FALSE(ReadGuarded(mutate(z + 12, 5)));  // pairs past the reserved dwords
  // No terminating zero for the name anywhere in the record.
  std::vector<uint8_t> unterminated(own.begin(), own.begin() + 24);
  unterminated.insert(unterminated.end(), 8, 'x');
  EXPECT_FALSE(ReadGuarded(OneWindow({{kOwnA, unterminated}})));
  // A menu item whose caption runs to the end of its record.
  forms::MenuRecordSpec item;
  item.caption = "caption";
  auto menu = forms::EncodeMenuRecord(item);
  menu.resize(24 + 2 + 12 + 7);
  EXPECT_FALSE(ReadGuarded(OneWindow({{kOwnA, own}, {kItem, menu}})));
  // A menu item whose click handler is cut short.
  auto cut = forms::EncodeMenuRecord(item);
  cut.resize(24 + 2 + 12 + 8 + 2);  // handler cut short
  EXPECT_FALSE(ReadGuarded(OneWindow({{kOwnA, own}, {kItem, cut}})));
}

TEST(MalformedSegment, WalkersStayInsideEveryTruncatedRecord) {
  auto unit = forms::EncodeUnitRecord(SampleBox());
  auto menu = forms::EncodeMenuRecord(SampleItem());
  for (size_t cut = 0; cut <= unit.size(); ++cut) {
    GuardedBytes g(std::vector<uint8_t>(unit.begin(), unit.begin() + cut));
    forms::UnitRecordView v(g.data(), g.size());
    // Each accessor either answers or refuses; none may fault.
    (void)v.TypeCode(), (void)v.Name(), (void)v.Remark(), (void)v.Left(), (void)v.Height();
    (void)v.Children(), (void)v.MousePointer(), (void)v.Tag(), (void)v.Flags(), (void)v.FocusOrder();
    (void)v.Events(), (void)v.TypeData();
    bool whole = v.Events().has_value();
    EXPECT_EQ(whole, cut >= unit.size() - 20 - 6) << "cut at " << cut;
  }
  for (size_t cut = 0; cut <= menu.size(); ++cut) {
    GuardedBytes g(std::vector<uint8_t>(menu.begin(), menu.begin() + cut));
    forms::MenuRecordView v(g.data(), g.size());
    (void)v.ShortcutKey(), (void)v.Level(), (void)v.Flags(), (void)v.Caption(), (void)v.RunTimeSlotsPosition();
    EXPECT_EQ(v.Handler().has_value(), cut >= menu.size() - 16) << "cut at " << cut;
  }
}

TEST(MalformedSegment, ZeroWindows) {
  std::vector<uint8_t> empty = {0, 0, 0, 0};
  auto set = ReadGuarded(empty);
  ASSERT_TRUE(set);
  EXPECT_EQ(set->Count(), 0u);
  EXPECT_EQ(set->Find(0x52010001), nullptr);
  // An index shorter than one window (4 bytes) is read and yields no window either.
  std::vector<uint8_t> shortIndex = {4, 0, 0, 0, 1, 2, 3, 4};
  auto none = ReadGuarded(shortIndex);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->Count(), 0u);
  EXPECT_FALSE(ReadGuarded({}));
}

TEST(MalformedSegment, ATableWithoutRecordsIsSound) {
  auto set = ReadGuarded(OneWindow({}));
  ASSERT_TRUE(set);
  EXPECT_EQ(set->windows[0].unitCount, 0u);
  EXPECT_FALSE(set->windows[0].Table().ByIndex(0));
  EXPECT_FALSE(set->windows[0].Table().ById(kOwnA));
}

}  // namespace
