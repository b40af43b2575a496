// The error box's text and the hook.
#include <gtest/gtest.h>

#include "runtime/runtime_error.h"
#include "tests/support/test_image.h"

namespace {

TEST(ErrorText, CodeAndMessageLinesOnlyWhenPresent) {
  EXPECT_EQ(rt::ComposeErrorText(rt::ErrorTableMessage(4), 4),
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n");
  EXPECT_EQ(rt::ComposeErrorText("载入启动窗口失败", 0), "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(rt::ComposeErrorText("", 0), "运行时出错!\r\n\r\n");
  EXPECT_EQ(rt::ComposeErrorText(nullptr, -5), "运行时出错!\r\n\r\n错误代码：-5\r\n\r\n");
}

TEST(ErrorText, TableHasElevenMessages) {
  EXPECT_EQ(rt::ErrorTableMessage(0), nullptr);
  EXPECT_STREQ(rt::ErrorTableMessage(1), "数组成员引用下标超出定义范围");
  EXPECT_STREQ(rt::ErrorTableMessage(11), "所提供参数的数据类型不符合要求");
  EXPECT_EQ(rt::ErrorTableMessage(12), nullptr);
}

TEST(ErrorHookDeath, HandledErrorsStillEndWithMinusOneAndNestedOnesSkipTheHook) {
  EXPECT_EXIT(
      {
        testimg::InitRuntime();
        rt::SetErrorHook([](int32_t, const char*) -> uint32_t { return 1; });
        rt::ReportRuntimeError("quiet", 0);
      },
      ::testing::ExitedWithCode(-1), "");
}

}  // namespace
