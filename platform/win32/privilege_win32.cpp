// Enabling a privilege in the program's own token (the debug privilege lets it
// open processes of other users).
#include "platform/win32/handle_win32.h"
#include "platform/win32/win32_system.h"

namespace platform::win32 {

bool Win32ProcessApi::EnablePrivilege(const std::wstring& name) {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) {
    return false;
  }
  UniqueHandle token(rawToken);

  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, name.c_str(), &privileges.Privileges[0].Luid)) return false;

  // The call succeeds even when the token lacks the privilege; only the last
  // error (ERROR_NOT_ALL_ASSIGNED) says so.
  SetLastError(ERROR_SUCCESS);
  if (!AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof(privileges), nullptr,
                             nullptr)) {
    return false;
  }
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace platform::win32
