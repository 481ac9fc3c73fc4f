// The terminal sessions of the local machine and what the program does to them:
// enumerating them, reading a session's user, knowing which one has the physical
// console, logging one off, sending it a message, and locking the workstation.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/action_result.h"

namespace platform {

// Connection states as the system numbers them.
enum SessionState : std::uint32_t {
  kSessionActive = 0,
  kSessionConnected = 1,
  kSessionConnectQuery = 2,
  kSessionShadow = 3,
  kSessionDisconnected = 4,
  kSessionIdle = 5,
  kSessionListen = 6,
  kSessionReset = 7,
  kSessionDown = 8,
  kSessionInit = 9,
};

// No session is attached to the physical console (it is being switched).
constexpr std::uint32_t kNoConsoleSession = 0xFFFFFFFF;

struct SessionEntry {
  std::uint32_t sessionId = 0;
  std::wstring windowStation;  // the window-station name as the enumeration gives it
  std::uint32_t state = kSessionActive;
};

class SessionApi {
 public:
  virtual ~SessionApi() = default;
  // Replaces `sessions` with the sessions of the local server; false (and no
  // sessions) when the enumeration failed.
  virtual bool EnumerateSessions(std::vector<SessionEntry>& sessions) = 0;
  // The session's user name; empty when the query fails or the session has none.
  virtual std::wstring QueryUserName(std::uint32_t sessionId) = 0;
  // The session attached to the physical console (kNoConsoleSession while none
  // is); 0 only on systems whose services do not have session 0 to themselves.
  virtual std::uint32_t ActiveConsoleSessionId() = 0;
  // Asks the system to log the session off, without waiting for it.
  virtual bool LogoffSession(std::uint32_t sessionId) = 0;
  // Shows a message box in the session, without waiting for an answer.
  virtual bool SendSessionMessage(std::uint32_t sessionId, const std::wstring& title,
                                  const std::wstring& text) = 0;
  // Locks the workstation of the program's own session.
  virtual ActionResult LockWorkStation() = 0;
};

}  // namespace platform
