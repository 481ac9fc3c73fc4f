// The program's clocks. Neither of the two that time things follows the wall
// clock, which jumps when it is set; only the unbiased one also leaves out the
// time the machine slept. The wall clock only labels what is shown.
#pragma once
#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds, monotonic; the time asleep counts (timers and retries).
  virtual std::int64_t NowMs() = 0;
  // 100 ns units of the time the machine has been awake: the measure of every
  // CPU interval, whose busy and idle times do not grow while it sleeps.
  virtual std::int64_t UnbiasedTime() = 0;
  // The local wall-clock time as seconds since midnight, 0 to 86399.
  virtual int LocalSecondsOfDay() = 0;
  // The wall clock in UTC, 100 ns units since 1601: the scale of creation times.
  virtual std::int64_t SystemTime() = 0;
};

}  // namespace platform
