// The Create New Task dialog's rules: when "确定" may be pressed, and that the
// name reaches the shell exactly as typed.
#include "app/new_task.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_system.h"

TEST(NewTask, OkNeedsOneCharacterAboveTheSpace) {
  EXPECT_FALSE(app::TaskNameAcceptable(L""));
  EXPECT_FALSE(app::TaskNameAcceptable(L"    "));
  EXPECT_FALSE(app::TaskNameAcceptable(L" \t\r\n"));
  EXPECT_TRUE(app::TaskNameAcceptable(L"  x  "));
  EXPECT_TRUE(app::TaskNameAcceptable(L"记事本"));
}

TEST(NewTask, NameGoesToTheShellWholeWithItsLeadingSpaces) {
  platform::fake::FakeSystem system;
  system.shellAccepts = false;  // a refusal is the shell's to show
  app::RunNewTask(system, L"  notepad.exe C:\\a b.txt");
  ASSERT_EQ(system.shellCalls.size(), 1u);
  EXPECT_EQ(system.shellCalls[0].verb, L"Open");
  EXPECT_EQ(system.shellCalls[0].file, L"  notepad.exe C:\\a b.txt");
  EXPECT_EQ(system.shellCalls[0].parameters, L"");
  EXPECT_TRUE(system.boxes.empty());
}
