// The fake system's sessions and system actions: enumeration and user names from
// the script, and every log-off, lock, message, power and exit request recorded
// instead of made.
#include "platform/fake/fake_sessions.h"

namespace platform::fake {

bool FakeSessions::EnumerateSessions(std::vector<SessionEntry>& out) {
  out.clear();
  if (failSessionEnumeration) return false;
  for (const FakeSession& s : sessions) out.push_back({s.id, s.windowStation, s.state});
  return true;
}

std::wstring FakeSessions::QueryUserName(std::uint32_t sessionId) {
  ++userNameQueries;
  for (FakeSession& s : sessions) {
    if (s.id != sessionId) continue;
    if (s.emptyAnswers > 0) {
      --s.emptyAnswers;
      return {};
    }
    return s.userName;
  }
  return {};
}

bool FakeSessions::LogoffSession(std::uint32_t sessionId) {
  systemActions.push_back(L"logoff " + std::to_wstring(sessionId));
  return systemActionsSucceed;
}

bool FakeSessions::SendSessionMessage(std::uint32_t sessionId, const std::wstring& title,
                                      const std::wstring& text) {
  systemActions.push_back(L"message " + std::to_wstring(sessionId));
  sentMessages.push_back({sessionId, title, text});
  return systemActionsSucceed;
}

ActionResult FakeSessions::LockWorkStation() {
  systemActions.push_back(L"lock");
  return SystemActionResult();
}

ActionResult FakeSessions::Suspend(SleepKind kind) {
  systemActions.push_back(kind == SleepKind::kStandby ? L"standby" : L"hibernate");
  return SystemActionResult();
}

ActionResult FakeSessions::RequestExit(std::uint32_t flags, std::uint32_t reason) {
  systemActions.push_back(L"exit " + std::to_wstring(flags) + L" " + std::to_wstring(reason));
  return SystemActionResult();
}

ActionResult FakeSessions::SystemActionResult() const {
  return systemActionsSucceed ? ActionResult::Done() : ActionResult::Refused(refusalText);
}

}  // namespace platform::fake
