// The process list as a tree: the parent rule on bad data, the order, folding
// with its sums, updates and the filter.
#include <gtest/gtest.h>

#include "procs/process_tree_view.h"
#include "tests/support/process_world.h"

using testing_support::ProcessWorld;
using namespace procs;

namespace {

TprocTimeInfo Row(std::int64_t pid, std::int64_t parent, std::int64_t created) {
  TprocTimeInfo row;
  row.ProcessId = pid;
  row.ParentProcessId = parent;
  row.CreateTime = created;
  return row;
}

bool ByPid(const TprocTimeInfo& a, const TprocTimeInfo& b) { return a.ProcessId < b.ProcessId; }

// 10 started 11 and 14; 11 started 12; 13 is unrelated, younger than 10.
void AddFamily(ProcessWorld& w) {
  const auto add = [&](std::uint32_t pid, const wchar_t* name, std::uint32_t parent,
                       std::int64_t created, std::uint64_t megabytes) {
    auto& process = w.system.AddProcess(pid, name);
    process.parentPid = parent;
    process.createTime = created;
    process.workingSet = megabytes << 20;
  };
  add(10, L"root.exe", 0, 1000, 1);
  add(14, L"late.exe", 10, 4000, 8);
  add(11, L"child.exe", 10, 2000, 2);
  add(12, L"grandchild.exe", 11, 3000, 3);
  add(13, L"other.exe", 0, 1500, 5);
}

// The keys of the list in order, each with its indent.
std::vector<std::pair<std::int64_t, int>> Shape(const ui::ListModel& list) {
  std::vector<std::pair<std::int64_t, int>> shape;
  for (std::size_t i = 0; i < list.Count(); ++i)
    shape.emplace_back(list.Item(i).key, list.Item(i).indent);
  return shape;
}

}  // namespace

TEST(ProcessTreeView, AYoungerParentSelfParentsAndLoopsMakeRoots) {
  std::vector<TprocTimeInfo> rows{Row(1, 0, 10),  Row(2, 1, 5),   // 1 is younger than 2
                                  Row(3, 3, 10),                  // its own parent
                                  Row(4, 5, 10),  Row(5, 6, 10), Row(6, 4, 10),  // a loop
                                  Row(7, 6, 20)};
  ProcessTable table;
  for (const TprocTimeInfo& row : rows) table.Add(row);
  std::vector<TprocTimeInfo*> pointers;
  for (std::size_t r = 0; r < table.Capacity(); ++r) pointers.push_back(&table.Row(r));
  ProcessTreeView tree;
  tree.Arrange(table, pointers, [](TprocTimeInfo&) { return true; }, ByPid);
  std::vector<std::pair<std::int64_t, int>> shape;
  for (const TreeLine& line : tree.Lines()) shape.emplace_back(line.row->ProcessId, line.depth);
  EXPECT_EQ(shape, (std::vector<std::pair<std::int64_t, int>>{
                       {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 1}}));
}

TEST(ProcessTreeView, DepthFirstWithSiblingsInTheListsOrder) {
  ProcessWorld w;
  AddFamily(w);
  w.Tick();
  w.page.SetTreeView(true);
  // No sort column: by creation time, oldest first.
  EXPECT_EQ(Shape(w.list), (std::vector<std::pair<std::int64_t, int>>{
                               {10, 0}, {11, 1}, {12, 2}, {14, 1}, {13, 0}}));
  w.page.SortByColumn(kColPid);
  w.page.SortByColumn(kColPid);  // descending
  EXPECT_EQ(Shape(w.list), (std::vector<std::pair<std::int64_t, int>>{
                               {13, 0}, {10, 0}, {14, 1}, {11, 1}, {12, 2}}));
  // Off again: the flat list, sorted, nothing indented, the selection kept.
  w.SelectOnly(12);
  w.page.SetTreeView(false);
  EXPECT_EQ(w.page.SelectedPid(), 12u);
  EXPECT_EQ(Shape(w.list), (std::vector<std::pair<std::int64_t, int>>{
                               {14, 0}, {13, 0}, {12, 0}, {11, 0}, {10, 0}}));
}

TEST(ProcessTreeView, AFoldedNodeShowsItsBranchSumsAndStaysFoldedAcrossUpdates) {
  ProcessWorld w;
  AddFamily(w);
  w.Tick();
  w.page.SetTreeView(true);
  w.page.SetFolded(*w.list.FindByKey(11), true);
  EXPECT_FALSE(w.Listed(12));
  EXPECT_EQ(w.Cell(11, kColName), L"child.exe (+1)");
  EXPECT_EQ(w.Cell(11, kColMemory), L"5120 K");
  w.Tick();
  EXPECT_FALSE(w.Listed(12));
  EXPECT_EQ(w.Cell(11, kColName), L"child.exe (+1)");
  // Sorted by memory, the folded 11 sorts by its sum: after 14 (8 MB) going down.
  w.page.SetFolded(*w.list.FindByKey(10), false);
  w.page.SortByColumn(kColMemory);
  w.page.SortByColumn(kColMemory);
  EXPECT_EQ(Shape(w.list), (std::vector<std::pair<std::int64_t, int>>{
                               {13, 0}, {10, 0}, {14, 1}, {11, 1}}));
  // The keys: → opens, then goes to the first child; ← goes up, then folds.
  w.SelectOnly(11);
  EXPECT_TRUE(w.page.TreeKeyDown(ProcessesPage::TreeKey::kRight));
  EXPECT_EQ(w.Cell(11, kColName), L"child.exe");
  EXPECT_EQ(w.Cell(11, kColMemory), L"2048 K");
  EXPECT_TRUE(w.page.TreeKeyDown(ProcessesPage::TreeKey::kRight));
  EXPECT_EQ(w.page.SelectedPid(), 12u);
  EXPECT_TRUE(w.page.TreeKeyDown(ProcessesPage::TreeKey::kLeft));
  EXPECT_EQ(w.page.SelectedPid(), 11u);
  EXPECT_TRUE(w.page.TreeKeyDown(ProcessesPage::TreeKey::kLeft));
  EXPECT_EQ(w.Cell(11, kColName), L"child.exe (+1)");
  w.SelectOnly(10);
  EXPECT_TRUE(w.page.TreeKeyDown(ProcessesPage::TreeKey::kLeft));
  EXPECT_EQ(w.Cell(10, kColName), L"root.exe (+3)");
  w.page.OpenAncestors(12);  // what "转到进程" asks for
  EXPECT_TRUE(w.Listed(12));
  EXPECT_EQ(w.Cell(11, kColName), L"child.exe");
  w.SelectOnly(10);
  EXPECT_TRUE(w.page.TreeKeyDown(ProcessesPage::TreeKey::kLeft));
  EXPECT_TRUE(w.page.TreeKeyDown(ProcessesPage::TreeKey::kOpenBranch));
  EXPECT_EQ(w.list.Count(), 5u);
}

TEST(ProcessTreeView, AnEndedParentsChildrenBecomeRootsAndTheSelectionStays) {
  ProcessWorld w;
  AddFamily(w);
  w.Tick();
  w.page.SetTreeView(true);
  w.SelectOnly(12);
  w.system.RemoveProcess(11);
  w.Tick();
  EXPECT_EQ(Shape(w.list), (std::vector<std::pair<std::int64_t, int>>{
                               {10, 0}, {14, 1}, {13, 0}, {12, 0}}));
  EXPECT_EQ(w.page.SelectedPid(), 12u);
  // A newcomer is placed under its parent at the next update.
  auto& late = w.system.AddProcess(15, L"new.exe");
  late.parentPid = 13;
  late.createTime = 9000;
  w.Tick();
  EXPECT_EQ(Shape(w.list), (std::vector<std::pair<std::int64_t, int>>{
                               {10, 0}, {14, 1}, {13, 0}, {15, 1}, {12, 0}}));
  EXPECT_EQ(w.page.SelectedPid(), 12u);
}

TEST(ProcessTreeView, TheFilterKeepsTheAncestorsOfItsMatches) {
  ProcessWorld w;
  AddFamily(w);
  w.Tick();
  w.page.SetTreeView(true);
  w.page.SetFilterText(L"grand");
  EXPECT_EQ(Shape(w.list), (std::vector<std::pair<std::int64_t, int>>{{10, 0}, {11, 1}, {12, 2}}));
  EXPECT_TRUE(w.page.TreeLineOf(0)->ancestorOnly);
  EXPECT_FALSE(w.page.TreeLineOf(2)->ancestorOnly);
  w.Tick();
  EXPECT_EQ(w.list.Count(), 3u);
  w.page.SetFilterText(L"");
  EXPECT_EQ(w.list.Count(), 5u);
}
