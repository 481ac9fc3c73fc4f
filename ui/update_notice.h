// What a collector does when it has filled its table: it posts the update message
// the shell gave it, and the shell's handler brings the page up to date after the
// tick. So a collector never needs to know the main window or its message ids.
#pragma once
#include <cstdint>

#include "platform/message_poster.h"

namespace ui {

struct UpdateNotice {
  platform::MessagePoster& poster;
  std::uint32_t message;

  void Post() const { poster.Post(message); }
};

}  // namespace ui
