// Putting the machine to sleep and ending the user's session or the system:
// the calls behind the shut-down menu. Nothing else in the program makes them.
#pragma once
#include <cstdint>

#include "platform/action_result.h"

namespace platform {

// Flags of the exit request, as the system numbers them.
enum ExitFlags : std::uint32_t {
  kExitLogoff = 0,
  kExitShutdown = 1,
  kExitReboot = 2,
};

// The reason recorded for an exit the user asked for: planned, other, other.
// Zero would be logged as an unplanned shut-down of unknown cause.
constexpr std::uint32_t kExitReasonPlannedOther = 0x80000000;

enum class SleepKind { kStandby, kHibernate };

class PowerApi {
 public:
  virtual ~PowerApi() = default;
  // Standby or hibernation; refused, for one, where the machine has no such state.
  virtual ActionResult Suspend(SleepKind kind) = 0;
  // Logs off, shuts down or restarts; `reason` is the recorded reason code.
  virtual ActionResult RequestExit(std::uint32_t flags, std::uint32_t reason) = 0;
};

}  // namespace platform
