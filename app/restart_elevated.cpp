// Starting the program again with an administrator's rights.
#include "app/restart_elevated.h"

#include <string>
#include <utility>

namespace app {

RestartElevated::RestartElevated(platform::ElevationApi& elevation, platform::ShellApi& shell,
                                 std::function<void()> closeProgram)
    : elevation_(elevation), shell_(shell), closeProgram_(std::move(closeProgram)) {}

bool RestartElevated::Offered() { return !elevation_.TokenElevated(); }

void RestartElevated::Execute() {
  const std::wstring path = elevation_.ProgramPath();
  if (path.empty()) return;
  // Only once the new instance runs may this one go; a "no" keeps it as it was.
  if (shell_.ExecuteConfirmed(L"runas", path)) closeProgram_();
}

}  // namespace app
