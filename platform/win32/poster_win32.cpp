// Posting the private update messages to the main window once it exists.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

void WindowPoster::Post(std::uint32_t message) {
  if (window_ != nullptr) PostMessageW(window_, message, 0, 0);
}

}  // namespace platform::win32
