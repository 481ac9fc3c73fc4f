// Grid and curve drawing of the usage graph.
#include "ui/usage_graph.h"

#include <algorithm>

namespace ui {

void TUseage::Create(int height, int width) {
  scrollCount_ = 0;
  SetSize(height, width);
}

void TUseage::SetSize(int height, int width) {
  height_ = height;
  width_ = width;
  if (shown_) raster_.SetSize(height, width);
  Clear();
}

void TUseage::SetShown(bool shown) {
  if (shown == shown_) return;
  shown_ = shown;
  if (!shown) {
    raster_ = Raster{};  // the pixels are given back
    return;
  }
  raster_.SetSize(height_, width_);
  raster_.Fill(kBlack);
  if (frameGrid_ >= 0) DrawGridAt(frameGrid_);
  if (!frameCurve_.empty()) DrawCurve(frameCurve_, frameColor_);
}

void TUseage::Clear() {
  if (shown_) raster_.Fill(kBlack);
  frameGrid_ = -1;
  frameCurve_.clear();
}

void TUseage::DrawGrid() {
  frameGrid_ = scrollCount_;
  if (shown_) DrawGridAt(scrollCount_);
  scrollCount_ = scrollCount_ == kScrollWrap - 1 ? 0 : scrollCount_ + 1;
}

void TUseage::DrawGridAt(int scrollCount) {
  const int h = Height(), w = Width();
  for (int y = 0; y < h; y += kGridStep) raster_.Line(0, y, w - 1, y, kGridColor);
  // Lines at every twelfth column counted from -ScrollCount, so that the right
  // edge has its lines too while they move.
  const int s = scrollCount % kGridStep;
  for (int x = (kGridStep - s) % kGridStep; x < w; x += kGridStep)
    raster_.Line(x, 0, x, h - 1, kGridColor);
}

void TUseage::DrawLine(int x1, int y1, int x2, int y2, Rgb color) {
  // Points far outside (a wild sample) are drawn at the edge, not walked to.
  const int lo = -1, hi = Height() + 1;
  raster_.Line(x1, std::clamp(y1, lo, hi), x2, std::clamp(y2, lo, hi), color);
}

void TUseage::DrawHistory(UsageHistory& history, Rgb color) {
  frameCurve_.assign(history.Values().begin(), history.Values().end());
  frameColor_ = color;
  if (shown_) DrawCurve(frameCurve_, color);
  history.Scroll();
}

void TUseage::DrawCurve(const std::vector<int>& heights, Rgb color) {
  const int bottom = Height() + 1;
  const int columns = std::min(static_cast<int>(heights.size()), Width());
  const auto at = [&](int j) { return heights[static_cast<std::size_t>(j)]; };
  for (int j = 0; j + 1 < columns; ++j) DrawLine(j, bottom - at(j), j + 1, bottom - at(j + 1), color);
}

}  // namespace ui
