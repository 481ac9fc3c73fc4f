// The memory totals: kilobyte figures from page counts, whole megabytes for the
// commit charge, and no update for a tick whose queries failed.
#include "procs/system_totals.h"

#include <gtest/gtest.h>

#include "app/update_messages.h"
#include "platform/fake/fake_system.h"
#include "platform/tick_figures.h"

using platform::fake::FakeSystem;
using namespace procs;

TEST(SystemTotals, KilobytesFromPagesAndWholeMegabytesOfCommit) {
  FakeSystem system;
  system.committedPages = 524288;
  system.commitLimit = 1048577;
  system.physicalPages = 262144;
  system.pagedPoolPages = 1000;
  system.nonPagedPoolPages = 500;
  TMainProcInfo totals;
  SystemTotalsCollector collector(system, {system, app::kUpdateTotals}, totals);
  collector.CollectSystemTotals();
  EXPECT_EQ(totals.CommitTotalK, L"2097152");
  EXPECT_EQ(totals.CommitTotalM, L"2048");
  EXPECT_EQ(totals.CommitLimitM, L"4096");  // truncated, not rounded
  EXPECT_EQ(totals.PhysTotalK, L"1048576");
  EXPECT_EQ(totals.KernelTotalK, L"6000");
  EXPECT_EQ(totals.KernelPagedK, L"4000");
  EXPECT_EQ(totals.KernelNonpagedK, L"2000");
  EXPECT_EQ(system.posted, std::vector<std::uint32_t>{app::kUpdateTotals});
  EXPECT_EQ(QueryProcessorCount(system, system), 2);
  system.activeProcessorCount = 80;  // two groups of 40: the basic information counts one
  EXPECT_EQ(QueryProcessorCount(system, system), 80);
}

TEST(SystemTotals, AFailedQueryPostsNothing) {
  FakeSystem system;
  TMainProcInfo totals;
  SystemTotalsCollector collector(system, {system, app::kUpdateTotals}, totals);
  system.failPerformance = true;
  collector.CollectSystemTotals();
  EXPECT_EQ(totals.CommitTotalK, L"");
  system.failPerformance = false;
  system.failBasic = true;
  collector.CollectSystemTotals();
  EXPECT_EQ(totals.CommitTotalK, L"");
  EXPECT_TRUE(system.posted.empty());
  EXPECT_EQ(QueryProcessorCount(system, system), 0);
}

// The meter, the totals and the page-file graph share one answer per tick.
TEST(SystemTotals, TheTicksFiguresAreAskedOnceAndMakeTheMemoryStatus) {
  FakeSystem system;
  system.pageSize = 4096;
  system.physicalPages = 1000;
  system.availablePages = 300;
  system.commitLimit = 2000;
  system.committedPages = 1500;
  platform::TickFigures figures(system);
  platform::MemoryStatus status;
  ASSERT_TRUE(figures.Memory(status));
  EXPECT_EQ(status.totalPhys, 1000u * 4096);
  EXPECT_EQ(status.availPhys, 300u * 4096);
  EXPECT_EQ(status.totalPageFile, 2000u * 4096);
  EXPECT_EQ(status.availPageFile, 500u * 4096);
  system.availablePages = 100;
  TMainProcInfo totals;
  SystemTotalsCollector collector(figures, {system, app::kUpdateTotals}, totals);
  collector.CollectSystemTotals();
  EXPECT_EQ(totals.PhysAvailK, L"1200");  // as asked earlier in the tick
  figures.NewTick();
  collector.CollectSystemTotals();
  EXPECT_EQ(totals.PhysAvailK, L"400");
  // A question that fails is not answered from memory at the next tick.
  system.failPerformance = true;
  figures.NewTick();
  EXPECT_FALSE(figures.Memory(status));
}
