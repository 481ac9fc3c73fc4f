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
  virtual bool Add(IconRef icon, const std::wstring& tip) = 0;
  virtual bool Modify(IconRef icon, const std::wstring& tip) = 0;
  virtual bool Remove() = 0;
};

}  // namespace platform
