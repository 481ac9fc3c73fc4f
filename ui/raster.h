// An off-screen picture of 32-bit pixels, top row first, drawn by plain code so
// that graphs, meters and the tray picture need no drawing objects of the system
// and can be checked pixel by pixel. The Win32 views copy it to the screen as is.
#pragma once
#include <cstdint>
#include <vector>

namespace ui {

// 0x00RRGGBB, the byte order of a 32-bit device-independent bitmap.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>((r << 16) | (g << 8) | b);
}
inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kDarkGreen = MakeRgb(0, 128, 0);
inline constexpr Rgb kBrightGreen = MakeRgb(0, 255, 0);

class Raster {
 public:
  Raster() = default;
  Raster(int height, int width) { SetSize(height, width); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Allocates only when the picture grows; the contents are undefined afterwards.
  void SetSize(int height, int width);
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  Rgb Pixel(int x, int y) const;  // black outside the picture

  void Fill(Rgb color);
  // Fills [left, right) x [top, bottom), clipped to the picture.
  void FillRect(int left, int top, int right, int bottom, Rgb color);
  // A one-pixel line whose end point is not drawn, clipped to the picture.
  void Line(int x1, int y1, int x2, int y2, Rgb color);

 private:
  void Put(int x, int y, Rgb color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = color;
  }

  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace ui
