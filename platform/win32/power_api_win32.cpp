// Standby, hibernation and the exit requests (log off, shut down, restart). The
// system completes them on its own; the calls return at once.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

bool Win32PowerApi::SetPowerState(bool suspend, bool force) {
  return SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

bool Win32PowerApi::RequestExit(std::uint32_t flags, std::uint32_t reason) {
  return ExitWindowsEx(flags, reason) != FALSE;
}

}  // namespace platform::win32
