// The session collector: enumeration, user names, the console's name, state words.
#include "users/session_collector.h"


namespace users {

std::wstring SessionStateText(std::uint32_t state, const std::wstring& windowStation) {
  switch (state) {
    case platform::kSessionActive: return L"Active";
    case platform::kSessionConnectQuery: return L"ConnectQuery";
    case platform::kSessionShadow: return windowStation + L" shadow";
    case platform::kSessionDisconnected: return L"Disconnesso";
    case platform::kSessionIdle: return L"Idle";
    case platform::kSessionListen: return L"RDP-Tcp";
    case platform::kSessionReset: return L"Reset";
    case platform::kSessionDown: return L"Down";
    case platform::kSessionInit: return L"Init";
    default: return {};  // connected, and any state the system adds later
  }
}

SessionCollector::SessionCollector(platform::SessionApi& sessions,
                                   ui::UpdateNotice notice, SessionTable& table)
    : sessions_(sessions), notice_(notice), table_(table) {}

void SessionCollector::CollectSessions() {
  if (!sessions_.EnumerateSessions(entries_)) entries_.clear();
  const std::uint32_t console = sessions_.ActiveConsoleSessionId();
  table_.Resize(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const platform::SessionEntry& entry = entries_[i];
    TUserInfo& row = table_.Row(i);
    // Asked once: each query is a call to the session service, and a session
    // that does not report its user yet is listed at a later tick when it does.
    row.UserName = sessions_.QueryUserName(entry.sessionId);
    row.SessionId = entry.sessionId;
    row.StateText = SessionStateText(entry.state, entry.windowStation);
    if (entry.sessionId == console) {
      row.SessionName = L"Console";
    } else {
      row.SessionName = entry.windowStation;
    }
    // The page marks again the rows it finds in its list; the others are new.
    row.Listed = false;
  }
  notice_.Post();
}

}  // namespace users
