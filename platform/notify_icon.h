// The program's one icon in the notification area of the taskbar. Icons are
// passed as opaque references that the caller keeps alive while they are shown.
#pragma once
#include <string>

namespace platform {

using IconRef = const void*;

class NotifyIcon {
 public:
  virtual ~NotifyIcon() = default;
  // Each is true when the shell accepted the request.
  virtual bool AddIcon(IconRef icon, const std::wstring& tip) = 0;
  virtual bool ModifyIcon(IconRef icon, const std::wstring& tip) = 0;
  virtual bool RemoveIcon() = 0;
  // False while the taskbar does not answer within 100 ms: a request now would
  // hold the caller for as long as the shell takes (up to 4 s).
  virtual bool ShellAnswers() = 0;
};

}  // namespace platform
