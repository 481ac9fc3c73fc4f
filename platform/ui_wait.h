// Blocking the GUI thread for a moment after letting the waiting window messages
// run, as the log-off of a session does to give the system time to act.
#pragma once

namespace platform {

class UiWait {
 public:
  virtual ~UiWait() = default;
  virtual void PumpThenSleep(int milliseconds) = 0;
};

}  // namespace platform
