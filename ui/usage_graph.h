// TUseage: the picture of one scrolling usage graph, a black field with a dark
// green grid whose vertical lines move one pixel to the left at every drawing,
// in step with the curve. Used by the CPU and page-file graphs and by the
// Networking page's adapter graphs.
#pragma once
#include <vector>

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
  int Width() const { return width_; }
  int Height() const { return height_; }
  int ScrollCount() const { return scrollCount_; }
  const Raster& Picture() const { return raster_; }

  // A graph nobody can see keeps no picture: grid and history still move at
  // every drawing, and only what the last frame needs is kept (where its grid
  // stood and its curve). Shown again, that frame is drawn at once.
  void SetShown(bool shown);
  bool Shown() const { return shown_; }

  void Clear();  // all black
  // Horizontal lines every 12 pixels from the top, vertical lines every 12
  // pixels offset by ScrollCount, which then advances (wrapping to 0).
  void DrawGrid();
  // The curve of a history, one segment per column, a value v at y = height + 1 - v;
  // then the history scrolls by one column.
  void DrawHistory(UsageHistory& history, Rgb color);

 private:
  void DrawLine(int x1, int y1, int x2, int y2, Rgb color);
  void DrawGridAt(int scrollCount);
  void DrawCurve(const std::vector<int>& heights, Rgb color);

  Raster raster_;
  int width_ = 0, height_ = 0;
  int scrollCount_ = 0;
  bool shown_ = true;
  // What the last frame drew, for a graph shown again: the grid's scroll
  // position (-1: no grid) and the curve's heights (empty: no curve).
  int frameGrid_ = -1;
  std::vector<int> frameCurve_;
  Rgb frameColor_ = kBlack;
};

}  // namespace ui
