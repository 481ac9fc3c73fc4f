// Cost of one graph update of the Performance page (the handler of the graph
// message): new samples in, every CPU graph and the page-file graph redrawn and
// scrolled, on a page 1000 pixels wide, for 2, 16 and 64 processors.
#include <benchmark/benchmark.h>

#include "app/update_messages.h"
#include "perf/performance_page.h"
#include "platform/fake/fake_system.h"

namespace {

void UpdateGraphs(benchmark::State& state) {
  const int processors = static_cast<int>(state.range(0));
  platform::fake::FakeSystem system;
  procs::TMainProcInfo totals;
  std::vector<int> perCpu(static_cast<std::size_t>(processors), 0);
  int cpuPercent = 0;
  bool closing = false;
  procs::TickCulprits culprits;
  perf::PerformancePage page(totals, perCpu, cpuPercent, system, {system, app::kUpdateGraphs},
                             closing, culprits, system);
  page.SetPageSize(1000, 600);
  page.CreateCpuGraphs(processors);
  page.LayoutGraphs();
  // Busy curves: every processor moves by up to 40 % from one sample to the next.
  std::uint32_t seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int warm = 0; warm < 3; ++warm) page.UpdateGraphs();
  for (auto _ : state) {
    for (int& p : perCpu) p = std::clamp(p + static_cast<int>(next() % 81) - 40, 0, 100);
    page.UpdateGraphs();
  }
  // Every pixel of every graph is cleared and redrawn: the work is the pictures' area.
  std::int64_t columns = 0, pixels = 0;
  for (int i = 0; i < page.CpuGraphCount(); ++i) {
    columns += page.CpuGraph(i).Width();
    pixels += std::int64_t{page.CpuGraph(i).Width()} * page.CpuGraph(i).Height();
  }
  pixels += std::int64_t{page.PageFileGraph().Width()} * page.PageFileGraph().Height();
  state.counters["graph_w"] = page.CpuGraph(0).Width();
  state.counters["graph_h"] = page.CpuGraph(0).Height();
  state.counters["cpu_columns"] = static_cast<double>(columns);
  state.counters["pixels"] = static_cast<double>(pixels);
  state.SetItemsProcessed(state.iterations() * pixels);
}

}  // namespace

BENCHMARK(UpdateGraphs)->Arg(2)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);
