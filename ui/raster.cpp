// Pixel fills and lines of the off-screen picture.
#include "ui/raster.h"

#include <algorithm>
#include <cstdlib>

namespace ui {

void Raster::SetSize(int height, int width) {
  height_ = std::max(0, height);
  width_ = std::max(0, width);
  pixels_.resize(static_cast<std::size_t>(height_) * static_cast<std::size_t>(width_));
}

Rgb Raster::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Raster::Fill(Rgb color) { std::fill(pixels_.begin(), pixels_.end(), color); }

void Raster::FillRect(int left, int top, int right, int bottom, Rgb color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  for (int y = top; y < bottom; ++y) {
    auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
    std::fill(row + left, row + std::max(left, right), color);
  }
}

void Raster::Line(int x1, int y1, int x2, int y2, Rgb color) {
  if (y1 == y2) {  // the grid's and the meters' lines
    if (x1 < x2) FillRect(x1, y1, x2, y1 + 1, color);
    else if (x2 < x1) FillRect(x2 + 1, y1, x1 + 1, y1 + 1, color);
    return;
  }
  if (x1 == x2) {
    if (y1 < y2) FillRect(x1, y1, x1 + 1, y2, color);
    else FillRect(x1, y2 + 1, x1 + 1, y1 + 1, color);
    return;
  }
  // Bresenham, stopping before the end point.
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  while (x1 != x2 || y1 != y2) {
    Put(x1, y1, color);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y1 += sy;
    }
  }
}

}  // namespace ui
