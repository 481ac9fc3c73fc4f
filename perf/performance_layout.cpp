// Geometry of the Performance page: bands, boxes, meters and graphs.
#include "perf/performance_layout.h"

#include <algorithm>

namespace perf {
namespace {

constexpr int kSide = 6;   // page border left and right
constexpr int kGap = 4;
constexpr int kRowTop = 16, kRowHeight = 16, kCaptionWidth = 56, kRowInset = 8;

ui::Rect Make(int left, int top, int width, int height) {
  return {left, top, left + std::max(width, 0), top + std::max(height, 0)};
}

}  // namespace

PerformanceLayout LayOutPerformancePage(int width, int height) {
  PerformanceLayout l;
  const int topBand = std::max(0, (height - kBottomBandHeight) / 2 - 5);
  const int bottomBand = std::max(topBand, height - kBottomBandHeight);
  const int graphLeft = kSide + kMeterBoxWidth + kGap + 2;
  const int graphWidth = width - kSide - graphLeft;
  l.gb_CpuTotal = Make(kSide, kGap, kMeterBoxWidth, topBand - kGap);
  l.gb_CPU1 = Make(graphLeft, kGap, graphWidth, topBand - kGap);
  l.gb_MemTotal = Make(kSide, topBand + kGap, kMeterBoxWidth, bottomBand - topBand - kGap);
  l.gb_mem = Make(graphLeft, topBand + kGap, graphWidth, bottomBand - topBand - kGap);

  // Two columns: totals over physical memory at the left, commit charge over
  // kernel memory at the right.
  const int columnWidth = (width - 2 * kSide - kGap) / 2;
  const int rightColumn = kSide + columnWidth + kGap;
  const int firstRow = bottomBand + kGap;
  const int secondRow = firstRow + kFigureBoxHeight + kGap;
  l.figureBoxes[kTotalsBox] = Make(kSide, firstRow, columnWidth, kFigureBoxHeight);
  l.figureBoxes[kPhysicalBox] = Make(kSide, secondRow, columnWidth, kFigureBoxHeight);
  l.figureBoxes[kCommitBox] = Make(rightColumn, firstRow, columnWidth, kFigureBoxHeight);
  l.figureBoxes[kKernelBox] = Make(rightColumn, secondRow, columnWidth, kFigureBoxHeight);
  for (int b = 0; b < kFigureBoxCount; ++b) {
    const ui::Rect& box = l.figureBoxes[b];
    for (int r = 0; r < 3; ++r) {
      const int top = box.top + kRowTop + r * kRowHeight;
      l.rowCaptions[b][r] = Make(box.left + kRowInset, top, kCaptionWidth, kRowHeight - 2);
      const int valueLeft = box.left + kRowInset + kCaptionWidth;
      l.rowValues[b][r] = Make(valueLeft, top, box.right - kRowInset - valueLeft, kRowHeight - 2);
    }
  }
  return l;
}

ui::Rect MeterImageRect(const ui::Rect& box) {
  return Make(box.left + 6, box.top + 16, box.Width() - 12, box.Height() - 22);
}

CaptionAt CpuMeterCaptionAt(const ui::Rect& image) { return {30, image.Height() - 16}; }
CaptionAt PageFileMeterCaptionAt(const ui::Rect& image) { return {27, image.Height() - 16}; }

ui::Rect PageFileImageRect(const ui::Rect& box) {
  return Make(box.left + 8, box.top + 15, box.Width() - 17, box.Height() - 25);
}

void LayOutCpuGraphs(const ui::Rect& box, int count, std::vector<ui::Rect>& images) {
  images.clear();
  if (count <= 0) return;
  // Each graph sits in a panel 15 pixels wider than itself.
  const auto graphWidth = [&box](int perRow) { return box.Width() / perRow - 15; };
  int perRow = count;
  while (perRow > 1 && graphWidth(perRow) < kMinimumGraphWidth) --perRow;
  const int rows = (count + perRow - 1) / perRow;
  const int panelWidth = box.Width() / perRow - 5;
  const int panelHeight = (box.Height() - 20) / rows;
  for (int i = 0; i < count; ++i) {
    const int left = box.left + (i % perRow) * panelWidth + 5 + 4;
    const int top = box.top + 14 + (i / perRow) * panelHeight + 2;
    images.push_back(Make(left, top, std::max(panelWidth - 10, 1), std::max(panelHeight - 5, 1)));
  }
}

}  // namespace perf
