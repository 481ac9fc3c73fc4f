// Posting the private update messages to the main window once it exists.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

void WindowPoster::Post(std::uint32_t message) {
  if (window_ == nullptr) return;
  if (holding_) {
    held_.push_back(message);
  } else {
    PostMessageW(window_, message, 0, 0);
  }
}

void WindowPoster::Release() {
  holding_ = false;
  // A handler may post again: that goes through the queue as usual.
  std::vector<std::uint32_t> messages;
  messages.swap(held_);
  for (std::uint32_t message : messages) SendMessageW(window_, message, 0, 0);
  // The storage is kept for the next tick, unless a tick ran meanwhile.
  messages.clear();
  if (held_.empty()) held_.swap(messages);
}

}  // namespace platform::win32
