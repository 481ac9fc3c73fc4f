// The Performance page as the user sees it: the meter and graph group boxes, the
// four figure boxes, the meters and graphs as picture windows, and the main
// window's status bar panels. The page logic (PerformancePage) draws and
// formats; this class places and shows.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "perf/performance_page.h"
#include "ui/page_win32.h"
#include "ui/raster_view_win32.h"
#include "ui/tooltip_win32.h"

namespace perf {

class PerformanceView final : public ui::PageContent {
 public:
  PerformanceView(HWND page, HFONT font, PerformancePage& logic, HWND statusBar);
  ~PerformanceView() override;
  PerformanceView(const PerformanceView&) = delete;
  PerformanceView& operator=(const PerformanceView&) = delete;

  // The handlers of the update messages: the logic's work, then the screen.
  void UpdateTotals();
  void UpdateGraphs();
  void LayoutGraphs();
  void CreateCpuGraphs(int count);

  // For tests.
  HWND FigureLabel(FigureBox box, int row) const { return values_[box][static_cast<std::size_t>(row)]; }
  HWND CpuMeter() const { return cpuMeter_->Handle(); }
  HWND PageFileMeter() const { return pageFileMeter_->Handle(); }
  HWND PageFileGraph() const { return pageFileGraph_->Handle(); }
  int CpuGraphWindowCount() const { return static_cast<int>(cpuGraphs_.size()); }
  HWND CpuGraph(int i) const { return cpuGraphs_[static_cast<std::size_t>(i)]->Handle(); }
  const ui::Tooltip& GraphTip() const { return *graphTip_; }

  bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) override;
  void PageShown(bool shown) override;

 private:
  void CreateControls();
  void Layout();
  void ShowFigures();
  void SetStatusText(int panel, const std::wstring& text);
  // The graph under a point of the page (a processor's index, or kPageFileGraph)
  // and the column of it there; kNoGraph elsewhere.
  int GraphAt(POINT point, int& column) const;
  // The tooltip follows the pointer over a graph; its text is made again only
  // when another sample comes under the pointer.
  void ShowGraphTip(POINT point);
  void HideGraphTip();

  HWND page_;
  HFONT font_;
  PerformancePage& logic_;
  HWND statusBar_;
  HWND gb_CpuTotal_ = nullptr, gb_CPU1_ = nullptr, gb_MemTotal_ = nullptr, gb_mem_ = nullptr;
  std::array<HWND, kFigureBoxCount> figureBoxes_{};
  std::array<std::array<HWND, 3>, kFigureBoxCount> captions_{}, values_{};
  std::array<std::array<std::wstring, 3>, kFigureBoxCount> shownValues_;
  std::array<std::wstring, 3> shownStatus_;
  std::unique_ptr<ui::RasterView> cpuMeter_, pageFileMeter_, pageFileGraph_;
  std::vector<std::unique_ptr<ui::RasterView>> cpuGraphs_;
  std::unique_ptr<ui::Tooltip> graphTip_;
  int tipGraph_ = -1;            // the graph and the sample the tip's text is for
  std::uint32_t tipSample_ = 0;
  POINT tipPoint_{};             // where the pointer last moved over the page
  bool leaveAsked_ = false;      // WM_MOUSELEAVE will tell when the pointer leaves the page
};

}  // namespace perf
