// The process collector: rows made once per process, refreshed from the snapshot,
// with the fallbacks a refused or vanished process gets.
#include "procs/process_collector.h"

#include <gtest/gtest.h>

#include "app/update_messages.h"
#include "tests/support/process_world.h"

using testing_support::ProcessWorld;
using namespace procs;

TEST(ProcessCollector, NewProcessShowsZeroThenBlankThenItsShareOfTheTimeAwake) {
  ProcessWorld w;
  w.cpuInstanceCount = 3;  // two processors
  w.system.AddProcess(100, L"busy.exe");
  w.Tick();
  EXPECT_EQ(w.Cell(100, kColCpu), L"0");
  w.system.Find(100)->userTime += 5'000'000;
  w.Tick();
  EXPECT_EQ(w.Cell(100, kColCpu), L"");
  w.system.Find(100)->userTime += 5'000'000;  // half a second of one second, two CPUs
  w.Tick();
  EXPECT_EQ(w.Cell(100, kColCpu), L"25.0");
  w.Tick(0);  // a second update within the same millisecond
  EXPECT_EQ(w.Cell(100, kColCpu), L"0");
  w.system.Find(100)->kernelTime += 10'000'000;
  w.Tick();
  EXPECT_EQ(w.Cell(100, kColCpu), L"50.0");
  // An hour asleep before a tick: the share is of the one second awake.
  w.system.Sleep(3'600'000);
  w.system.Find(100)->kernelTime += 10'000'000;
  w.Tick();
  EXPECT_EQ(w.Cell(100, kColCpu), L"50.0");
}

TEST(ProcessCollector, RowHoldsNamePathUserPriorityAndSnapshotFigures) {
  ProcessWorld w;
  w.page.SetShowAllUsers(true);  // alice is not the user this program runs as
  auto& p = w.system.AddProcess(200, L"editor.exe");
  p.imagePath = L"\\??\\C:\\Tools\\editor.exe";
  p.priorityClass = platform::kHighPriority;
  p.sessionUser = L"alice";
  p.tokenUser = L"bob";
  p.workingSet = 3 << 20;
  p.kernelTime = (3600 + 61) * 10'000'000LL;
  w.Tick();
  EXPECT_EQ(w.Cell(200, kColName), L"editor.exe");
  EXPECT_EQ(w.Cell(200, kColPid), L"200");
  EXPECT_EQ(w.Cell(200, kColUser), L"alice");
  EXPECT_EQ(w.Cell(200, kColMemory), L"3072 K");
  EXPECT_EQ(w.Cell(200, kColCpuTime), L"01:01:01");
  EXPECT_EQ(w.Cell(200, kColPath), L"C:\\Tools\\editor.exe");
  EXPECT_EQ(w.Cell(200, kColPriority), L"高");

  w.system.Find(200)->sessionUser.clear();  // the session route fails: the token answers
  w.system.AddProcess(201, L"other.exe").sessionUser.clear();
  w.Tick();
  EXPECT_EQ(w.Cell(201, kColUser), L"tester");
}

TEST(ProcessCollector, RefusedAndVanishedProcessesFallBack) {
  ProcessWorld w;
  auto& prot = w.system.AddProcess(300, L"protected.exe");
  prot.imagePath = L"C:\\Windows\\protected.exe";
  auto& locked = w.system.AddProcess(301, L"locked.exe");
  locked.refuseLimited = true;
  w.system.AddProcess(302, L"brief.exe").vanishesOnOpen = true;
  w.system.AddProcess(0, L"");
  w.Tick();
  EXPECT_EQ(w.Cell(300, kColPath), L"C:\\Windows\\protected.exe");
  EXPECT_EQ(w.Cell(300, kColPriority), L"标准");
  EXPECT_EQ(w.Cell(301, kColPath), L"unknown");
  EXPECT_EQ(w.Cell(301, kColUser), L"");
  EXPECT_EQ(w.Cell(301, kColPriority), L"暂缺");
  EXPECT_EQ(w.Cell(302, kColPath), L"unknown");
  EXPECT_EQ(w.Cell(0, kColName), L"System Idle");
  EXPECT_EQ(w.Cell(0, kColMemory), L"16 K");
  w.Tick();
  w.Tick();
  EXPECT_EQ(w.Cell(301, kColCpu), L"0.0");  // unopenable processes still get a share
  EXPECT_EQ(w.Cell(0, kColMemory), L"16 K");
  EXPECT_FALSE(w.Listed(302));
}

TEST(ProcessCollector, SteadyTicksOpenNothingAndNewProcessesAtMostTwice) {
  ProcessWorld w;
  for (std::uint32_t pid = 4; pid <= 400; pid += 4) w.system.AddProcess(pid, L"p.exe");
  w.Tick();
  w.system.opens = 0;
  w.system.snapshotQueries = 0;
  w.Tick();
  w.Tick();
  EXPECT_EQ(w.system.snapshotQueries, 2);
  EXPECT_EQ(w.system.opens, 0);
  w.system.AddProcess(1000, L"new.exe");
  w.Tick();
  EXPECT_EQ(w.system.opens, 2);
}

TEST(ProcessCollector, IdentityIsReadOnceAndOnlyWhileAColumnShowsIt) {
  ProcessWorld w;
  auto& editor = w.system.AddProcess(10, L"editor.exe");
  editor.commandLine = L"editor.exe /new";
  w.system.AddProcess(20, L"old.exe").wow64 = true;
  w.system.AddProcess(30, L"guarded.exe").refuseLimited = true;
  w.system.versionTexts[L"C:\\Programs\\editor.exe"] = {L"Text Editor", L"Editors Ltd"};
  w.Tick();
  EXPECT_EQ(w.system.versionReads, 0);  // no column of them shown
  w.page.SetColumns({{ColumnKind::kImageName, L"映像名称"},
                     {ColumnKind::kCommandLine, L"命令行"},
                     {ColumnKind::kDescription, L"描述"},
                     {ColumnKind::kCompany, L"公司"},
                     {ColumnKind::kPlatform, L"平台"}});
  w.Tick();  // rows made before are filled once
  EXPECT_EQ(w.Cell(10, 1), L"editor.exe /new");
  EXPECT_EQ(w.Cell(10, 2), L"Text Editor");
  EXPECT_EQ(w.Cell(10, 3), L"Editors Ltd");
  EXPECT_EQ(w.Cell(10, 4), L"64 位");
  EXPECT_EQ(w.Cell(20, 2), L"");  // no version resource
  EXPECT_EQ(w.Cell(20, 4), L"32 位");
  EXPECT_EQ(w.Cell(30, 4), L"暂缺");
  w.page.SetFilterText(L"/NEW");  // the filter reads the command line too
  EXPECT_EQ(w.list.Count(), 1u);
  w.page.SetFilterText(L"");
  w.system.opens = 0;
  const int reads = w.system.versionReads;
  w.Tick();
  w.Tick();
  EXPECT_EQ(w.system.opens, 0);
  EXPECT_EQ(w.system.versionReads, reads);
  w.system.AddProcess(40, L"new.exe");
  w.Tick();
  EXPECT_EQ(w.system.opens, 2);  // identity rides on the open that the row makes anyway
}

TEST(ProcessCollector, FailedSnapshotKeepsTheTableAndPostsNothing) {
  ProcessWorld w;
  w.system.AddProcess(8, L"a.exe");
  w.Tick();
  w.system.posted.clear();
  w.system.processQueryOverride = [](void*, std::uint32_t, std::uint32_t*) {
    return platform::NtStatus{0xC0000001};
  };
  w.Tick();
  w.Tick();
  EXPECT_TRUE(w.system.posted.empty());
  EXPECT_TRUE(w.Listed(8));
}

TEST(ProcessCollector, TotalsCountEveryEntryAndPostTheUpdate) {
  ProcessWorld w;
  for (std::uint32_t pid = 4; pid <= 40; pid += 4) {
    auto& p = w.system.AddProcess(pid, L"p.exe");
    p.threads = 3;
    p.handles = 7;
  }
  w.collector.CollectProcesses();
  EXPECT_EQ(w.totals.ProcessCount, 10);
  EXPECT_EQ(w.totals.ThreadCount, 30);
  EXPECT_EQ(w.totals.HandleCount, 70);
  EXPECT_EQ(w.system.posted, std::vector<std::uint32_t>{app::kUpdateProcesses});
}

TEST(ProcessCollector, ClosingStopsTheWalkAndLeavesTheTotals) {
  ProcessWorld w;
  w.system.AddProcess(8, L"a.exe");
  w.closing = true;
  w.collector.CollectProcesses();
  EXPECT_EQ(w.table.Used(), 0u);
  EXPECT_EQ(w.totals.ProcessCount, 0);
}

TEST(ProcessCollector, ReusedIdentifierGetsTheNewProcessesNameAndPath) {
  ProcessWorld w;
  w.system.AddProcess(500, L"first.exe");
  w.Tick();
  w.system.RemoveProcess(500);
  w.system.Advance(5);
  w.system.AddProcess(500, L"second.exe");
  w.Tick();
  EXPECT_EQ(w.Cell(500, kColName), L"second.exe");
  EXPECT_EQ(w.Cell(500, kColPath), L"C:\\Programs\\second.exe");
  EXPECT_EQ(w.Cell(500, kColCpu), L"0");
}

TEST(ProcessCollector, UnknownPathIsAskedOnceMoreAfterTenSecondsAndItsTextsReadThen) {
  ProcessWorld w;
  w.page.SetColumns({{ColumnKind::kPath, L"路径"}, {ColumnKind::kDescription, L"描述"}});
  w.system.versionTexts[L"C:\\Programs\\late.exe"] = {L"Late Tool", L""};
  w.system.AddProcess(600, L"late.exe").refuseLimited = true;
  w.Tick();
  EXPECT_EQ(w.Cell(600, 0), L"unknown");
  w.system.Find(600)->refuseLimited = false;
  w.system.opens = 0;
  w.Tick();
  EXPECT_EQ(w.Cell(600, 0), L"unknown");
  EXPECT_EQ(w.system.opens, 0);
  w.Tick(kPathRetryMs);
  EXPECT_EQ(w.Cell(600, 0), L"C:\\Programs\\late.exe");
  EXPECT_EQ(w.Cell(600, 1), L"Late Tool");
  EXPECT_EQ(w.system.opens, 1);
}

TEST(ProcessCollector, VersionTextsFillAFewRowsATickAndNeverFromTheNetwork) {
  ProcessWorld w;
  for (std::uint32_t pid = 4; pid <= 400; pid += 4) {
    const std::wstring name = L"p" + std::to_wstring(pid) + L".exe";
    w.system.AddProcess(pid, name);
    w.system.versionTexts[L"C:\\Programs\\" + name] = {L"Tool", L"Maker"};
  }
  w.system.AddProcess(1000, L"share.exe").imagePath = L"\\\\server\\tools\\share.exe";
  w.system.AddProcess(1004, L"mapped.exe").imagePath = L"Z:\\mapped.exe";
  w.system.remoteDrives = L"Z";
  for (const wchar_t* path : {L"\\\\server\\tools\\share.exe", L"Z:\\mapped.exe"})
    w.system.versionTexts[path] = {L"Far", L"Away"};
  w.Tick();
  w.page.SetColumns({{ColumnKind::kImageName, L"映像名称"}, {ColumnKind::kDescription, L"描述"}});
  for (const int reads : {32, 64, 96, 100, 100}) {
    w.Tick();
    EXPECT_EQ(w.system.versionReads, reads);
  }
  EXPECT_EQ(w.Cell(4, 1), L"Tool");
  EXPECT_EQ(w.Cell(400, 1), L"Tool");
  EXPECT_EQ(w.Cell(1000, 1), L"");
  EXPECT_EQ(w.Cell(1004, 1), L"");
  // New rows share the same allowance.
  for (std::uint32_t pid = 2000; pid < 2040; ++pid) w.system.AddProcess(pid, L"new.exe");
  w.Tick();
  EXPECT_EQ(w.system.versionReads, 132);
  w.Tick();
  EXPECT_EQ(w.system.versionReads, 140);
}

TEST(ProcessTable, FreedRowsAreReusedLowestFirstAndTheTableGrows) {
  ProcessTable table;
  for (std::int64_t pid = 1; pid <= 300; ++pid) {
    TprocTimeInfo row;
    row.ProcessId = pid;
    table.Add(row);
  }
  EXPECT_EQ(table.Capacity(), 300u);  // no process is dropped past 201
  table.Free(250);
  table.Free(20);
  TprocTimeInfo next;
  next.ProcessId = 1000;
  table.Add(next);
  EXPECT_EQ(&table.Row(19), table.Find(1000));
  EXPECT_EQ(table.Find(20), nullptr);
  next.ProcessId = 1001;
  table.Add(next);
  EXPECT_EQ(&table.Row(249), table.Find(1001));
  EXPECT_EQ(table.Capacity(), 300u);
}
