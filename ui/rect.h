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

// `window` moved, never resized, so that it lies on `area` as far as it can:
// right and bottom edges first, then left and top, so that a window larger
// than the area keeps its caption and menu on it.
inline Rect KeepOnArea(Rect window, const Rect& area) {
  const int width = window.Width(), height = window.Height();
  if (window.right > area.right) window.left = area.right - width;
  if (window.bottom > area.bottom) window.top = area.bottom - height;
  if (window.left < area.left) window.left = area.left;
  if (window.top < area.top) window.top = area.top;
  return {window.left, window.top, window.left + width, window.top + height};
}

}  // namespace ui
