// The shut-down menu: one confirmation text per item, No calls nothing, Yes
// enables the shut-down privilege and then makes the item's one call (recorded
// by the fake, never made), and a refusal is shown in the system's words.
#include "users/shutdown_menu.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_system.h"

using namespace users;
using Actions = std::vector<std::wstring>;

TEST(ShutdownMenu, ConfirmationTextPerTag) {
  const Actions texts = {L"你确定要待机吗？", L"你确定要休眠吗？", L"你确定要关机吗？",
                         L"你确定要重启吗？", L"你确定要注销吗？", L"你确定要切换用户吗？"};
  for (int tag = 0; tag < kShutdownTagCount; ++tag)
    EXPECT_EQ(ShutdownMenu::ConfirmText(tag), texts[tag]) << "tag " << tag;
  EXPECT_EQ(ShutdownMenu::ConfirmText(6), L"");
  EXPECT_EQ(ShutdownMenu::ConfirmText(-1), L"");
}

TEST(ShutdownMenu, AnsweringNoCallsNothing) {
  for (int tag = 0; tag < kShutdownTagCount; ++tag) {
    platform::fake::FakeSystem system;
    ShutdownMenu menu(system, system, system, system);
    system.answerYes = false;
    menu.N27Click(tag);
    ASSERT_EQ(system.boxes.size(), 1u);
    EXPECT_EQ(system.boxes[0].caption, L"系统提示");
    EXPECT_EQ(system.boxes[0].text, ShutdownMenu::ConfirmText(tag));
    EXPECT_EQ(system.boxes[0].icon, platform::BoxIcon::kQuestion);
    EXPECT_TRUE(system.systemActions.empty()) << "tag " << tag;
  }
}

TEST(ShutdownMenu, YesEnablesThePrivilegeThenMakesTheItemsCall) {
  // Exits record a planned reason (0x80000000), never the unplanned 0.
  const std::vector<std::wstring> calls = {L"standby", L"hibernate", L"exit 1 2147483648",
                                           L"exit 2 2147483648", L"exit 0 2147483648", L"lock"};
  for (int tag = 0; tag < kShutdownTagCount; ++tag) {
    platform::fake::FakeSystem system;
    ShutdownMenu menu(system, system, system, system);
    menu.N27Click(tag);
    EXPECT_EQ(system.systemActions, (Actions{L"privilege SeShutdownPrivilege", calls[tag]}))
        << "tag " << tag;
    EXPECT_EQ(system.boxes.size(), 1u);  // the question only
  }
}

TEST(ShutdownMenu, RefusedCallShowsTheSystemsTextWithTheErrorIcon) {
  for (int tag = 0; tag < kShutdownTagCount; ++tag) {
    platform::fake::FakeSystem system;
    system.systemActionsSucceed = false;
    system.refusalText = L"系统不支持所请求的电源状态。";
    ShutdownMenu(system, system, system, system).N27Click(tag);
    ASSERT_EQ(system.boxes.size(), 2u) << "tag " << tag;
    EXPECT_EQ(system.boxes[1].caption, L"系统提示");
    EXPECT_EQ(system.boxes[1].text, system.refusalText);
    EXPECT_EQ(system.boxes[1].icon, platform::BoxIcon::kError);
    EXPECT_FALSE(system.boxes[1].question);
  }
}

TEST(ShutdownMenu, OnlyTheTagsLowByteCountsAndUnknownTagsDoNothing) {
  platform::fake::FakeSystem system;
  ShutdownMenu menu(system, system, system, system);
  menu.N27Click(0x100 + kRestart);
  EXPECT_EQ(system.systemActions,
            (Actions{L"privilege SeShutdownPrivilege", L"exit 2 2147483648"}));
  system.systemActions.clear();
  menu.N27Click(6);
  menu.ShutdownAction(-1);
  EXPECT_TRUE(system.systemActions.empty());
  EXPECT_EQ(system.boxes.size(), 1u);
}
