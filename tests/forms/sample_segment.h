// A small two-window segment with unusual records: texts in the window header, a container
// with pages, custom pointer data, unsorted events, named menu items and type-specific data.
#pragma once
#include "forms/form_segment_writer.h"

namespace testforms {

constexpr uint32_t kWinA = 0x52000011, kWinB = 0x52000022;
constexpr uint32_t kOwnA = 0x06000010, kBox = 0x16000012, kItem = 0x26000013, kItem2 = 0x26000014;

inline forms::UnitRecordSpec SampleOwnRecord() {
  forms::UnitRecordSpec own;
  own.typeCode = 0x00010001;
  own.left = 10, own.top = 20, own.width = 300, own.height = 200;
  own.flags = 1;
  own.events = {{0, 0xFFFFFFFFu}, {2, 0}};
  return own;
}

inline forms::UnitRecordSpec SampleBox() {
  forms::UnitRecordSpec box;
  box.typeCode = 0x00010005;
  box.eventSourceLink = 0x16000099;
  box.name = "框";
  box.remark = "remark text";
  box.left = -5, box.top = 7, box.width = 40000, box.height = 1;
  box.parent = 0x16000077;
  box.children = {0x16000031, 0, 0x16000032};
  box.mousePointer = {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4};
  box.tag = "a longer tag text";
  box.flags = 6;
  box.focusOrder = 3;
  box.events = {{-7, 0x40}, {5, 0x10}, {5, 0x20}};
  box.typeData = {2, 0, 0, 0, 9, 9};
  return box;
}

inline forms::MenuRecordSpec SampleItem() {
  forms::MenuRecordSpec item;
  item.shortcutKey = 76;
  item.level = 2;
  item.flags = 5;
  item.caption = "-";
  item.handler = 0;
  item.name = "n";
  item.remark = "r";
  return item;
}

inline std::vector<forms::WindowRecordSpec> SampleWindows() {
  forms::WindowRecordSpec a;
  a.id = kWinA;
  a.value1 = 0x11111111;
  a.value2 = 0x22222222;
  a.text1 = std::string("t\0one", 5);
  a.text2 = "two";
  forms::MenuRecordSpec item2;
  item2.caption = "打开";
  item2.handler = 0x1C;
  a.records = {{kOwnA, forms::EncodeUnitRecord(SampleOwnRecord())},
               {kBox, forms::EncodeUnitRecord(SampleBox())},
               {kItem, forms::EncodeMenuRecord(SampleItem())},
               {kItem2, forms::EncodeMenuRecord(item2)}};
  forms::WindowRecordSpec b;
  b.id = kWinB;
  b.records = {{0x06000021, forms::EncodeUnitRecord(SampleOwnRecord())}};
  return {a, b};
}

}  // namespace testforms
