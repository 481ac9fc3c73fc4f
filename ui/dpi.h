// Sizes are laid out in logical pixels, as seen at 96 dots per inch, and drawn
// in device pixels at the window's own DPI.
#pragma once

namespace ui {

inline constexpr int kLogicalDpi = 96;

// `logical` pixels at `dpi`, rounded half away from zero; a DPI the system
// should never report (zero or negative) counts as 96.
int Scale(int logical, int dpi);

// As Scale, for a size: one that exists (positive) never shrinks to nothing.
int ScaleSize(int logical, int dpi);

}  // namespace ui
