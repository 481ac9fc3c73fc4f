// Texts, meters and graphs of the Performance page.
#include "perf/performance_page.h"

#include <cstdio>
#include <cwchar>

#include "perf/meter.h"

namespace perf {
namespace {

std::wstring Decimal(std::int64_t value) { return std::to_wstring(value); }

}  // namespace

std::wstring CpuCaption(int percent) {
  return Decimal(percent) + (percent < 10 ? L"  %" : L" %");
}

int FigureValue(const std::wstring& text) {
  if (text.empty()) return 0;
  wchar_t* end = nullptr;
  const long long value = std::wcstoll(text.c_str(), &end, 10);
  if (end == nullptr || *end != L'\0' || value > 0x7fffffff || value < -0x7fffffff) return 0;
  return static_cast<int>(value);
}

PerformancePage::PerformancePage(const procs::TMainProcInfo& totals,
                                 const std::vector<int>& perCpuPercent,
                                 const int& cpuUsagePercent, platform::MemoryStatusApi& memory,
                                 ui::UpdateNotice notice, const bool& closing,
                                 const procs::TickCulprits& culprits, platform::Clock& clock)
    : totals_(totals),
      perCpuPercent_(perCpuPercent),
      cpuUsagePercent_(cpuUsagePercent),
      memory_(memory),
      notice_(notice),
      closing_(closing),
      culprits_(culprits),
      clock_(clock) {}

void PerformancePage::SetPageSize(int width, int height, int dpi) {
  pageWidth_ = width;
  pageHeight_ = height;
  dpi_ = dpi;
  layout_ = LayOutPerformancePage(width, height, dpi);
}

void PerformancePage::UpdateTotals() {
  if (closing_) return;
  const procs::TMainProcInfo& t = totals_;
  texts_.statusProcesses = L"进程数：" + Decimal(t.ProcessCount);
  texts_.statusMemory = L"内存使用:" + t.CommitTotalM + L"M/" + t.CommitLimitM + L"M";
  texts_.lb_Pf = t.CommitTotalM + L"MB";
  DrawMeter(pageFileMeter_, FigureValue(t.CommitTotalM), FigureValue(t.CommitLimitM));
  texts_.figures[kTotalsBox] = {Decimal(t.HandleCount), Decimal(t.ThreadCount),
                                Decimal(t.ProcessCount)};
  texts_.figures[kPhysicalBox][0] = t.PhysTotalK;
  texts_.figures[kPhysicalBox][1] = t.PhysAvailK;
  if (graphsShown_) ReadSystemCache();
  texts_.figures[kCommitBox] = {t.CommitTotalK, t.CommitLimitK, t.CommitPeakK};
  texts_.figures[kKernelBox] = {t.KernelTotalK, t.KernelPagedK, t.KernelNonpagedK};
  texts_.statusCpu = L"CPU 使用：" + Decimal(cpuUsagePercent_) + L"%";
  texts_.lb_cpu = CpuCaption(cpuUsagePercent_);
  DrawMeter(cpuMeter_, cpuUsagePercent_, 100);
}

void PerformancePage::CreateCpuGraphs(int count) {
  if (count < 0) count = 0;
  if (count == CpuGraphCount()) return;
  cpuGraphs_.assign(static_cast<std::size_t>(count), ui::TUseage{});
  for (ui::TUseage& graph : cpuGraphs_) graph.SetShown(graphsShown_);
  cpuHistory_.assign(static_cast<std::size_t>(count), ui::UsageHistory{});
  record_.SetProcessorCount(count);
  previousCpuHeight_ = 0;
  // Provisional places until the first layout message.
  LayOutCpuGraphs(layout_.gb_CPU1, count, cpuGraphRects_, dpi_);
  for (int i = 0; i < count; ++i) {
    const ui::Rect& r = cpuGraphRects_[static_cast<std::size_t>(i)];
    cpuGraphs_[static_cast<std::size_t>(i)].Create(r.Height(), r.Width());
    cpuGraphs_[static_cast<std::size_t>(i)].DrawGrid();
  }
}

void PerformancePage::LayoutGraphs() {
  LayOutCpuGraphs(layout_.gb_CPU1, CpuGraphCount(), cpuGraphRects_, dpi_);
  for (int i = 0; i < CpuGraphCount(); ++i) {
    const ui::Rect& r = cpuGraphRects_[static_cast<std::size_t>(i)];
    ui::TUseage& graph = cpuGraphs_[static_cast<std::size_t>(i)];
    graph.SetSize(r.Height(), r.Width());
    graph.DrawGrid();
  }
  LayoutMeters();
  notice_.Post();
  pageFileRect_ = PageFileImageRect(layout_.gb_mem, dpi_);
  pageFileGraph_.SetSize(pageFileRect_.Height(), pageFileRect_.Width());
  pageFileGraph_.DrawGrid();
  RedrawMeters();
}

void PerformancePage::LayoutMeters() {
  cpuMeterRect_ = MeterImageRect(layout_.gb_CpuTotal, dpi_);
  pageFileMeterRect_ = MeterImageRect(layout_.gb_MemTotal, dpi_);
  cpuMeter_.SetSize(cpuMeterRect_.Height(), cpuMeterRect_.Width());
  pageFileMeter_.SetSize(pageFileMeterRect_.Height(), pageFileMeterRect_.Width());
  cpuMeter_.Fill(ui::kBlack);
  pageFileMeter_.Fill(ui::kBlack);
  DrawMeterFrame(cpuMeter_);
  DrawMeterFrame(pageFileMeter_);
}

void PerformancePage::RedrawMeters() {
  DrawMeter(cpuMeter_, cpuUsagePercent_, 100);
  if (const int limit = FigureValue(totals_.CommitLimitM); limit != 0)
    DrawMeter(pageFileMeter_, FigureValue(totals_.CommitTotalM), limit);
}

// Physical memory in use as a share of the page-file total, in pixels; the
// last sample again when the system gives no figures.
int PerformancePage::PageFileSample(int height, std::uint32_t& usedMb) {
  platform::MemoryStatus status;
  const std::uint64_t totalK = memory_.QueryMemoryStatus(status) ? status.totalPageFile / 1024 : 0;
  if (totalK == 0) {
    const int w = pageFileHistory_.Width();
    return w > 0 ? pageFileHistory_.At(w - 1) : 0;
  }
  const double usedK = static_cast<double>(status.totalPhys / 1024) -
                       static_cast<double>(status.availPhys / 1024);
  usedMb = usedK > 0 ? static_cast<std::uint32_t>(usedK / 1024 + 0.5) : 0;
  return ui::RoundHalfEven(usedK / static_cast<double>(totalK) * height);
}

// The performance information call also counts every process and thread, a
// walk of the whole process list: it is made only while its one figure is on
// screen.
void PerformancePage::ReadSystemCache() {
  std::uint64_t bytes = 0;
  if (memory_.QuerySystemCache(bytes))
    texts_.figures[kPhysicalBox][2] = Decimal(static_cast<std::int64_t>(bytes / 1024));
}

void PerformancePage::SetGraphsShown(bool shown) {
  graphsShown_ = shown;
  if (shown) ReadSystemCache();
  pageFileGraph_.SetShown(shown);
  for (ui::TUseage& graph : cpuGraphs_) graph.SetShown(shown);
}

void PerformancePage::UpdateGraphs() {
  if (closing_) return;
  const int pageHeight = pageFileGraph_.Height();
  const double pageScale =
      previousPageFileHeight_ > 0 ? static_cast<double>(pageHeight) / previousPageFileHeight_ : 1.0;
  const int sample = PageFileSample(pageHeight, pageFileUsedMb_);
  record_.Record({clock_.LocalSecondsOfDay(), cpuUsagePercent_, pageFileUsedMb_}, perCpuPercent_,
                 culprits_);
  pageFileHistory_.Fit(pageFileGraph_.Width(), pageScale);
  pageFileHistory_.SetNewest(sample);
  pageFileGraph_.Clear();
  pageFileGraph_.DrawGrid();
  pageFileGraph_.DrawHistory(pageFileHistory_, ui::kPageFileCurveColor);
  previousPageFileHeight_ = pageHeight;

  if (cpuGraphs_.empty()) return;
  const int width = cpuGraphs_[0].Width(), height = cpuGraphs_[0].Height();
  const double cpuScale =
      previousCpuHeight_ > 0 ? static_cast<double>(height) / previousCpuHeight_ : 1.0;
  for (std::size_t i = 0; i < cpuGraphs_.size(); ++i) {
    const int percent = i < perCpuPercent_.size() ? perCpuPercent_[i] : 0;
    cpuHistory_[i].Fit(width, cpuScale);
    cpuHistory_[i].SetNewest(ui::RoundHalfEven(percent * (height / 100.0)));
    cpuGraphs_[i].Clear();
    cpuGraphs_[i].DrawGrid();
    cpuGraphs_[i].DrawHistory(cpuHistory_[i], ui::kCpuCurveColor);
  }
  previousCpuHeight_ = height;
}

}  // namespace perf
