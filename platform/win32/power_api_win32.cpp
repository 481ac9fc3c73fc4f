// Standby, hibernation and the exit requests (log off, shut down, restart). The
// exit requests return at once and the system completes them, the sleep calls
// once the machine is awake again; a refusal comes back with the system's text.
#include "platform/win32/system_error_win32.h"
#include "platform/win32/system_library_win32.h"
#include "platform/win32/win32_system.h"

#include <reason.h>

namespace platform::win32 {

static_assert(kExitLogoff == EWX_LOGOFF && kExitShutdown == EWX_SHUTDOWN &&
              kExitReboot == EWX_REBOOT);
static_assert(kExitReasonPlannedOther ==
              (SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED));

ActionResult Win32PowerApi::Suspend(SleepKind kind) {
  const bool hibernate = kind == SleepKind::kHibernate;
  // SetSuspendState is the call for current systems; note that its first
  // argument asks for hibernation where SetSystemPowerState's asks for standby.
  using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
  const UniqueLibrary powerProfiles = LoadSystemLibrary(L"powrprof.dll");
  const auto setSuspendState =
      powerProfiles == nullptr
          ? nullptr
          : reinterpret_cast<SetSuspendStateFn>(reinterpret_cast<void*>(
                GetProcAddress(powerProfiles.get(), "SetSuspendState")));
  if (setSuspendState != nullptr) {
    // Wake events stay enabled; the force argument has no effect.
    return ResultOfCall(setSuspendState(hibernate ? TRUE : FALSE, FALSE, FALSE));
  }
  return ResultOfCall(SetSystemPowerState(hibernate ? FALSE : TRUE, FALSE));
}

ActionResult Win32PowerApi::RequestExit(std::uint32_t flags, std::uint32_t reason) {
  return ResultOfCall(ExitWindowsEx(flags, reason));
}

}  // namespace platform::win32
