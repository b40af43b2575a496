// Unit type codes through the real module list, and the shape of the type tables.
#include <gtest/gtest.h>

#include "forms/unit_types.h"
#include "modules/encoding/encoding_module.h"
#include "modules/listview/listview_module.h"
#include "modules/net/net_module.h"
#include "modules/regex/regex_module.h"
#include "modules/special/special_module.h"
#include "modules/thread/thread_module.h"
#include "runtime/core_module.h"

namespace {

const ModuleDescriptor* const kModules[7] = {
    &kCoreLibDescriptor,     &kThreadLibDescriptor, &kUiExtLibDescriptor, &kNetLibDescriptor,
    &kEncodingLibDescriptor, &kRegexLibDescriptor,  &kSpecialLibDescriptor,
};

const UnitTypeInfo* Type(uint32_t code) { return forms::LookupUnitType(code, kModules, 7); }

TEST(UnitTypes, CodesSelectModuleAndSlot) {
  ASSERT_NE(Type(tc::EditBox), nullptr);
  EXPECT_STREQ(Type(tc::EditBox)->englishName, "EditBox");
  EXPECT_STREQ(Type(tc::ListView)->englishName, "ListView");
  EXPECT_STREQ(Type(tc::Regex)->englishName, "regex");
  EXPECT_EQ(Type(0x00010002), nullptr);  // an empty slot keeps its number but is no type
  EXPECT_EQ(Type(0x00010034), nullptr);  // past the 51 slots
  EXPECT_EQ(Type(0x00030001), nullptr);
  EXPECT_EQ(Type(0x00020001), nullptr);  // the thread module has no type table
  EXPECT_EQ(Type(0x00080001), nullptr);  // past the module list
  EXPECT_EQ(Type(0x00000001), nullptr);
  EXPECT_EQ(Type(0x00010000), nullptr);
  const ModuleDescriptor* const withHole[1] = {nullptr};
  EXPECT_EQ(forms::LookupUnitType(0x00010001, withHole, 1), nullptr);
}

struct Expected {
  TypeCode code;
  uint32_t flags;
  uint32_t properties;
};

TEST(UnitTypes, StateFlagsAndPropertyTables) {
  const Expected expected[] = {
      {tc::Window, 0x800000D0, 32},    {tc::Menu, 0x80000004, 4},        {tc::EditBox, 0x80000040, 29},
      {tc::Label, 0x84012040, 29},     {tc::Button, 0x80000840, 14},     {tc::ProcessBar, 0x84010040, 14},
      {tc::CommonDlg, 0x80008040, 30}, {tc::ListView, 0x00000040, 39},
  };
  const uint32_t common[8] = {1001, 1001, 1001, 1001, 1005, 1003, 1003, 1011};
  for (const Expected& e : expected) {
    const UnitTypeInfo* t = Type(e.code);
    ASSERT_NE(t, nullptr) << std::hex << e.code;
    EXPECT_EQ(t->stateFlags, e.flags) << t->englishName;
    ASSERT_EQ(t->propertyCount, e.properties) << t->englishName;
    ASSERT_NE(t->properties, nullptr) << t->englishName;
    bool menu = e.code == tc::Menu;
    for (uint32_t p = 0; p < t->propertyCount; ++p) {
      uint32_t type = t->properties[p].dataType;
      uint32_t kind = type & 0xFFFF;
      EXPECT_TRUE(kind >= 1000 && kind <= 1024) << t->englishName << " property " << p;
      if (!menu && p < 8) {
        EXPECT_EQ(type, 0xE0000000 | common[p]) << t->englishName << " property " << p;
      } else {
        EXPECT_TRUE((type & 0xFFFF0000) == 0x80000000 || (type & 0xFFFF0000) == 0x80010000)
            << t->englishName << " property " << p;
      }
    }
  }
  EXPECT_EQ(Type(tc::ComObject)->stateFlags, 0x80000000u);
  EXPECT_EQ(Type(tc::SearchResult)->stateFlags, 0xE0000000u);
}

TEST(UnitTypes, PropertyKindsTheProgramRelies) {
  // Edit box content (8), label caption (8), progress position (13), dialog file name (10),
  // list view selected row (35).
  EXPECT_EQ(Type(tc::EditBox)->properties[8].dataType & 0xFFFF, 1005u);
  EXPECT_EQ(Type(tc::Label)->properties[8].dataType & 0xFFFF, 1005u);
  EXPECT_EQ(Type(tc::ProcessBar)->properties[13].dataType & 0xFFFF, 1001u);
  EXPECT_EQ(Type(tc::CommonDlg)->properties[10].dataType & 0xFFFF, 1005u);
  EXPECT_EQ(Type(tc::ListView)->properties[35].dataType & 0xFFFF, 1001u);
  EXPECT_EQ(Type(tc::ListView)->properties[8 + 9].dataType & 0xFFFF, 1024u);  // columns
}

}  // namespace
