// Putting the machine to sleep and ending the user's session or the system:
// the calls behind the shut-down menu. Nothing else in the program makes them.
#pragma once
#include <cstdint>

namespace platform {

// Flags of the exit request, as the system numbers them.
enum ExitFlags : std::uint32_t {
  kExitLogoff = 0,
  kExitShutdown = 1,
  kExitReboot = 2,
};

class PowerApi {
 public:
  virtual ~PowerApi() = default;
  // Standby when `suspend`, else hibernation; `force` skips asking the programs.
  virtual bool SetPowerState(bool suspend, bool force) = 0;
  // Logs off, shuts down or restarts; `reason` is the recorded reason code.
  virtual bool RequestExit(std::uint32_t flags, std::uint32_t reason) = 0;
};

}  // namespace platform
