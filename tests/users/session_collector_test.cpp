// The session collector: the words for each state, the shadow text, one user-name
// query per session and tick, and a table that follows the sessions exactly.
#include "users/session_collector.h"

#include <gtest/gtest.h>

#include "app/update_messages.h"
#include "tests/support/session_world.h"

using testing_support::SessionWorld;
using namespace users;

TEST(SessionCollector, StateWordsForEveryState) {
  const std::vector<std::pair<std::uint32_t, std::wstring>> words = {
      {0, L"Active"}, {1, L""},     {2, L"ConnectQuery"}, {3, L"RDP-Tcp#5 shadow"},
      {4, L"Disconnesso"}, {5, L"Idle"}, {6, L"RDP-Tcp"}, {7, L"Reset"},
      {8, L"Down"}, {9, L"Init"}, {10, L""}, {0xFFFFFFFF, L""}};
  for (const auto& [state, word] : words)
    EXPECT_EQ(SessionStateText(state, L"RDP-Tcp#5"), word) << "state " << state;
}

TEST(SessionCollector, ConnectedSessionAfterAnotherGetsAnEmptyStateNotThePreviousOne) {
  SessionWorld w;
  w.AddSession(0, L"alice");
  w.AddSession(3, L"bob", platform::kSessionConnected, L"RDP-Tcp#1");
  w.AddSession(4, L"carol", platform::kSessionShadow, L"RDP-Tcp#2");
  w.Tick();
  ASSERT_EQ(w.table.Count(), 3u);
  EXPECT_EQ(w.table.Row(0).StateText, L"Active");
  EXPECT_EQ(w.table.Row(1).StateText, L"");
  EXPECT_EQ(w.table.Row(2).StateText, L"RDP-Tcp#2 shadow");
  EXPECT_EQ(w.table.Row(0).SessionName, L"Console");
  EXPECT_EQ(w.table.Row(1).SessionName, L"RDP-Tcp#1");
}

TEST(SessionCollector, UserNameIsAskedOncePerSessionPerTick) {
  SessionWorld w;
  w.AddSession(0, L"", platform::kSessionDisconnected, L"Services");
  w.AddSession(1, L"late").emptyAnswers = 1;  // not reporting its user yet
  w.AddSession(65536, L"", platform::kSessionListen, L"RDP-Tcp");
  w.Tick();
  EXPECT_EQ(w.system.userNameQueries, 3);
  ASSERT_EQ(w.table.Count(), 3u);
  EXPECT_EQ(w.table.Row(1).UserName, L"");
  EXPECT_EQ(w.table.Row(2).SessionId, 65536);
  EXPECT_EQ(w.list.Count(), 0u);

  // The late user turns up at the next tick; the others stay without one.
  w.Tick();
  EXPECT_EQ(w.system.userNameQueries, 6);
  ASSERT_EQ(w.list.Count(), 1u);
  EXPECT_EQ(w.list.Item(0).caption, L"late");
}

TEST(SessionCollector, FailedEnumerationLeavesNoRowsAndStillPosts) {
  SessionWorld w;
  w.AddSession(0, L"alice");
  w.AddSession(2, L"bob");
  w.collector.CollectSessions();
  ASSERT_EQ(w.table.Count(), 2u);
  w.system.failSessionEnumeration = true;
  w.collector.CollectSessions();
  EXPECT_EQ(w.table.Count(), 0u);
  EXPECT_EQ(w.system.posted,
            (std::vector<std::uint32_t>{app::kUpdateSessions, app::kUpdateSessions}));
}

TEST(SessionCollector, TableHoldsEverySessionAndDropsTheRowsOfEndedOnes) {
  SessionWorld w;
  for (std::uint32_t id = 0; id < 150; ++id) w.AddSession(id, L"u" + std::to_wstring(id));
  w.collector.CollectSessions();
  ASSERT_EQ(w.table.Count(), 150u);
  EXPECT_EQ(w.table.Row(149).SessionId, 149);
  w.system.sessions.resize(2);
  w.collector.CollectSessions();
  EXPECT_EQ(w.table.Count(), 2u);
}
