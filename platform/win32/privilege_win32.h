// A privilege of the program's own token held for one scope: enabled on entry
// and put back as it was on exit, so that it is never held longer than the one
// call that needs it.
#pragma once
#include <windows.h>

#include "platform/win32/handle_win32.h"

namespace platform::win32 {

class ScopedPrivilege {
 public:
  // Enables `name` when the token holds it; nothing happens when it does not.
  explicit ScopedPrivilege(const wchar_t* name);
  ~ScopedPrivilege();
  ScopedPrivilege(const ScopedPrivilege&) = delete;
  ScopedPrivilege& operator=(const ScopedPrivilege&) = delete;

  // Whether the privilege is enabled within the scope.
  bool Enabled() const { return enabled_; }

 private:
  UniqueHandle token_;
  // Only a privilege this scope changed is listed: one that was enabled
  // already stays so.
  TOKEN_PRIVILEGES previous_{};
  bool enabled_ = false;
};

}  // namespace platform::win32
