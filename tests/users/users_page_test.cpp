// The Users page: the list follows the sessions in place, the buttons follow the
// selection, and log-off, lock and message ask first and reach the system only
// through the fake.
#include "users/users_page.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/session_world.h"
#include "users/shutdown_menu.h"

using testing_support::SessionWorld;
using namespace users;
using Cells = std::vector<std::wstring>;

TEST(UsersPage, ListFollowsTheSessionsInPlace) {
  SessionWorld w;
  w.AddSession(0, L"alice");
  w.AddSession(65536, L"", platform::kSessionListen, L"RDP-Tcp");  // a listener: no user
  w.Tick();
  ASSERT_EQ(w.list.Count(), 1u);
  EXPECT_EQ(w.Row(0), (Cells{L"alice", L"0", L"Active", L"Console"}));

  // Refreshed in place: the item and its selection stay.
  w.list.SelectionFromView(0, true);
  w.system.sessions[0].state = platform::kSessionDisconnected;
  w.AddSession(2, L"bob", platform::kSessionActive, L"RDP-Tcp#7");
  w.Tick();
  ASSERT_EQ(w.list.Count(), 2u);
  EXPECT_EQ(w.Row(0), (Cells{L"alice", L"0", L"Disconnesso", L"Console"}));
  EXPECT_TRUE(w.list.Item(0).selected);
  EXPECT_EQ(w.Row(1), (Cells{L"bob", L"2", L"Active", L"RDP-Tcp#7"}));

  // Several quiet ticks change nothing.
  w.Tick();
  w.Tick();
  EXPECT_EQ(w.list.Count(), 2u);

  // Alice's session ends: bob's session moves up into her table row and keeps
  // his item; hers goes.
  w.EndSession(0);
  w.Tick();
  ASSERT_EQ(w.list.Count(), 1u);
  EXPECT_EQ(w.Row(0), (Cells{L"bob", L"2", L"Active", L"RDP-Tcp#7"}));

  // A new session written into a row that was listed before is added.
  w.EndSession(2);
  w.AddSession(3, L"carol", platform::kSessionActive, L"RDP-Tcp#8");
  w.Tick();
  ASSERT_EQ(w.list.Count(), 1u);
  EXPECT_EQ(w.Row(0), (Cells{L"carol", L"3", L"Active", L"RDP-Tcp#8"}));

  // The same user logging on again gets a new session and a new item.
  w.EndSession(3);
  w.AddSession(4, L"carol", platform::kSessionActive, L"RDP-Tcp#9");
  w.Tick();
  ASSERT_EQ(w.list.Count(), 1u);
  EXPECT_EQ(w.Row(0), (Cells{L"carol", L"4", L"Active", L"RDP-Tcp#9"}));
}

TEST(UsersPage, FailedEnumerationEmptiesTheListAndClosingStopsTheUpdate) {
  SessionWorld w;
  w.AddSession(0, L"alice");
  w.AddSession(1, L"bob");
  w.Tick();
  ASSERT_EQ(w.list.Count(), 2u);
  w.system.failSessionEnumeration = true;
  w.Tick();
  EXPECT_EQ(w.list.Count(), 0u);

  w.system.failSessionEnumeration = false;
  w.collector.CollectSessions();
  w.closing = true;
  w.page.UpdateUsersPage();
  EXPECT_EQ(w.list.Count(), 0u);
}

TEST(UsersPage, ButtonsFollowTheSelection) {
  SessionWorld w;
  w.AddSession(0, L"alice");
  w.AddSession(2, L"bob");
  w.Tick();

  w.SelectSession(0);
  UserButtons console = w.page.lv_UsersMouseDown();
  EXPECT_TRUE(console.logoff);
  EXPECT_TRUE(console.lock);
  EXPECT_TRUE(console.sendMessage);

  w.SelectSession(2);
  UserButtons other = w.page.lv_UsersMouseDown();
  EXPECT_TRUE(other.logoff);
  EXPECT_FALSE(other.lock);
  EXPECT_TRUE(other.sendMessage);

  w.SelectSession(-2);  // a click below the last row
  UserButtons none = w.page.lv_UsersMouseDown();
  EXPECT_FALSE(none.logoff);
  EXPECT_FALSE(none.lock);
  EXPECT_FALSE(none.sendMessage);
}

TEST(UsersPage, ConsoleIsTheActiveConsoleSessionNotSessionZero) {
  SessionWorld w;
  w.system.consoleSessionId = 1;
  w.AddSession(0, L"", platform::kSessionDisconnected, L"Services");
  w.AddSession(1, L"alice");  // attached to the console after a switch of user
  w.AddSession(2, L"bob", platform::kSessionActive, L"RDP-Tcp#0");
  w.Tick();
  ASSERT_EQ(w.list.Count(), 2u);
  EXPECT_EQ(w.Row(0), (Cells{L"alice", L"1", L"Active", L"Console"}));
  EXPECT_EQ(w.Row(1), (Cells{L"bob", L"2", L"Active", L"RDP-Tcp#0"}));

  w.SelectSession(1);
  EXPECT_TRUE(w.page.lv_UsersMouseDown().lock);
  w.page.btn_LockStationClick();  // the console's user is never logged off
  w.SelectSession(2);
  EXPECT_FALSE(w.page.lv_UsersMouseDown().lock);
  w.page.btn_LockStationClick();
  EXPECT_EQ(w.system.systemActions, (Cells{L"logoff 2"}));
}

TEST(UsersPage, LogoffOfTheConsoleAsksAndDoesNothing) {
  SessionWorld w;
  w.AddSession(0, L"alice");
  w.Tick();
  w.cycle.act_StartExecute();
  w.SelectSession(0);
  w.page.btn_LockStationClick();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[0].text, L"你确定要注销所选用户吗？");
  EXPECT_EQ(w.system.boxes[0].icon, platform::BoxIcon::kWarning);
  EXPECT_TRUE(w.system.systemActions.empty());
  EXPECT_TRUE(w.system.waits.empty());
  EXPECT_EQ(w.timer.starts, 1);  // the timer was never touched
}

TEST(UsersPage, LogoffOfAnotherSessionPausesTheRefreshAndAlwaysRestartsIt) {
  for (const bool succeeds : {true, false}) {
    SCOPED_TRACE(succeeds ? "log-off accepted" : "log-off refused");
    SessionWorld w;
    w.AddSession(0, L"alice");
    w.AddSession(2, L"bob");
    w.Tick();
    w.cycle.N16Click();  // paused by the user: restarted all the same
    ASSERT_FALSE(w.timer.running);
    w.system.systemActionsSucceed = succeeds;
    bool stoppedWhileWaiting = false;
    w.system.onWait = [&] { stoppedWhileWaiting = !w.timer.running && !w.cycle.TimerEnabled(); };
    w.SelectSession(2);
    w.page.btn_LockStationClick();
    EXPECT_EQ(w.system.systemActions, (Cells{L"logoff 2"}));
    EXPECT_EQ(w.system.waits, (std::vector<int>{2000}));
    EXPECT_TRUE(stoppedWhileWaiting);
    EXPECT_TRUE(w.timer.running);
    EXPECT_TRUE(w.cycle.TimerEnabled());
  }
}

TEST(UsersPage, LogoffAnsweredNoOrWithoutSelectionDoesNothing) {
  SessionWorld w;
  w.AddSession(2, L"bob");
  w.Tick();
  w.SelectSession(2);
  w.system.answerYes = false;
  w.page.btn_LockStationClick();
  w.system.answerYes = true;
  w.SelectSession(-2);
  w.page.btn_LockStationClick();
  EXPECT_EQ(w.system.boxes.size(), 2u);
  EXPECT_TRUE(w.system.systemActions.empty());
  EXPECT_TRUE(w.system.waits.empty());
}

TEST(UsersPage, LockAsksAndLocksWhicheverRowIsSelected) {
  SessionWorld w;
  w.AddSession(2, L"bob");
  w.Tick();
  w.SelectSession(2);
  w.system.answerYes = false;
  w.page.btn_LogoffClick();
  EXPECT_TRUE(w.system.systemActions.empty());
  w.system.answerYes = true;
  w.page.btn_LogoffClick();
  w.SelectSession(-2);
  w.page.btn_LogoffClick();
  EXPECT_EQ(w.system.systemActions, (Cells{L"lock", L"lock"}));
  ASSERT_EQ(w.system.boxes.size(), 3u);
  EXPECT_EQ(w.system.boxes[2].text, L"你确定要断开所选用户吗？");
  EXPECT_EQ(w.system.boxes[2].caption, L"系统提示");
}

// A box that could not be shown was answered by nobody: no session is logged
// off or locked, and the shut-down menu makes no call.
TEST(UsersPage, AConfirmationThatCouldNotBeShownIsNoYes) {
  SessionWorld w;
  w.AddSession(2, L"bob");
  w.Tick();
  w.SelectSession(2);
  w.system.boxesFail = true;
  w.page.btn_LockStationClick();
  w.page.btn_LogoffClick();
  ShutdownMenu menu(w.system, w.system, w.system, w.system);
  for (int tag = 0; tag < kShutdownTagCount; ++tag) menu.N27Click(tag);
  EXPECT_TRUE(w.system.systemActions.empty());
  EXPECT_TRUE(w.system.waits.empty());
}

TEST(UsersPage, MessageGoesToTheSessionSelectedWhenAsked) {
  struct Prompt : MessagePrompt {
    std::optional<OutgoingMessage> answer;
    std::vector<std::wstring> askedFor;
    std::function<void()> whileOpen;
    std::optional<OutgoingMessage> AskMessage(const std::wstring& user) override {
      askedFor.push_back(user);
      if (whileOpen) whileOpen();
      return answer;
    }
  } prompt;
  SessionWorld w;
  w.AddSession(0, L"alice");
  w.AddSession(2, L"bob");
  w.Tick();

  w.page.btn_SendMsgClick(prompt);  // nothing selected: no prompt
  EXPECT_TRUE(prompt.askedFor.empty());

  w.SelectSession(2);
  w.page.btn_SendMsgClick(prompt);  // cancelled
  EXPECT_TRUE(w.system.sentMessages.empty());

  // Bob's session ends while the prompt is open: the text still goes to session 2.
  prompt.answer = OutgoingMessage{L"系统提示", L"五分钟后重启"};
  prompt.whileOpen = [&] {
    w.EndSession(2);
    w.Tick();
  };
  w.page.btn_SendMsgClick(prompt);
  EXPECT_EQ(prompt.askedFor, (Cells{L"bob", L"bob"}));
  ASSERT_EQ(w.system.sentMessages.size(), 1u);
  EXPECT_EQ(w.system.sentMessages[0].sessionId, 2u);
  EXPECT_EQ(w.system.sentMessages[0].title, L"系统提示");
  EXPECT_EQ(w.system.sentMessages[0].text, L"五分钟后重启");
}
