// Who was busy at each graph sample: the tick's top three by CPU and by commit,
// the record that keeps them for the graphs' length within its memory bound,
// and the tooltip texts made from it.
#include "perf/culprit_record.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "perf/graph_tips.h"
#include "perf/performance_page.h"
#include "tests/support/process_world.h"

using namespace perf;

namespace {

// The process tick and the Performance page's graph update, as one refresh runs them.
struct CulpritWorld : testing_support::ProcessWorld {
  std::vector<int> perCpu{0};
  int cpuPercent = 0;
  PerformancePage graphs{totals,  perCpu, cpuPercent, system, {system, app::kUpdateGraphs},
                         closing, collector.Culprits(), system};
  CulpritWorld() {
    graphs.SetPageSize(380, 310);
    graphs.CreateCpuGraphs(1);
    graphs.LayoutGraphs();
  }
  void Refresh() {
    Tick();
    graphs.UpdateGraphs();
  }
};

std::wstring Name(const procs::Culprit& c) {
  std::wstring name;
  c.name.AppendTo(name);
  return name;
}

}  // namespace

TEST(CulpritRecord, TopThreeByCpuAndByCommitTiesGoToTheLowerPid) {
  testing_support::ProcessWorld w;  // one processor
  const auto add = [&](std::uint32_t pid, const wchar_t* name, std::uint64_t committedMb) {
    w.system.AddProcess(pid, name).privateBytes = committedMb << 20;
  };
  add(10, L"a.exe", 100);
  add(20, L"b.exe", 2);
  add(30, L"c.exe", 2);
  add(40, L"d.exe", 2);
  add(50, L"e.exe", 300);
  add(60, L"f.exe", 100);
  w.system.AddProcess(0, L"").kernelTime = 0;  // the idle entry is nobody's fault
  const std::int64_t perSecond[] = {0, 3'000'000, 3'000'000, 1'000'000, 400'000, 4'000};
  for (int tick = 0; tick < 3; ++tick) {
    for (std::uint32_t pid = 10; pid <= 60; pid += 10)
      w.system.Find(pid)->userTime += perSecond[pid / 10 - 1];
    w.system.Find(0)->kernelTime += 9'000'000;
    w.Tick();
  }
  const procs::TickCulprits& c = w.collector.Culprits();
  ASSERT_EQ(c.cpu.Count(), 3u);
  EXPECT_EQ(c.cpu[0].pid, 20u);
  EXPECT_EQ(c.cpu[1].pid, 30u) << "30 % each: the lower PID first";
  EXPECT_EQ(c.cpu[2].pid, 40u);
  EXPECT_EQ(c.cpu[0].figure, 300u);
  EXPECT_EQ(c.cpu[2].figure, 100u);
  EXPECT_EQ(Name(c.cpu[0]), L"b.exe");
  ASSERT_EQ(c.memory.Count(), 3u);
  EXPECT_EQ(c.memory[0].pid, 50u);
  EXPECT_EQ(c.memory[1].pid, 10u);
  EXPECT_EQ(c.memory[2].pid, 60u);
  EXPECT_EQ(c.memory[0].figure, 300u * 1024);
  EXPECT_EQ(c.Busiest(), &c.cpu[0]);
}

TEST(CulpritRecord, AnEndedProcessIsStillNamedAtItsPastSample) {
  CulpritWorld w;
  w.system.AddProcess(77, L"burn.exe");
  for (int i = 0; i < 3; ++i) {
    w.system.Find(77)->userTime += 8'000'000;
    w.cpuPercent = 80;
    w.Refresh();
  }
  w.system.RemoveProcess(77);
  w.cpuPercent = 1;
  w.Refresh();
  w.Refresh();
  EXPECT_FALSE(w.Listed(77));
  const int width = w.graphs.CpuGraph(0).Width();
  const int spike = SampleAgeAt(width - 3, width);  // two columns left of the newest
  EXPECT_EQ(spike, 2);
  const std::wstring tip = GraphTipText(w.graphs.Record(), GraphKind::kCpuTotal, 0, spike);
  EXPECT_NE(tip.find(L"\r\nCPU 使用：80%\r\nburn.exe (77)  80%"), std::wstring::npos) << tip;
  EXPECT_EQ(GraphTipText(w.graphs.Record(), GraphKind::kCpuTotal, 0, 0).find(L"burn.exe"),
            std::wstring::npos);
}

TEST(CulpritRecord, RingWrapsAtTheGraphsLengthAndKeepsItsMemoryBound) {
  std::printf("culprit record: %zu bytes for %d samples and %d names\n", CulpritRecord::kBytes,
              CulpritRecord::kSamples, CulpritRecord::kNameSlots);
  EXPECT_LE(CulpritRecord::kBytes, 200u * 1024);
  CulpritRecord record;
  const std::vector<int> perCpu;
  const int total = CulpritRecord::kSamples + 5;
  for (int i = 0; i < total; ++i) {
    // A new process at every sample: names outnumber the slots.
    procs::TickCulprits culprits;
    culprits.cpu.Offer(static_cast<std::uint32_t>(i), 100, L"p" + std::to_wstring(i) + L".exe");
    record.Record({i, 50, 1}, perCpu, culprits);
  }
  EXPECT_EQ(record.Count(), CulpritRecord::kSamples);
  ASSERT_TRUE(record.At(CulpritRecord::kSamples - 1));
  EXPECT_EQ(record.At(CulpritRecord::kSamples - 1)->figures.secondsOfDay, 5) << "the oldest kept";
  EXPECT_FALSE(record.At(CulpritRecord::kSamples));
  EXPECT_FALSE(record.At(-1));
  // The newest samples keep their names; older ones keep their figures but lose
  // names whose slots were taken again, rather than show another's.
  const auto newest = record.At(0);
  ASSERT_EQ(newest->cpuCount, 1u);
  EXPECT_EQ(newest->cpu[0].name, u"p2604.exe");
  const auto lastNamed = record.At(CulpritRecord::kNameSlots - 1);
  ASSERT_EQ(lastNamed->cpuCount, 1u);
  EXPECT_EQ(lastNamed->cpu[0].pid, static_cast<std::uint32_t>(total - CulpritRecord::kNameSlots));
  EXPECT_EQ(record.At(CulpritRecord::kNameSlots)->cpuCount, 0u);
  EXPECT_EQ(record.At(CulpritRecord::kNameSlots)->figures.cpuPercent, 50);
}

TEST(CulpritRecord, TooltipTextsOfASample) {
  CulpritRecord record;
  EXPECT_EQ(GraphTipText(record, GraphKind::kCpuTotal, 0, 0), L"") << "nothing recorded yet";
  record.SetProcessorCount(2);
  procs::TickCulprits culprits;
  culprits.cpu.Offer(1234, 253, L"busy.exe");
  culprits.cpu.Offer(8, 96, L"a-very-long-image-name-indeed.exe");
  culprits.memory.Offer(1234, 512000, L"busy.exe");
  culprits.memory.Offer(8, 2000, L"a-very-long-image-name-indeed.exe");
  record.Record({14 * 3600 + 32 * 60 + 5, 37, 812}, {12, 88}, culprits);

  EXPECT_EQ(GraphTipText(record, GraphKind::kCpuTotal, 0, 0),
            L"14:32:05\r\nCPU 使用：37%\r\nbusy.exe (1234)  25%\r\n"
            L"a-very-long-image-name-i (8)  10%");
  EXPECT_EQ(GraphTipText(record, GraphKind::kProcessor, 1, 0),
            L"14:32:05\r\nCPU 1：88%\r\nbusy.exe (1234)  25%\r\n"
            L"a-very-long-image-name-i (8)  10%");
  EXPECT_EQ(GraphTipText(record, GraphKind::kPageFile, 0, 0),
            L"14:32:05\r\n页面文件使用：812 MB\r\nbusy.exe (1234)  500 MB\r\n"
            L"a-very-long-image-name-i (8)  2 MB");
  EXPECT_EQ(GraphTipText(record, GraphKind::kCpuTotal, 0, 1), L"") << "left of the first sample";
  EXPECT_EQ(GraphTipText(record, GraphKind::kProcessor, 2, 0), L"") << "no such processor";
  EXPECT_EQ(SampleAgeAt(-1, 10), -1);
  EXPECT_EQ(SampleAgeAt(10, 10), -1);
}
