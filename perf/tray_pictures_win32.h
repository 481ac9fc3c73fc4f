// The notification icon's pictures as icons: one per bar height, all made once
// at start-up, so that updating the icon never creates a drawing object.
#pragma once
#include <windows.h>

#include <array>

#include "platform/win32/owned_handles_win32.h"

namespace perf {

class TrayPictures {
 public:
  static constexpr int kFirstPen = 8;   // 0 %
  static constexpr int kLastPen = 33;   // 100 %

  TrayPictures();
  // The icon for a bar pen width (clamped to the range above); null only when
  // the system refused to make it.
  HICON IconFor(int barPenWidth) const;

 private:
  std::array<platform::win32::UniqueIcon, kLastPen - kFirstPen + 1> icons_;
};

}  // namespace perf
