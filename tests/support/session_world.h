// The session collector and the Users page wired to the fake system and a fake
// timer, as the main window wires them to the real ones.
#pragma once
#include "app/refresh_cycle.h"
#include "app/update_messages.h"
#include "platform/fake/fake_system.h"
#include "ui/list_model.h"
#include "users/session_collector.h"
#include "users/users_page.h"

namespace testing_support {

struct FakeTimer : app::TimerControl {
  bool running = false;
  int starts = 0;
  void StartTimer(int) override {
    running = true;
    ++starts;
  }
  void StopTimer() override { running = false; }
};

struct SessionWorld {
  platform::fake::FakeSystem system;
  FakeTimer timer;
  app::RefreshCycle cycle{timer, system};
  users::SessionTable table;
  ui::ListModel list;
  bool closing = false;
  users::SessionCollector collector{system, {system, app::kUpdateSessions}, table};
  users::UsersPage page{table, list, system, system, cycle, system, closing};

  platform::fake::FakeSession& AddSession(std::uint32_t id, const std::wstring& user,
                                          std::uint32_t state = platform::kSessionActive,
                                          const std::wstring& station = L"") {
    system.sessions.push_back({id, station, state, user, 0});
    return system.sessions.back();
  }
  void EndSession(std::uint32_t id) {
    std::erase_if(system.sessions, [id](const auto& s) { return s.id == id; });
  }
  // One refresh tick and the page's handling of the update it posted.
  void Tick() {
    collector.CollectSessions();
    page.UpdateUsersPage();
  }
  std::vector<std::wstring> Row(std::size_t index) const {
    std::vector<std::wstring> cells;
    for (std::size_t c = 0; c < users::kUserColumnCount; ++c) cells.push_back(list.Text(index, c));
    return cells;
  }
  void SelectSession(std::int64_t id) {
    for (std::size_t i = 0; i < list.Count(); ++i) list.SelectionFromView(i, list.Item(i).key == id);
  }
};

}  // namespace testing_support
