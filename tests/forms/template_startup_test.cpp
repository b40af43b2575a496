// Start-up on template data: a segment that cannot be read ends the program with the fatal
// template error; the program's own segment is installed with its handlers relocated.
#include <gtest/gtest.h>

#include "app/app_ids.h"
#include "app/image/handler_slots.h"
#include "app/image/program_image.h"
#include "forms/form_segment_reader.h"
#include "forms/template_store.h"
#include "image_constants.h"
#include "modules/encoding/encoding_module.h"
#include "modules/listview/listview_module.h"
#include "modules/net/net_module.h"
#include "modules/regex/regex_module.h"
#include "modules/special/special_module.h"
#include "modules/thread/thread_module.h"
#include "runtime/core_module.h"
#include "runtime/startup.h"
#include "tests/support/error_capture.h"

namespace {

const ModuleDescriptor* const kModules[7] = {
    &kCoreLibDescriptor,     &kThreadLibDescriptor, &kUiExtLibDescriptor, &kNetLibDescriptor,
    &kEncodingLibDescriptor, &kRegexLibDescriptor,  &kSpecialLibDescriptor,
};

// One window in the index, but its record stops after value 1.
const uint8_t kCutForms[] = {8, 0, 0, 0, 1, 0, 1, 0x52, 0, 0, 0, 0, 0x10, 0x24, 0xED, 0x0A};
// A window whose unit table claims more bytes than the segment holds.
const uint8_t kLongTableForms[] = {8, 0, 0, 0, 1, 0, 1, 0x52, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0};

const uint8_t kRealForms[image::kFormSegmentSize] = {
#include "form_segment.inc"
};

// Headers lie in static storage, inside the exe image, like a real one.
const ImageHeader kCut = {3, 0, 0, &kAppCodeTable[1], nullptr, 0, kCutForms, sizeof kCutForms, 7, kModules, 0,
                          nullptr, nullptr};
const ImageHeader kLongTable = {3, 0, 0, &kAppCodeTable[1], nullptr, 0, kLongTableForms, sizeof kLongTableForms, 7,
                                kModules, 0, nullptr, nullptr};
const ImageHeader kReal = {3, 0, 0, &kAppCodeTable[1], nullptr, 0, kRealForms, sizeof kRealForms, 7, kModules, 0,
                           nullptr, nullptr};

TEST(TemplateStartUpDeath, ACutSegmentIsFatal) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        rt::RuntimeInit(&kCut);
      },
      ::testing::ExitedWithCode(-1), "runtime error 0: 载入窗口模板数据段出错!");
}

TEST(TemplateStartUpDeath, ATableLongerThanTheSegmentIsFatal) {
  EXPECT_EXIT(
      {
        testerr::PrintErrorsInsteadOfBox();
        rt::RuntimeInit(&kLongTable);
      },
      ::testing::ExitedWithCode(-1), "runtime error 0: 载入窗口模板数据段出错!");
}

TEST(TemplateStartUp, TheProgramSegmentIsInstalledAndRelocated) {
  rt::RuntimeInit(&kReal);
  EXPECT_EQ(rt::ServiceEntry()(svc::WindowCount, 0, 0), 3u);
  forms::WindowSet& set = forms::InstalledWindows();
  ASSERT_NE(set.Find(ids::kRangeWindow), nullptr);
  auto table = set.Find(ids::kRangeWindow)->Table();
  auto events = table.Unit(*table.ById(ids::kRangeOk)).Events();
  ASSERT_TRUE(events && events->size() == 1);
  auto handler = static_cast<const EventHandlerFn*>(forms::HandlerEntryOf((*events)[0].handler, forms::CodeBase()));
  // The relocated slot is the code table's entry of the range window's OK handler.
  EXPECT_EQ(handler, &kAppCodeTable[static_cast<uint32_t>(Handler::StartScan)]);
  ASSERT_NE(*handler, nullptr);
  // Types of the installed records resolve through the runtime's module list.
  const UnitTypeInfo* type = forms::UnitType(*table.Unit(*table.ById(ids::kRangeStartBox)).TypeCode());
  ASSERT_NE(type, nullptr);
  EXPECT_STREQ(type->englishName, "EditBox");
  EXPECT_EQ(forms::UnitType(0x00010002), nullptr);
}

}  // namespace
