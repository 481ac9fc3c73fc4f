// The memory totals: kilobyte figures from page counts, whole megabytes for the
// commit charge, and no update for a tick whose queries failed.
#include "procs/system_totals.h"

#include <gtest/gtest.h>

#include "app/update_messages.h"
#include "platform/fake/fake_system.h"

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
