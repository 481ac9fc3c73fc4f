// Grid and curve drawing of the usage graph.
#include "ui/usage_graph.h"

#include <algorithm>

namespace ui {

void TUseage::Create(int height, int width) {
  scrollCount_ = 0;
  SetSize(height, width);
}

void TUseage::SetSize(int height, int width) {
  raster_.SetSize(height, width);
  Clear();
}

void TUseage::Clear() { raster_.Fill(kBlack); }

void TUseage::DrawGrid() {
  const int h = Height(), w = Width();
  for (int y = 0; y < h; y += kGridStep) raster_.Line(0, y, w - 1, y, kGridColor);
  // Lines at every twelfth column counted from -ScrollCount, so that the right
  // edge has its lines too while they move.
  const int s = scrollCount_ % kGridStep;
  for (int x = (kGridStep - s) % kGridStep; x < w; x += kGridStep)
    raster_.Line(x, 0, x, h - 1, kGridColor);
  scrollCount_ = scrollCount_ == kScrollWrap - 1 ? 0 : scrollCount_ + 1;
}

void TUseage::DrawLine(int x1, int y1, int x2, int y2, Rgb color) {
  // Points far outside (a wild sample) are drawn at the edge, not walked to.
  const int lo = -1, hi = Height() + 1;
  raster_.Line(x1, std::clamp(y1, lo, hi), x2, std::clamp(y2, lo, hi), color);
}

void TUseage::DrawHistory(UsageHistory& history, Rgb color) {
  const int bottom = Height() + 1;
  const int columns = std::min(history.Width(), Width());
  for (int j = 0; j + 1 < columns; ++j)
    DrawLine(j, bottom - history.At(j), j + 1, bottom - history.At(j + 1), color);
  history.Scroll();
}

}  // namespace ui
