// Fills the session table from one enumeration of the local sessions per tick
// and posts the Users page's update. Each session's user is asked for once per
// tick: the services session and the listeners never have one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/session_api.h"
#include "ui/update_notice.h"
#include "users/session_table.h"

namespace users {

// The word shown for a connection state; a shadowed session shows its window
// station followed by " shadow".
std::wstring SessionStateText(std::uint32_t state, const std::wstring& windowStation);

class SessionCollector {
 public:
  SessionCollector(platform::SessionApi& sessions, ui::UpdateNotice notice,
                   SessionTable& table);

  // One tick: rows 0 .. count - 1 describe the current sessions, unlisted; a
  // failed enumeration leaves no rows. The update is posted in every case.
  void CollectSessions();

 private:
  platform::SessionApi& sessions_;
  ui::UpdateNotice notice_;
  SessionTable& table_;
  std::vector<platform::SessionEntry> entries_;  // reused from tick to tick
};

}  // namespace users
