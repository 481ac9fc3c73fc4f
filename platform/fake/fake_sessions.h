// The fake system's sessions and system actions: terminal sessions from the
// script, and every log-off, lock, message, power and exit request recorded
// instead of made, refused on demand with the system's words.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/action_result.h"
#include "platform/power_api.h"
#include "platform/session_api.h"

namespace platform::fake {

struct FakeSession {
  std::uint32_t id = 0;
  std::wstring windowStation;
  std::uint32_t state = kSessionActive;
  std::wstring userName;  // empty: the session has no user
  int emptyAnswers = 0;   // the user-name query answers empty this many times first
};

struct FakeSentMessage {
  std::uint32_t sessionId = 0;
  std::wstring title, text;
};

class FakeSessions : public SessionApi, public PowerApi {
 public:
  // --- scripting ---
  std::vector<FakeSession> sessions;
  bool failSessionEnumeration = false;
  bool systemActionsSucceed = true;  // log-off, lock, message, power and exit
  // The console, and the words of a refused lock, power or exit.
  std::uint32_t consoleSessionId = 0;
  std::wstring refusalText = L"拒绝访问。";

  // --- record ---
  int userNameQueries = 0;
  // In order: "privilege <name>", "logoff <id>", "lock", "message <id>",
  // "standby", "hibernate", "exit <flags> <reason>".
  std::vector<std::wstring> systemActions;
  std::vector<FakeSentMessage> sentMessages;

  // --- SessionApi ---
  bool EnumerateSessions(std::vector<SessionEntry>& out) override;
  std::wstring QueryUserName(std::uint32_t sessionId) override;
  std::uint32_t ActiveConsoleSessionId() override { return consoleSessionId; }
  bool LogoffSession(std::uint32_t sessionId) override;
  bool SendSessionMessage(std::uint32_t sessionId, const std::wstring& title,
                          const std::wstring& text) override;
  ActionResult LockWorkStation() override;
  // --- PowerApi ---
  ActionResult Suspend(SleepKind kind) override;
  ActionResult RequestExit(std::uint32_t flags, std::uint32_t reason) override;

 private:
  // Done, or refused with refusalText when systemActionsSucceed is false.
  ActionResult SystemActionResult() const;
};

}  // namespace platform::fake
