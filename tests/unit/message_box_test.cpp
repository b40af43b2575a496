// ShowMessageBox in a real box, answered by a watcher thread as a user would.
#include <gtest/gtest.h>

#include "runtime/commands/core_commands.h"
#include "runtime/interface_table.h"
#include "tests/support/box_watcher.h"
#include "tests/support/test_image.h"

namespace {

int32_t Show(std::vector<CmdArg> args) {
  return static_cast<int32_t>(
      rt::kInterfaceTable.callCoreCommand(kCoreCommands[core::ShowMessageBox], static_cast<int32_t>(args.size()), args.data())
          .lo);
}

class ShowMessageBoxCommand : public ::testing::Test {
 protected:
  void SetUp() override { testimg::InitRuntime(); }
};

TEST_F(ShowMessageBoxCommand, OkCancelAnswersAndTheDefaultTitle) {
  {
    testbox::Watcher w(IDOK);
    EXPECT_EQ(Show({MakeText("请输入合适的范围！"), MakeInt(MB_OKCANCEL)}), 0);
    testbox::Seen seen = w.Result();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "信息：");
    EXPECT_EQ(seen.text, "请输入合适的范围！");
  }
  {
    testbox::Watcher w(IDCANCEL);
    EXPECT_EQ(Show({MakeText("x"), MakeInt(MB_OKCANCEL), MakeText("完成！")}), 1);
    EXPECT_EQ(w.Result().caption, "完成！");
  }
  {
    testbox::Watcher w(0, /*useEscape=*/true);
    EXPECT_EQ(Show({MakeText("x"), MakeInt(MB_OKCANCEL)}), 1);
    EXPECT_TRUE(w.Result().found);
  }
  {
    testbox::Watcher w(IDNO);
    EXPECT_EQ(Show({MakeText("x"), MakeInt(MB_YESNO)}), 6);
  }
}

TEST_F(ShowMessageBoxCommand, ContentOfEveryKind) {
  struct Case {
    CmdArg content;
    const char* shown;
  } cases[] = {
      {MakeDouble(0.5), "0.5"},
      {MakeInt(-3), "-3"},
      {MakeLogical(true), "真"},
      {MakeDateTime(0.5), "1899年12月30日12时"},
      {MakePtr(nullptr, tc::ByteArray), ""},
  };
  for (const Case& c : cases) {
    testbox::Watcher w(IDOK);
    Show({c.content, MakeInt(0)});
    EXPECT_EQ(w.Result().text, c.shown);
  }
}

}  // namespace
