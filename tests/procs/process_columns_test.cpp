// Columns that tell the truth: every cell is made for the kind of the column it
// stands in, whatever the order, and the optional figures read as they should.
#include "procs/process_columns.h"

#include <gtest/gtest.h>

#include "procs/column_chooser.h"
#include "tests/support/process_world.h"

using testing_support::ProcessWorld;
using namespace procs;

namespace {

// Every column the chooser offers, in its order.
std::vector<ProcessColumn> AllOfferedColumns() {
  std::vector<ProcessColumn> columns;
  for (const ColumnSpec& box : ChooserBoxes())
    columns.push_back({box.kind, HeaderOfCaption(box.caption), box.width, true});
  return columns;
}

std::wstring CellUnder(const ProcessWorld& w, std::uint32_t pid, ColumnKind kind) {
  const auto item = w.list.FindByKey(pid);
  if (!item) return L"<no item>";
  const auto& columns = w.page.Columns();
  for (std::size_t c = 0; c < columns.size(); ++c)
    if (columns[c].kind == kind) return w.list.Text(*item, c);
  return L"<no column>";
}

platform::fake::FakeProcess& BusyProcess(ProcessWorld& w) {
  auto& p = w.system.AddProcess(77, L"worker.exe");
  p.sessionUser = L"tester";
  p.workingSet = 2048 * 1024;
  p.peakWorkingSet = 5000 * 1024;
  p.virtualSize = 123456 * 1024;
  p.pagedPool = 40 * 1024;
  p.nonPagedPool = 3 * 1024;
  p.pageFaults = 900;
  p.threads = 12;
  p.handles = 345;
  p.sessionId = 2;
  p.basePriority = 13;
  p.readOperations = 11;
  p.writeOperations = 22;
  p.otherOperations = 33;
  p.readBytes = 4400;
  p.writeBytes = 5500;
  p.otherBytes = 6600;
  p.userObjects = 17;
  p.gdiObjects = 29;
  p.kernelTime = 62 * 10'000'000LL;
  return p;
}

}  // namespace

TEST(ProcessColumns, AFreshWindowShowsEightColumnsWithTheirHeadersWidthsAndAlignment) {
  ProcessWorld w;
  std::vector<std::wstring> headers;
  std::vector<int> widths;
  std::wstring alignment;
  for (const ui::ListColumn& column : w.page.ListColumns()) {
    headers.push_back(column.caption);
    widths.push_back(column.width);
    alignment += column.rightAligned ? L'R' : L'L';
  }
  EXPECT_EQ(headers, (std::vector<std::wstring>{L"映像名称", L"PID", L"用户名", L"CPU", L"内存使用",
                                                L"CPU时间", L"路径", L"优先级"}));
  EXPECT_EQ(widths, (std::vector<int>{95, 40, 60, 40, 65, 65, 80, 50}));
  EXPECT_EQ(alignment, L"LRRRRLLR");
}

TEST(ProcessColumns, EveryOfferedColumnShowsItsOwnFigureInAnyOrder) {
  ProcessWorld w;
  BusyProcess(w);
  std::vector<ProcessColumn> columns = AllOfferedColumns();
  std::reverse(columns.begin() + 1, columns.end());  // any order, the caption column first
  w.page.SetColumns(columns);
  w.Tick();

  const std::vector<std::pair<ColumnKind, std::wstring>> expected = {
      {ColumnKind::kImageName, L"worker.exe"}, {ColumnKind::kPid, L"77"},
      {ColumnKind::kCpu, L"0"},                {ColumnKind::kCpuTime, L"00:01:02"},
      {ColumnKind::kMemory, L"2048 K"},        {ColumnKind::kMemoryDelta, L"0 K"},
      {ColumnKind::kPeakMemory, L"5000 K"},    {ColumnKind::kPageFaults, L"900"},
      {ColumnKind::kUserObjects, L"17"},       {ColumnKind::kIoReads, L"11"},
      {ColumnKind::kIoReadBytes, L"4400"},     {ColumnKind::kSessionId, L"2"},
      {ColumnKind::kUserName, L"tester"},      {ColumnKind::kPath, L"C:\\Programs\\worker.exe"},
      {ColumnKind::kIoOtherBytes, L"6600"},    {ColumnKind::kIoOther, L"33"},
      {ColumnKind::kIoWriteBytes, L"5500"},    {ColumnKind::kIoWrites, L"22"},
      {ColumnKind::kGdiObjects, L"29"},        {ColumnKind::kThreadCount, L"12"},
      {ColumnKind::kHandleCount, L"345"},      {ColumnKind::kBasePriority, L"13"},
      {ColumnKind::kNonPagedPool, L"3 K"},     {ColumnKind::kPagedPool, L"40 K"},
      {ColumnKind::kVirtualSize, L"123456 K"}, {ColumnKind::kPageFaultDelta, L"0"},
      {ColumnKind::kCommandLine, L""},        {ColumnKind::kDescription, L""},
      {ColumnKind::kCompany, L""},            {ColumnKind::kPlatform, L"64 位"},
      {ColumnKind::kState, L"正在运行"},
  };
  ASSERT_EQ(expected.size(), kChooserBoxCount);
  for (const auto& [kind, text] : expected)
    EXPECT_EQ(CellUnder(w, 77, kind), text) << "kind " << static_cast<int>(kind);
}

TEST(ProcessColumns, ChangingTheColumnsRewritesTheCellsOfListedItems) {
  ProcessWorld w;
  BusyProcess(w);
  w.Tick();
  EXPECT_EQ(w.Cell(77, kColUser), L"tester");
  w.page.SetColumns({{ColumnKind::kImageName, L"映像名称", 95, true},
                     {ColumnKind::kThreadCount, L"线程计数", 0, true},
                     {ColumnKind::kIoReads, L"I/O读取", 0, true}});
  EXPECT_EQ(w.Cell(77, 0), L"worker.exe");
  EXPECT_EQ(w.Cell(77, 1), L"12");
  EXPECT_EQ(w.Cell(77, 2), L"11");
  w.system.Find(77)->threads = 14;
  w.system.Find(77)->readOperations = 20;
  w.Tick();
  EXPECT_EQ(w.Cell(77, 1), L"14");
  EXPECT_EQ(w.Cell(77, 2), L"20");
  // The path for "查找目标" is found by kind even with no path column shown.
  w.list.Select(0, true);
  w.page.N34Click();
  ASSERT_EQ(w.system.shellCalls.size(), 1u);
  EXPECT_EQ(w.system.shellCalls[0].parameters, L"/select,\"C:\\Programs\\worker.exe\"");
}

TEST(ProcessColumns, DeltasAreTheChangeSinceThePreviousTick) {
  ProcessWorld w;
  auto& p = BusyProcess(w);
  w.page.SetColumns(AllOfferedColumns());
  w.Tick();
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kMemoryDelta), L"0 K");
  p.workingSet += 300 * 1024;
  p.pageFaults += 45;
  w.Tick();
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kMemoryDelta), L"300 K");
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kPageFaultDelta), L"45");
  w.system.Find(77)->workingSet -= 1000 * 1024;
  w.Tick();
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kMemoryDelta), L"-1000 K");
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kPageFaultDelta), L"0");
  w.Tick();
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kMemoryDelta), L"0 K");
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kMemory), L"1348 K");
}

TEST(ProcessColumns, GuiObjectsAreAskedOnlyWhileTheirColumnsAreShown) {
  ProcessWorld w;
  BusyProcess(w);
  w.system.AddProcess(78, L"locked.exe").refuseGuiObjects = true;
  w.Tick();
  w.Tick();
  EXPECT_EQ(w.system.guiQueries, 0);
  std::vector<ProcessColumn> columns = DefaultColumns();
  columns.push_back({ColumnKind::kGdiObjects, L"GDI对象", 0, true});
  w.page.SetColumns(columns);
  w.Tick();
  EXPECT_EQ(w.system.guiQueries, 2);
  EXPECT_EQ(CellUnder(w, 77, ColumnKind::kGdiObjects), L"29");
  EXPECT_EQ(CellUnder(w, 78, ColumnKind::kGdiObjects), L"0");  // refused: 0
  w.page.SetColumns(DefaultColumns());
  w.Tick();
  EXPECT_EQ(w.system.guiQueries, 2);
}

TEST(ProcessColumns, OnlyTheChangedCellsOfShownColumnsAreRewritten) {
  struct Counter : ui::ListObserver {
    std::vector<std::size_t> columns;
    void ItemInserted(std::size_t) override {}
    void ItemDeleted(std::size_t) override {}
    void ItemTextChanged(std::size_t, std::size_t column) override { columns.push_back(column); }
    void ItemSelectionChanged(std::size_t) override {}
    void ItemsCleared() override {}
  } counter;
  ProcessWorld w;
  auto& p = BusyProcess(w);
  w.page.SetColumns({{ColumnKind::kImageName, L"映像名称", 95, true},
                     {ColumnKind::kHandleCount, L"句柄计数", 0, true}});
  w.Tick();
  w.Tick();
  w.list.SetObserver(&counter);
  p.threads = 40;  // not shown: no cell to write
  w.Tick();
  EXPECT_TRUE(counter.columns.empty());
  p.handles = 400;
  w.Tick();
  EXPECT_EQ(counter.columns, std::vector<std::size_t>{1});
  w.list.SetObserver(nullptr);
}
