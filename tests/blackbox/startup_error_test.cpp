// The shipped program as a user starts it: with no start-up window in its image yet it shows
// the runtime error box and ends with exit code -1 once the box is answered.
#include <gtest/gtest.h>

#include "tests/blackbox/driver/driver.h"

namespace {

TEST(StartupBlackBox, MissingStartupWindowShowsTheErrorBoxThenExitsMinusOne) {
  driver::Program program(driver::ShippedExe());
  ASSERT_TRUE(program.started()) << driver::ShippedExe();
  HWND box = program.WaitForMessageBox(20000);
  ASSERT_NE(box, nullptr) << "no message box appeared";
  EXPECT_EQ(driver::WindowText(box), "错误");
  EXPECT_EQ(driver::MessageBoxText(box), "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(driver::MessageBoxButtons(box), std::vector<std::string>{"确定"});
  EXPECT_EQ(program.WaitForExit(300), STILL_ACTIVE) << "the program must wait for the answer";
  driver::Answer(box, IDOK);
  EXPECT_EQ(program.WaitForExit(20000), 0xFFFFFFFFu);
}

}  // namespace
