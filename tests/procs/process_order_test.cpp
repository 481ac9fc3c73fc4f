// Sorting the process list by a header: numbers by value, texts ignoring case,
// reversed by a second click, and kept across updates with new processes put in
// their place and the selection left where it was.
#include <gtest/gtest.h>

#include "tests/support/process_world.h"

using testing_support::ProcessWorld;
using namespace procs;

namespace {

std::vector<std::int64_t> Order(const ProcessWorld& w) {
  std::vector<std::int64_t> keys;
  for (std::size_t i = 0; i < w.list.Count(); ++i) keys.push_back(w.list.Item(i).key);
  return keys;
}

void AddWithMemory(ProcessWorld& w, std::uint32_t pid, std::uint64_t kilobytes) {
  w.system.AddProcess(pid, L"p" + std::to_wstring(pid) + L".exe").workingSet = kilobytes * 1024;
}

}  // namespace

TEST(ProcessOrder, HeaderClicksSortByValueThenReverseAndTheOrderIsKept) {
  ProcessWorld w;
  AddWithMemory(w, 10, 3000);
  AddWithMemory(w, 20, 1000);
  AddWithMemory(w, 30, 2000);
  w.Tick();
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{10, 20, 30}));  // as they came
  EXPECT_FALSE(w.page.SortColumn().has_value());
  w.list.Select(*w.list.FindByKey(30), true);

  w.page.SortByColumn(kColMemory);
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{20, 30, 10}));
  EXPECT_EQ(w.page.SortColumn(), std::optional<std::size_t>{kColMemory});
  EXPECT_FALSE(w.page.SortDescending());
  w.page.SortByColumn(kColMemory);
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{10, 30, 20}));
  EXPECT_TRUE(w.page.SortDescending());

  AddWithMemory(w, 40, 1500);  // a newcomer goes to its place, not to the end
  w.system.Find(20)->workingSet = 5000 * 1024;  // a changed figure moves its item
  w.Tick();
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{20, 10, 30, 40}));
  EXPECT_EQ(w.Cell(20, kColMemory), L"5000 K");
  EXPECT_EQ(w.page.SelectedPid(), 30u);
  EXPECT_EQ(w.list.SelectedCount(), 1u);
  w.Tick();
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{20, 10, 30, 40}));
}

TEST(ProcessOrder, NumbersSortNumericallyAndTextsIgnoreCase) {
  ProcessWorld w;
  w.system.AddProcess(100, L"beta.exe");
  w.system.AddProcess(20, L"Alpha.exe");
  w.system.AddProcess(3, L"gamma.exe");
  w.Tick();
  w.page.SortByColumn(kColPid);
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{3, 20, 100}));
  w.page.SortByColumn(kColName);
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{20, 100, 3}));
  w.system.AddProcess(7, L"ALPHA.exe");  // equal ignoring case: after the one already there
  w.Tick();
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{20, 7, 100, 3}));
}

TEST(ProcessOrder, CpuSortsBlankBeforeZeroBeforeShares) {
  ProcessWorld w;
  w.system.AddProcess(1, L"idle.exe");
  w.system.AddProcess(2, L"busy.exe");
  w.Tick();
  w.Tick();
  w.system.AddProcess(3, L"new.exe");  // "0" on its first tick
  w.system.Find(2)->userTime += 5'000'000;
  w.Tick();
  ASSERT_EQ(w.Cell(1, kColCpu), L"0.0");
  ASSERT_EQ(w.Cell(2, kColCpu), L"50.0");
  ASSERT_EQ(w.Cell(3, kColCpu), L"0");
  w.page.SortByColumn(kColCpu);
  w.page.SortByColumn(kColCpu);
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{2, 1, 3}));
  w.Tick();  // new.exe now shows "", below everything
  EXPECT_EQ(w.Cell(3, kColCpu), L"");
  EXPECT_EQ(Order(w).back(), 3);
}

TEST(ProcessOrder, ColumnsWithoutTheSortedOneDropTheSort) {
  ProcessWorld w;
  AddWithMemory(w, 10, 3000);
  AddWithMemory(w, 20, 1000);
  w.Tick();
  w.page.SortByColumn(kColMemory);
  w.page.SetColumns({DefaultColumns()[0], DefaultColumns()[1]});
  EXPECT_FALSE(w.page.SortColumn().has_value());
  AddWithMemory(w, 5, 10);
  w.Tick();
  EXPECT_EQ(Order(w), (std::vector<std::int64_t>{20, 10, 5}));  // kept, newcomers at the end
}
