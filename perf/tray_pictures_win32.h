// The notification icon's picture as an icon, made only when the picture's
// pixels change: one picture at a time, not one for every height.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/win32/owned_handles_win32.h"
#include "ui/raster.h"

namespace perf {

class TrayPictures {
 public:
  static constexpr int kFirstPen = 8;   // 0 %
  static constexpr int kLastPen = 33;   // 100 %

  // The icon for a bar pen width (clamped to the range above) in a square of
  // `size` pixels. It stays valid until the call after the next that makes a
  // new one: a window may go on showing it until it is given the new one. Null
  // only when the system never made one.
  HICON IconFor(int barPenWidth, int size);

 private:
  platform::win32::UniqueIcon current_, previous_;
  int pen_ = 0, size_ = 0;
  ui::Raster drawn_;                  // drawn for each new pen width, kept for its buffer
  std::vector<std::uint32_t> shown_;  // the current icon's pixels
};

}  // namespace perf
