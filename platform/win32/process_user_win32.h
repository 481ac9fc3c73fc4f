// Turning SIDs into account names: the token route for an opened process and a
// per-SID cache, since an account look-up can take long on domain machines.
#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/win32/win32_system.h"

namespace platform::win32 {

class AccountNames {
 public:
  // Account name without the domain; empty when the SID is malformed or unknown.
  std::optional<std::wstring> NameOf(PSID sid);

 private:
  std::mutex mutex_;
  std::unordered_map<std::string, std::wstring> names_;  // keyed by the SID's bytes
};

// The account name of the user in the process's token (needs a query right).
std::optional<std::wstring> TokenUserName(HANDLE process, AccountNames& names);

// The account name of a process's user through winsta.dll's session SID route,
// which needs no handle: it names the service and system accounts (SYSTEM, LOCAL
// SERVICE, DWM-n, UMFD-n) that refuse a user without elevation.
std::optional<std::wstring> SessionSidUserName(Win32ProcessApi::GetSidFn getProcessSid,
                                               DWORD pid, std::int64_t createTime,
                                               AccountNames& names);

}  // namespace platform::win32
