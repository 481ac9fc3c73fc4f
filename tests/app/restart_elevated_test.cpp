// "以管理员身份重新启动(&R)": offered only without an elevated token; it starts the
// program's own executable with "runas" and closes this instance only when the
// new one has started.
#include "app/restart_elevated.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_system.h"

using app::RestartElevated;

namespace {

struct Restart {
  platform::fake::FakeSystem system;
  int closes = 0;
  RestartElevated restart{system, system, [this] { ++closes; }};
};

}  // namespace

TEST(RestartElevated, OfferedOnlyWhileTheTokenIsNotElevated) {
  Restart r;
  r.system.tokenElevated = true;
  EXPECT_FALSE(r.restart.Offered());
  r.system.tokenElevated = false;
  EXPECT_TRUE(r.restart.Offered());
}

TEST(RestartElevated, StartsItsOwnPathAsAdministratorThenCloses) {
  Restart r;
  r.system.tokenElevated = false;
  r.restart.Execute();
  ASSERT_EQ(r.system.shellCalls.size(), 1u);
  EXPECT_EQ(r.system.shellCalls[0].verb, L"runas");
  EXPECT_EQ(r.system.shellCalls[0].file, L"C:\\Program Files\\Zentrik\\zentrik.exe");
  EXPECT_EQ(r.system.shellCalls[0].parameters, L"");
  EXPECT_EQ(r.closes, 1);
}

TEST(RestartElevated, RefusedPromptOrFailedStartKeepsThisInstanceAsItWas) {
  Restart r;
  r.system.consentGiven = false;
  r.restart.Execute();
  EXPECT_EQ(r.system.shellCalls.size(), 1u);
  r.system.consentGiven = true;
  r.system.shellAccepts = false;
  r.restart.Execute();
  r.system.programPath.clear();  // its own path unknown: nothing to start
  r.restart.Execute();
  EXPECT_EQ(r.system.shellCalls.size(), 2u);
  EXPECT_EQ(r.closes, 0);
  EXPECT_TRUE(r.system.boxes.empty());
}
