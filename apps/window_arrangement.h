// Cascading and tiling windows: where each window goes within the desktop's free
// area. Made here rather than by the system's own arrangement calls, which wait
// for every window's program (and do nothing at all on some systems).
#pragma once
#include <vector>

#include "platform/window_api.h"

namespace apps {

enum class Arrangement {
  kCascade,         // down and to the right, one title bar below the other
  kTileHorizontal,  // one above the other, each as wide as the desktop
  kTileVertical,    // side by side, each as high as the desktop
};

// Pixels between two cascaded windows: a title bar and its frame.
inline constexpr int kCascadeStep = 26;

// The places of windows whose current places are `current`, in that order.
std::vector<platform::ScreenRect> ArrangedPlaces(Arrangement arrangement,
                                                 const platform::ScreenRect& area,
                                                 const std::vector<platform::ScreenRect>& current);
// Moves the windows to their places, each on top of the one before.
void ArrangeByHand(platform::WindowApi& windows,
                   const std::vector<platform::WindowHandle>& handles, Arrangement arrangement);

}  // namespace apps
