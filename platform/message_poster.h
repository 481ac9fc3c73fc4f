// Posting the private update messages to the main window; handlers run after the tick.
#pragma once
#include <cstdint>

namespace platform {

class MessagePoster {
 public:
  virtual ~MessagePoster() = default;
  virtual void Post(std::uint32_t message) = 0;
};

}  // namespace platform
