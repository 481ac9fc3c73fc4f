// A monotonic millisecond clock: sample times must not jump with the wall clock.
#pragma once
#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
};

}  // namespace platform
