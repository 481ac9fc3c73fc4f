// Enabling a privilege in the program's own token: for the whole run (the
// shut-down privilege, asked right before its call) or for one scope (the debug
// privilege, which lets an open reach other users' processes).
#include "platform/win32/privilege_win32.h"

#include "platform/win32/win32_system.h"

namespace platform::win32 {

namespace {

UniqueHandle OwnToken() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return UniqueHandle();
  return UniqueHandle(token);
}

// Enables `name`; `previous` (may be null) receives what the call changed. The
// call succeeds even when the token lacks the privilege; only the last error
// (ERROR_NOT_ALL_ASSIGNED) says so.
bool Enable(HANDLE token, const wchar_t* name, TOKEN_PRIVILEGES* previous) {
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) return false;
  DWORD length = 0;
  SetLastError(ERROR_SUCCESS);
  if (!AdjustTokenPrivileges(token, FALSE, &privileges, previous ? sizeof *previous : 0, previous,
                             previous ? &length : nullptr))
    return false;
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace

bool Win32ProcessApi::EnablePrivilege(const std::wstring& name) {
  const UniqueHandle token = OwnToken();
  return token && Enable(token.Get(), name.c_str(), nullptr);
}

ScopedPrivilege::ScopedPrivilege(const wchar_t* name) : token_(OwnToken()) {
  if (!token_) return;
  enabled_ = Enable(token_.Get(), name, &previous_);
  if (!enabled_) previous_.PrivilegeCount = 0;
}

ScopedPrivilege::~ScopedPrivilege() {
  // The last error belongs to the call made within the scope, not to this one.
  const DWORD lastError = GetLastError();
  if (token_ && previous_.PrivilegeCount > 0)
    AdjustTokenPrivileges(token_.Get(), FALSE, &previous_, 0, nullptr, nullptr);
  SetLastError(lastError);
}

}  // namespace platform::win32
