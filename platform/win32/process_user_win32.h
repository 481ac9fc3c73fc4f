// Turning SIDs into account names: the token route for an opened process and a
// per-SID cache, since an account look-up can take long on domain machines.
#pragma once
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

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

}  // namespace platform::win32
