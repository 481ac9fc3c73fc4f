// Where everything on the Performance page goes, from the page's size alone: the
// meter and graph group boxes of the top and middle bands, the four figure
// boxes of the bottom band, and inside the boxes the meters and the graphs.
#pragma once
#include <array>
#include <vector>

#include "ui/dpi.h"
#include "ui/rect.h"

namespace perf {

// The figure boxes in the order of their captions in kFigureBoxCaptions.
enum FigureBox { kTotalsBox, kPhysicalBox, kKernelBox, kCommitBox, kFigureBoxCount };

struct PerformanceLayout {
  ui::Rect gb_CpuTotal, gb_CPU1, gb_MemTotal, gb_mem;
  std::array<ui::Rect, kFigureBoxCount> figureBoxes;
  std::array<std::array<ui::Rect, 3>, kFigureBoxCount> rowCaptions, rowValues;
};

inline constexpr int kMeterBoxWidth = 98;
inline constexpr int kFigureBoxHeight = 68;
inline constexpr int kBottomBandHeight = 2 * kFigureBoxHeight + 3 * 4;
inline constexpr int kMinimumGraphWidth = 40;

// Sizes above are logical pixels; the layout is in device pixels at `dpi`.
PerformanceLayout LayOutPerformancePage(int width, int height, int dpi = ui::kLogicalDpi);

// The meter picture inside its group box, and where its caption starts,
// relative to the picture.
ui::Rect MeterImageRect(const ui::Rect& box, int dpi = ui::kLogicalDpi);
struct CaptionAt {
  int x = 0, y = 0;
};
CaptionAt CpuMeterCaptionAt(const ui::Rect& image, int dpi = ui::kLogicalDpi);
CaptionAt PageFileMeterCaptionAt(const ui::Rect& image, int dpi = ui::kLogicalDpi);

// The page-file graph inside "页面文件使用记录".
ui::Rect PageFileImageRect(const ui::Rect& box, int dpi = ui::kLogicalDpi);

// One graph per processor inside "CPU 使用记录", side by side while each is at
// least kMinimumGraphWidth pixels wide, in as many rows as needed beyond that.
// All graphs get the same size.
void LayOutCpuGraphs(const ui::Rect& box, int count, std::vector<ui::Rect>& images,
                     int dpi = ui::kLogicalDpi);

}  // namespace perf
