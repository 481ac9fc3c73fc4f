// Where everything on the Performance page goes, from the page's size alone: the
// meter and graph group boxes of the top and middle bands, the four figure
// boxes of the bottom band, and inside the boxes the meters and the graphs.
#pragma once
#include <array>
#include <vector>

namespace perf {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// The figure boxes in the order of their captions in kFigureBoxCaptions.
enum FigureBox { kTotalsBox, kPhysicalBox, kKernelBox, kCommitBox, kFigureBoxCount };

struct PerformanceLayout {
  Rect gb_CpuTotal, gb_CPU1, gb_MemTotal, gb_mem;
  std::array<Rect, kFigureBoxCount> figureBoxes;
  std::array<std::array<Rect, 3>, kFigureBoxCount> rowCaptions, rowValues;
};

inline constexpr int kMeterBoxWidth = 98;
inline constexpr int kFigureBoxHeight = 68;
inline constexpr int kBottomBandHeight = 2 * kFigureBoxHeight + 3 * 4;
inline constexpr int kMinimumGraphWidth = 40;

PerformanceLayout LayOutPerformancePage(int width, int height);

// The meter picture inside its group box, and where its caption starts,
// relative to the picture.
Rect MeterImageRect(const Rect& box);
struct CaptionAt {
  int x = 0, y = 0;
};
CaptionAt CpuMeterCaptionAt(const Rect& image);
CaptionAt PageFileMeterCaptionAt(const Rect& image);

// The page-file graph inside "页面文件使用记录".
Rect PageFileImageRect(const Rect& box);

// One graph per processor inside "CPU 使用记录", side by side while each is at
// least kMinimumGraphWidth pixels wide, in as many rows as needed beyond that.
// All graphs get the same size.
void LayOutCpuGraphs(const Rect& box, int count, std::vector<Rect>& images);

}  // namespace perf
