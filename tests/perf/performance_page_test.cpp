// The Performance page's logic: status-bar and caption texts, figure labels,
// the page geometry with graphs that wrap into rows, and graph updates that
// sample, rescale and scroll.
#include "perf/performance_page.h"

#include <gtest/gtest.h>

#include "app/update_messages.h"
#include "platform/fake/fake_system.h"
#include "procs/system_totals.h"

using namespace perf;
using platform::fake::FakeSystem;

namespace {

struct PageWorld {
  FakeSystem system;
  procs::TMainProcInfo totals;
  std::vector<int> perCpu;
  int cpuPercent = 0;
  bool closing = false;
  procs::TickCulprits culprits;
  PerformancePage page{totals, perCpu, cpuPercent, system, {system, app::kUpdateGraphs},
                       closing, culprits, system};

  PageWorld() {
    page.SetPageSize(380, 310);
    page.CreateCpuGraphs(2);
    page.LayoutGraphs();
    system.posted.clear();
  }
};

}  // namespace

TEST(PerformancePage, StatusBarCaptionsAndFigures) {
  PageWorld w;
  w.totals.ProcessCount = 37;
  w.totals.HandleCount = 1234;
  w.totals.ThreadCount = 456;
  w.totals.CommitTotalM = L"312";
  w.totals.CommitLimitM = L"1245";
  w.totals.PhysTotalK = L"2096624";
  w.totals.CommitPeakK = L"400000";
  w.totals.KernelNonpagedK = L"2000";
  w.cpuPercent = 5;
  w.page.UpdateTotals();
  const PerformanceTexts& t = w.page.Texts();
  EXPECT_EQ(t.statusProcesses, L"进程数：37");
  EXPECT_EQ(t.statusCpu, L"CPU 使用：5%");
  EXPECT_EQ(t.statusMemory, L"内存使用:312M/1245M");
  EXPECT_EQ(t.lb_Pf, L"312MB");
  EXPECT_EQ(t.lb_cpu, L"5  %");
  EXPECT_EQ(t.figures[kTotalsBox], (std::array<std::wstring, 3>{L"1234", L"456", L"37"}));
  EXPECT_EQ(t.figures[kPhysicalBox][0], L"2096624");
  EXPECT_EQ(t.figures[kCommitBox][2], L"400000");
  EXPECT_EQ(t.figures[kKernelBox][2], L"2000");

  w.cpuPercent = 10;
  w.page.UpdateTotals();
  EXPECT_EQ(w.page.Texts().lb_cpu, L"10 %");
  EXPECT_EQ(w.page.Texts().statusCpu, L"CPU 使用：10%");
  EXPECT_EQ(CpuCaption(100), L"100 %");

  // While closing nothing changes.
  w.closing = true;
  w.cpuPercent = 99;
  w.page.UpdateTotals();
  EXPECT_EQ(w.page.Texts().lb_cpu, L"10 %");

  EXPECT_EQ(FigureValue(L"1245"), 1245);
  EXPECT_EQ(FigureValue(L""), 0);
  EXPECT_EQ(FigureValue(L"12a"), 0);
  EXPECT_EQ(FigureValue(L"99999999999"), 0);
}

TEST(PerformancePage, SystemCacheIsThePerformanceInformationsReadOnlyWhileShown) {
  PageWorld w;
  // More committed than present, as on a busy machine: the cache is no
  // difference of the two, and never negative.
  w.system.committedPages = 2 * w.system.physicalPages;
  w.system.systemCachePages = 50000;  // pages of 4 K
  procs::SystemTotalsCollector(w.system, {w.system, app::kUpdateTotals}, w.totals)
      .CollectSystemTotals();
  w.page.UpdateTotals();
  EXPECT_EQ(w.page.Texts().figures[kPhysicalBox][0], L"1048576");
  EXPECT_EQ(w.page.Texts().figures[kPhysicalBox][2], L"200000");

  // Hidden, the page leaves the system alone and keeps its figure.
  w.page.SetGraphsShown(false);
  const int queries = w.system.systemCacheQueries;
  w.system.systemCachePages = 60000;
  w.page.UpdateTotals();
  EXPECT_EQ(w.system.systemCacheQueries, queries);
  EXPECT_EQ(w.page.Texts().figures[kPhysicalBox][2], L"200000");
  w.page.SetGraphsShown(true);  // read afresh as it comes back
  EXPECT_EQ(w.page.Texts().figures[kPhysicalBox][2], L"240000");
  // A failed call keeps the last figure.
  w.system.systemCachePages.reset();
  w.page.UpdateTotals();
  EXPECT_EQ(w.page.Texts().figures[kPhysicalBox][2], L"240000");
}

TEST(PerformancePage, LayoutBandsMetersAndGraphRows) {
  const PerformanceLayout l = LayOutPerformancePage(380, 310);
  EXPECT_EQ(l.gb_CpuTotal.Width(), kMeterBoxWidth);
  EXPECT_EQ(l.gb_CPU1.right, 374);
  EXPECT_EQ(l.gb_CpuTotal.bottom, (310 - kBottomBandHeight) / 2 - 5);
  EXPECT_LT(l.gb_mem.bottom, l.figureBoxes[kTotalsBox].top);
  EXPECT_EQ(l.figureBoxes[kKernelBox].bottom, 306);
  EXPECT_EQ(MeterImageRect(l.gb_CpuTotal).Width(), 86);

  // One processor: one graph as wide as the box less 15.
  std::vector<ui::Rect> graphs;
  LayOutCpuGraphs(l.gb_CPU1, 1, graphs);
  ASSERT_EQ(graphs.size(), 1u);
  EXPECT_EQ(graphs[0].Width(), l.gb_CPU1.Width() - 15);
  EXPECT_EQ(graphs[0].Height(), l.gb_CPU1.Height() - 25);

  // Side by side while at least 40 wide; beyond that in rows, all the same size.
  const ui::Rect box{0, 0, 500, 300};
  LayOutCpuGraphs(box, 9, graphs);  // 500 / 9 - 15 = 40
  EXPECT_EQ(graphs[8].top, graphs[0].top);
  LayOutCpuGraphs(box, 10, graphs);  // 35 would be too narrow: 9 per row
  EXPECT_EQ(graphs[8].top, graphs[0].top);
  EXPECT_GT(graphs[9].top, graphs[0].top);
  EXPECT_EQ(graphs[9].left, graphs[0].left);
  EXPECT_EQ(graphs[9].Width(), graphs[0].Width());
  EXPECT_GE(graphs[0].Width(), kMinimumGraphWidth);
  LayOutCpuGraphs(box, 64, graphs);
  EXPECT_EQ(graphs.size(), 64u);
  EXPECT_LE(graphs.back().bottom, box.bottom);
}

TEST(PerformancePage, LayoutScalesWithDpi) {
  // At 144 DPI a page half as large again gets boxes half as large again.
  const PerformanceLayout at96 = LayOutPerformancePage(380, 310);
  const PerformanceLayout at144 = LayOutPerformancePage(570, 465, 144);
  EXPECT_EQ(at144.gb_CpuTotal.Width(), 147);
  EXPECT_EQ(at144.gb_CPU1.left, at96.gb_CPU1.left * 3 / 2);
  EXPECT_EQ(at144.figureBoxes[kKernelBox].Height(), kFigureBoxHeight * 3 / 2);
  EXPECT_EQ(at144.figureBoxes[kKernelBox].bottom, 459);
  EXPECT_EQ(at144.rowCaptions[kTotalsBox][0].Width(), 84);
  EXPECT_EQ(MeterImageRect(at144.gb_CpuTotal, 144).Width(), 129);
  std::vector<ui::Rect> graphs;
  LayOutCpuGraphs(ui::Rect{0, 0, 750, 300}, 10, graphs, 144);  // 60 wide each: 9 per row
  EXPECT_GT(graphs[9].top, graphs[0].top);
}

TEST(PerformancePage, LayoutSizesGraphsAndMetersAndAsksForARedraw) {
  PageWorld w;
  w.page.LayoutGraphs();
  EXPECT_EQ(w.system.posted, std::vector<std::uint32_t>{app::kUpdateGraphs});
  ASSERT_EQ(w.page.CpuGraphCount(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(w.page.CpuGraph(i).Width(), w.page.CpuGraphRects()[i].Width());
    EXPECT_EQ(w.page.CpuGraph(i).Height(), w.page.CpuGraphRects()[i].Height());
  }
  EXPECT_EQ(w.page.PageFileGraph().Width(), w.page.PageFileRect().Width());
  EXPECT_EQ(w.page.CpuMeter().Width(), w.page.CpuMeterRect().Width());
  EXPECT_EQ(w.page.CpuMeter().Pixel(5, 5), ui::kBlack);  // the frame
  w.page.CreateCpuGraphs(2);
  EXPECT_EQ(w.page.CpuGraphCount(), 2) << "the same count keeps the graphs";
}

TEST(PerformancePage, GraphUpdatesSampleRescaleAndScroll) {
  PageWorld w;
  const int width = w.page.CpuGraph(0).Width(), height = w.page.CpuGraph(0).Height();
  w.perCpu = {50, 100};
  w.page.UpdateGraphs();
  const ui::UsageHistory& cpu0 = w.page.CpuHistory(0);
  ASSERT_EQ(cpu0.Width(), width) << "each history is exactly as wide as its graph";
  // The newest sample was drawn at the right-hand end and stays in the last two columns.
  EXPECT_EQ(cpu0.At(width - 1), ui::RoundHalfEven(50 * (height / 100.0)));
  EXPECT_EQ(w.page.CpuHistory(1).At(width - 2), height);
  w.page.UpdateGraphs();
  EXPECT_EQ(w.page.CpuGraph(1).Picture().Pixel(width - 2, 1), ui::kCpuCurveColor)
      << "100 % at the top";
  EXPECT_NE(w.page.CpuGraph(1).Picture().Pixel(width - 2, 0), ui::kCpuCurveColor);
  EXPECT_EQ(w.page.CpuGraph(0).ScrollCount(), 4) << "created, laid out, updated twice";

  // Physical memory in use against the page-file total: 512 MB of 2 GB.
  const int pfHeight = w.page.PageFileGraph().Height();
  EXPECT_EQ(w.page.PageFileHistory().At(w.page.PageFileGraph().Width() - 1),
            ui::RoundHalfEven(0.25 * pfHeight));
  w.system.failMemoryStatus = true;
  w.page.UpdateGraphs();
  EXPECT_EQ(w.page.PageFileHistory().At(w.page.PageFileGraph().Width() - 1),
            ui::RoundHalfEven(0.25 * pfHeight)) << "no figures: the last sample again";

  // The page grows taller and wider: histories follow with rescaled heights.
  w.page.SetPageSize(500, 400);
  w.page.LayoutGraphs();
  w.perCpu = {0, 0};
  w.page.UpdateGraphs();
  const int newWidth = w.page.CpuGraph(0).Width(), newHeight = w.page.CpuGraph(0).Height();
  ASSERT_GT(newWidth, width);
  ASSERT_GT(newHeight, height);
  const ui::UsageHistory& grown = w.page.CpuHistory(1);
  EXPECT_EQ(grown.Width(), newWidth);
  EXPECT_EQ(grown.At(newWidth - 3),
            ui::RoundHalfEven(height * (static_cast<double>(newHeight) / height)));
  EXPECT_EQ(grown.At(0), 0);

  // Closing: nothing moves.
  w.closing = true;
  const std::vector<int> before = grown.Values();
  w.page.UpdateGraphs();
  EXPECT_EQ(grown.Values(), before);
}
