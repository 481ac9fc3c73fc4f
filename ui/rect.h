// A rectangle in pixels, left and top inside, right and bottom outside: where the
// pages place their graphs, meters and boxes, without the system's RECT.
#pragma once

namespace ui {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

}  // namespace ui
