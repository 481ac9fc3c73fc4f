// The Performance page's logic: the figures and status-bar texts of each totals
// update, the two meters, and the CPU and page-file graphs with their histories
// and the record of who was busy at each of their samples.
// The Win32 view places its controls where the layout says and shows the
// pictures and texts kept here.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "perf/culprit_record.h"
#include "perf/performance_layout.h"
#include "platform/clock.h"
#include "platform/memory_status.h"
#include "procs/process_culprits.h"
#include "procs/process_table.h"
#include "ui/raster.h"
#include "ui/update_notice.h"
#include "ui/usage_graph.h"
#include "ui/usage_history.h"

namespace perf {

// The CPU meter's caption: two blanks before the % below 10, one from 10 on.
std::wstring CpuCaption(int percent);
// A figure text as a number; a text that is not a whole number counts as 0.
int FigureValue(const std::wstring& text);

struct PerformanceTexts {
  std::wstring statusProcesses;  // status bar panel 0
  std::wstring statusCpu;        // panel 1
  std::wstring statusMemory;     // panel 2
  std::wstring lb_cpu, lb_Pf;    // the meters' captions
  // Value labels by figure box and row, in the order of the row captions.
  std::array<std::array<std::wstring, 3>, kFigureBoxCount> figures;
};

class PerformancePage {
 public:
  // `culprits`: the busiest processes of the last process tick; `clock` labels
  // each sample with its local time.
  PerformancePage(const procs::TMainProcInfo& totals, const std::vector<int>& perCpuPercent,
                  const int& cpuUsagePercent, platform::MemoryStatusApi& memory,
                  ui::UpdateNotice notice, const bool& closing,
                  const procs::TickCulprits& culprits, platform::Clock& clock);

  // The page's size changed: boxes and labels move at once; the graphs and
  // meters follow at the next LayoutGraphs.
  // The page's size in device pixels, and the DPI its logical sizes scale to.
  void SetPageSize(int width, int height, int dpi = ui::kLogicalDpi);
  int Dpi() const { return dpi_; }
  const PerformanceLayout& Layout() const { return layout_; }

  // Handler of the totals update: every text and both meters.
  void UpdateTotals();
  const PerformanceTexts& Texts() const { return texts_; }

  // One graph per processor; graphs of an earlier call are kept when the count
  // is the same.
  void CreateCpuGraphs(int count);
  // Handler of the layout message: graphs and meters take their places from the
  // layout, are drawn empty, and a graph update is posted.
  void LayoutGraphs();
  // Handler of the graph update: the newest samples go in, the histories follow
  // their graph's size, every graph is redrawn and scrolls by one column. The
  // record takes the sample too, so its newest stands in each graph's last column.
  void UpdateGraphs();
  // While the page is hidden its graphs keep no pictures and the system cache
  // is not read; shown again, the graphs show their last frame at once and the
  // cache figure is read afresh.
  void SetGraphsShown(bool shown);

  int CpuGraphCount() const { return static_cast<int>(cpuGraphs_.size()); }
  const ui::TUseage& CpuGraph(int i) const { return cpuGraphs_[static_cast<std::size_t>(i)]; }
  const ui::UsageHistory& CpuHistory(int i) const {
    return cpuHistory_[static_cast<std::size_t>(i)];
  }
  const std::vector<ui::Rect>& CpuGraphRects() const { return cpuGraphRects_; }
  const ui::TUseage& PageFileGraph() const { return pageFileGraph_; }
  const ui::UsageHistory& PageFileHistory() const { return pageFileHistory_; }
  const ui::Rect& PageFileRect() const { return pageFileRect_; }
  const ui::Raster& CpuMeter() const { return cpuMeter_; }
  const ui::Raster& PageFileMeter() const { return pageFileMeter_; }
  const ui::Rect& CpuMeterRect() const { return cpuMeterRect_; }
  const ui::Rect& PageFileMeterRect() const { return pageFileMeterRect_; }
  const CulpritRecord& Record() const { return record_; }

 private:
  void LayoutMeters();
  void RedrawMeters();
  // The page-file curve's height at `height` pixels, and what it plots in MB.
  int PageFileSample(int height, std::uint32_t& usedMb);
  void ReadSystemCache();

  const procs::TMainProcInfo& totals_;
  const std::vector<int>& perCpuPercent_;
  const int& cpuUsagePercent_;
  platform::MemoryStatusApi& memory_;
  ui::UpdateNotice notice_;
  const bool& closing_;
  const procs::TickCulprits& culprits_;
  platform::Clock& clock_;

  int pageWidth_ = 0, pageHeight_ = 0, dpi_ = ui::kLogicalDpi;
  PerformanceLayout layout_;
  PerformanceTexts texts_;

  std::vector<ui::TUseage> cpuGraphs_;
  std::vector<ui::UsageHistory> cpuHistory_;
  std::vector<ui::Rect> cpuGraphRects_;
  ui::TUseage pageFileGraph_;
  ui::UsageHistory pageFileHistory_;
  ui::Rect pageFileRect_;
  ui::Raster cpuMeter_, pageFileMeter_;
  ui::Rect cpuMeterRect_, pageFileMeterRect_;
  // Heights at the last update, to rescale the histories after a resize.
  int previousCpuHeight_ = 0, previousPageFileHeight_ = 0;
  bool graphsShown_ = true;
  CulpritRecord record_;
  std::uint32_t pageFileUsedMb_ = 0;
};

}  // namespace perf
