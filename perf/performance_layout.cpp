// Geometry of the Performance page: bands, boxes, meters and graphs.
#include "perf/performance_layout.h"

#include <algorithm>

#include "ui/dpi.h"

namespace perf {
namespace {

constexpr int kSide = 6;   // page border left and right
constexpr int kGap = 4;
constexpr int kRowTop = 16, kRowHeight = 16, kCaptionWidth = 56, kRowInset = 8;

ui::Rect Make(int left, int top, int width, int height) {
  return {left, top, left + std::max(width, 0), top + std::max(height, 0)};
}

}  // namespace

PerformanceLayout LayOutPerformancePage(int width, int height, int dpi) {
  const auto s = [dpi](int logical) { return ui::Scale(logical, dpi); };
  const int side = s(kSide), gap = s(kGap), meterBoxWidth = s(kMeterBoxWidth);
  const int figureBoxHeight = s(kFigureBoxHeight), bottomBandHeight = 2 * figureBoxHeight + 3 * gap;
  const int rowTop = s(kRowTop), rowHeight = s(kRowHeight);
  const int captionWidth = s(kCaptionWidth), rowInset = s(kRowInset);
  PerformanceLayout l;
  const int topBand = std::max(0, (height - bottomBandHeight) / 2 - s(5));
  const int bottomBand = std::max(topBand, height - bottomBandHeight);
  const int graphLeft = side + meterBoxWidth + gap + s(2);
  const int graphWidth = width - side - graphLeft;
  l.gb_CpuTotal = Make(side, gap, meterBoxWidth, topBand - gap);
  l.gb_CPU1 = Make(graphLeft, gap, graphWidth, topBand - gap);
  l.gb_MemTotal = Make(side, topBand + gap, meterBoxWidth, bottomBand - topBand - gap);
  l.gb_mem = Make(graphLeft, topBand + gap, graphWidth, bottomBand - topBand - gap);

  // Two columns: totals over physical memory at the left, commit charge over
  // kernel memory at the right.
  const int columnWidth = (width - 2 * side - gap) / 2;
  const int rightColumn = side + columnWidth + gap;
  const int firstRow = bottomBand + gap;
  const int secondRow = firstRow + figureBoxHeight + gap;
  l.figureBoxes[kTotalsBox] = Make(side, firstRow, columnWidth, figureBoxHeight);
  l.figureBoxes[kPhysicalBox] = Make(side, secondRow, columnWidth, figureBoxHeight);
  l.figureBoxes[kCommitBox] = Make(rightColumn, firstRow, columnWidth, figureBoxHeight);
  l.figureBoxes[kKernelBox] = Make(rightColumn, secondRow, columnWidth, figureBoxHeight);
  for (int b = 0; b < kFigureBoxCount; ++b) {
    const ui::Rect& box = l.figureBoxes[b];
    for (int r = 0; r < 3; ++r) {
      const int top = box.top + rowTop + r * rowHeight;
      l.rowCaptions[b][r] = Make(box.left + rowInset, top, captionWidth, rowHeight - s(2));
      const int valueLeft = box.left + rowInset + captionWidth;
      l.rowValues[b][r] = Make(valueLeft, top, box.right - rowInset - valueLeft, rowHeight - s(2));
    }
  }
  return l;
}

ui::Rect MeterImageRect(const ui::Rect& box, int dpi) {
  const auto s = [dpi](int logical) { return ui::Scale(logical, dpi); };
  return Make(box.left + s(6), box.top + s(16), box.Width() - s(12), box.Height() - s(22));
}

CaptionAt CpuMeterCaptionAt(const ui::Rect& image, int dpi) {
  return {ui::Scale(30, dpi), image.Height() - ui::Scale(16, dpi)};
}
CaptionAt PageFileMeterCaptionAt(const ui::Rect& image, int dpi) {
  return {ui::Scale(27, dpi), image.Height() - ui::Scale(16, dpi)};
}

ui::Rect PageFileImageRect(const ui::Rect& box, int dpi) {
  const auto s = [dpi](int logical) { return ui::Scale(logical, dpi); };
  return Make(box.left + s(8), box.top + s(15), box.Width() - s(17), box.Height() - s(25));
}

void LayOutCpuGraphs(const ui::Rect& box, int count, std::vector<ui::Rect>& images, int dpi) {
  images.clear();
  if (count <= 0) return;
  const auto s = [dpi](int logical) { return ui::Scale(logical, dpi); };
  // Each graph sits in a panel 15 pixels wider than itself.
  const auto graphWidth = [&](int perRow) { return box.Width() / perRow - s(15); };
  int perRow = count;
  while (perRow > 1 && graphWidth(perRow) < s(kMinimumGraphWidth)) --perRow;
  const int rows = (count + perRow - 1) / perRow;
  const int panelWidth = box.Width() / perRow - s(5);
  const int panelHeight = (box.Height() - s(20)) / rows;
  for (int i = 0; i < count; ++i) {
    const int left = box.left + (i % perRow) * panelWidth + s(5) + s(4);
    const int top = box.top + s(14) + (i / perRow) * panelHeight + s(2);
    images.push_back(Make(left, top, std::max(panelWidth - s(10), 1), std::max(panelHeight - s(5), 1)));
  }
}

}  // namespace perf
