// TUseage: the picture of one scrolling usage graph, a black field with a dark
// green grid whose vertical lines move one pixel to the left at every drawing,
// in step with the curve. Used by the CPU and page-file graphs and by the
// Networking page's adapter graphs.
#pragma once
#include "ui/raster.h"
#include "ui/usage_history.h"

namespace ui {

inline constexpr Rgb kGridColor = kDarkGreen;
inline constexpr Rgb kCpuCurveColor = MakeRgb(53, 255, 88);
inline constexpr Rgb kPageFileCurveColor = MakeRgb(255, 255, 88);

class TUseage {
 public:
  static constexpr int kGridStep = 12;
  static constexpr int kScrollWrap = 1'200'000;

  TUseage() = default;
  TUseage(int height, int width) { Create(height, width); }

  // Sets the size (height first) and clears the picture; ScrollCount starts at 0.
  void Create(int height, int width);
  // A new size keeps ScrollCount; the picture is cleared.
  void SetSize(int height, int width);
  int Width() const { return raster_.Width(); }
  int Height() const { return raster_.Height(); }
  int ScrollCount() const { return scrollCount_; }
  const Raster& Picture() const { return raster_; }

  void Clear();  // all black
  // Horizontal lines every 12 pixels from the top, vertical lines every 12
  // pixels offset by ScrollCount, which then advances (wrapping to 0).
  void DrawGrid();
  void DrawLine(int x1, int y1, int x2, int y2, Rgb color);
  // The curve of a history, one segment per column, a value v at y = height + 1 - v;
  // then the history scrolls by one column.
  void DrawHistory(UsageHistory& history, Rgb color);

 private:
  Raster raster_;
  int scrollCount_ = 0;
};

}  // namespace ui
