// The Processes page: the list follows the table in place, and the commands act on
// the selected process with the confirmations and refusals the user must see.
#include "procs/processes_page.h"

#include <gtest/gtest.h>

#include "tests/support/process_world.h"

using testing_support::ProcessWorld;
using namespace procs;

TEST(ProcessesPage, EndedProcessLosesItsItemAtTheNextUpdateAndSelectionStays) {
  ProcessWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddProcess(20, L"b.exe");
  w.system.AddProcess(30, L"c.exe");
  w.Tick();
  ASSERT_EQ(w.list.Count(), 3u);
  w.list.Select(*w.list.FindByKey(30), true);
  w.system.RemoveProcess(20);
  w.system.AddProcess(40, L"d.exe");
  w.Tick();
  ASSERT_EQ(w.list.Count(), 3u);
  EXPECT_EQ(w.list.Item(0).key, 10);
  EXPECT_EQ(w.list.Item(1).key, 30);
  EXPECT_EQ(w.list.Item(2).key, 40);  // newcomers are appended
  EXPECT_TRUE(w.list.Item(1).selected);
  EXPECT_EQ(w.table.Find(20), nullptr);  // its row is free again
  EXPECT_EQ(w.page.SelectedPid(), 30u);
}

TEST(ProcessesPage, UpdatesOnlyTheCellsThatChanged) {
  struct Counter : ui::ListObserver {
    int changes = 0, inserts = 0, deletes = 0;
    void ItemInserted(std::size_t) override { ++inserts; }
    void ItemDeleted(std::size_t) override { ++deletes; }
    void ItemTextChanged(std::size_t, std::size_t) override { ++changes; }
    void ItemSelectionChanged(std::size_t) override {}
    void ItemsCleared() override {}
  } counter;
  ProcessWorld w;
  w.list.SetObserver(&counter);
  w.system.AddProcess(10, L"a.exe");
  w.system.AddProcess(20, L"b.exe");
  w.Tick();
  w.Tick();
  w.Tick();
  counter.changes = 0;
  w.system.Find(10)->workingSet += 1 << 20;
  w.Tick();
  EXPECT_EQ(counter.inserts, 2);
  EXPECT_EQ(counter.deletes, 0);
  EXPECT_EQ(counter.changes, 1);
}

TEST(ProcessesPage, EndProcessAsksThenEndsAndFreesTheRow) {
  ProcessWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddProcess(20, L"b.exe");
  w.Tick();
  w.list.Select(*w.list.FindByKey(20), true);

  w.system.answerYes = false;
  w.page.act_KillProcExecute();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"泽恩特警告");
  EXPECT_EQ(w.system.boxes[0].icon, platform::BoxIcon::kWarning);
  EXPECT_TRUE(w.Listed(20));

  w.system.answerYes = true;
  w.page.act_KillProcExecute();
  EXPECT_EQ(w.system.terminated, std::vector<std::uint32_t>{20});
  EXPECT_FALSE(w.Listed(20));
  w.Tick();
  EXPECT_EQ(w.table.Find(20), nullptr);
  EXPECT_EQ(w.table.Used(), 1u);
}

TEST(ProcessesPage, RefusedEndShowsAccessDeniedAndKeepsTheItem) {
  ProcessWorld w;
  w.system.AddProcess(10, L"guarded.exe").refuseTerminate = true;
  w.Tick();
  w.list.Select(0, true);
  w.page.act_KillProcExecute();
  ASSERT_EQ(w.system.boxes.size(), 2u);
  EXPECT_EQ(w.system.boxes[1].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[1].text, L"访问被拒绝");
  EXPECT_EQ(w.system.boxes[1].icon, platform::BoxIcon::kError);
  EXPECT_TRUE(w.Listed(10));
  w.Tick();
  EXPECT_TRUE(w.Listed(10));

  // The idle process is refused too, though the system answers for it as for
  // an identifier that nobody holds any more.
  w.system.AddProcess(0, L"");
  w.Tick();
  for (std::size_t i = 0; i < w.list.Count(); ++i) w.list.Select(i, w.list.Item(i).key == 0);
  w.page.act_KillProcExecute();
  EXPECT_EQ(w.system.boxes.back().text, L"访问被拒绝");
  EXPECT_TRUE(w.Listed(0));
}

TEST(ProcessesPage, EndingAProcessThatIsAlreadyGoneIsSilent) {
  ProcessWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.Tick();
  w.list.Select(0, true);
  w.system.RemoveProcess(10);
  w.page.act_KillProcExecute();
  EXPECT_EQ(w.system.boxes.size(), 1u);  // the confirmation only
  EXPECT_FALSE(w.Listed(10));
  w.Tick();
  EXPECT_EQ(w.table.Find(10), nullptr);
}

TEST(ProcessesPage, AnIdentifierReusedSinceTheRowWasTakenEndsNobody) {
  ProcessWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddProcess(20, L"b.exe");
  w.Tick();
  // b.exe ends and a newcomer takes its identifier before the next tick.
  w.system.RemoveProcess(20);
  w.system.AddProcess(20, L"stranger.exe").createTime += 1;
  for (std::size_t i = 0; i < w.list.Count(); ++i) w.list.Select(i, true);
  w.page.act_KillProcExecute();
  EXPECT_TRUE(w.system.terminated.empty()) << "and a.exe is left alone too";
  ASSERT_EQ(w.system.boxes.size(), 2u);
  EXPECT_EQ(w.system.boxes[1].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[1].text, L"该进程已经结束。");
  EXPECT_TRUE(w.Listed(20));
  EXPECT_NE(w.system.Find(20), nullptr);
}

TEST(ProcessesPage, PriorityIsReadAndSetThroughTheTags) {
  ProcessWorld w;
  w.system.AddProcess(10, L"a.exe").priorityClass = platform::kBelowNormalPriority;
  w.system.AddProcess(20, L"b.exe").refuseSetInformation = true;
  w.system.AddProcess(30, L"c.exe").refuseLimited = true;
  EXPECT_EQ(w.page.PriorityIndexOf(10), 5);
  EXPECT_EQ(w.page.PriorityIndexOf(30), 3);  // unreadable shows as idle
  EXPECT_TRUE(w.page.SetProcessPriority(10, 1));
  EXPECT_EQ(w.system.Find(10)->priorityClass, platform::kHighPriority);
  EXPECT_FALSE(w.page.SetProcessPriority(20, 1));
  EXPECT_EQ(w.system.Find(20)->priorityClass, platform::kNormalPriority);
}

TEST(ProcessesPage, FindTargetOpensExplorerFromTheWindowsFolderAtThePathEvenWhenUnknown) {
  ProcessWorld w;
  w.system.AddProcess(10, L"a.exe").refuseLimited = true;
  w.Tick();
  w.page.N34Click();
  EXPECT_TRUE(w.system.shellCalls.empty());  // nothing selected
  w.list.Select(0, true);
  w.page.N34Click();
  ASSERT_EQ(w.system.shellCalls.size(), 1u);
  EXPECT_EQ(w.system.shellCalls[0].verb, L"Open");
  EXPECT_EQ(w.system.shellCalls[0].file, L"C:\\Windows\\explorer.exe");
  EXPECT_EQ(w.system.shellCalls[0].parameters, L"/select,\"unknown\"");
  // Never by a bare name, which would be looked for beside the program first.
  w.system.windowsFolder = L"D:\\";
  w.page.N34Click();
  ASSERT_EQ(w.system.shellCalls.size(), 2u);
  EXPECT_EQ(w.system.shellCalls[1].file, L"D:\\explorer.exe");
  w.system.windowsFolder.clear();
  w.page.N34Click();
  EXPECT_EQ(w.system.shellCalls.size(), 2u);
}

TEST(ProcessesPage, ClosingStopsTheUpdate) {
  ProcessWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.collector.CollectProcesses();
  w.closing = true;
  w.page.UpdateProcessList();
  EXPECT_EQ(w.list.Count(), 0u);
}

TEST(ProcessesPage, FilterTextMatchesNamePidUserAndPathAndCombinesWithTheUserFilter) {
  ProcessWorld w;
  w.system.AddProcess(10, L"Notepad.exe");
  w.system.AddProcess(20, L"calc.exe").imagePath = L"\\??\\C:\\Notes\\calc.exe";
  w.system.AddProcess(30, L"shell.exe");
  auto& other = w.system.AddProcess(40, L"note-other.exe");
  other.sessionUser = L"alice";  // not the user this program runs as
  w.system.AddProcess(1234, L"idle.exe");
  w.Tick();
  w.page.SetFilterText(L"NOTE");
  ASSERT_EQ(w.list.Count(), 2u);  // by name and by path; alice's stays hidden
  EXPECT_TRUE(w.Listed(10));
  EXPECT_TRUE(w.Listed(20));
  w.page.SetShowAllUsers(true);
  EXPECT_TRUE(w.Listed(40));
  EXPECT_FALSE(w.Listed(30));  // showing all users keeps the filter
  w.page.SetFilterText(L"23");
  EXPECT_EQ(w.list.Count(), 1u);
  EXPECT_TRUE(w.Listed(1234));
  w.page.SetFilterText(L"tester");  // the user name
  EXPECT_EQ(w.list.Count(), 4u);
  w.page.SetFilterText(L"");
  EXPECT_EQ(w.list.Count(), 5u);
}

TEST(ProcessesPage, FilterKeepsOrderAndSelectionAndHoldsAcrossUpdates) {
  ProcessWorld w;
  w.system.AddProcess(10, L"b-note.exe");
  w.system.AddProcess(20, L"a-note.exe");
  w.system.AddProcess(30, L"c.exe");
  for (std::uint32_t i = 0; i < 16; ++i)  // enough to bring back in one pass
    w.system.AddProcess(100 + i, L"e-" + std::to_wstring(i) + L".exe");
  w.Tick();
  w.page.SortByColumn(kColName);
  w.list.Select(*w.list.FindByKey(10), true);
  w.page.SetFilterText(L"note");
  ASSERT_EQ(w.list.Count(), 2u);
  EXPECT_EQ(w.page.SelectedPid(), 10u);
  w.system.AddProcess(40, L"0-note.exe");
  w.system.AddProcess(50, L"d.exe");
  w.system.RemoveProcess(20);
  w.Tick();
  ASSERT_EQ(w.list.Count(), 2u);  // the newcomer that matches, in its place
  EXPECT_EQ(w.list.Item(0).key, 40);
  EXPECT_EQ(w.list.Item(1).key, 10);
  w.Tick();
  w.page.SetFilterText(L"");
  ASSERT_EQ(w.list.Count(), 20u);  // every row back, in order, the selection kept
  EXPECT_EQ(w.list.Item(0).key, 40);
  EXPECT_EQ(w.list.Item(1).key, 10);
  EXPECT_EQ(w.list.Item(2).key, 30);
  EXPECT_EQ(w.list.Item(3).key, 50);
  EXPECT_EQ(w.list.Item(4).key, 100);
  EXPECT_EQ(w.page.SelectedPid(), 10u);
  EXPECT_EQ(w.totals.ProcessCount, 20);  // the status bar counts every process
}

TEST(ProcessesPage, TheWindowFindersPickIsShownAndSelectedWhateverHidIt) {
  ProcessWorld w;
  w.system.AddProcess(10, L"notepad.exe");
  w.system.AddProcess(20, L"other.exe").sessionUser = L"alice";  // another user's
  w.Tick();
  w.SelectOnly(10);
  w.page.SetFilterText(L"note");
  EXPECT_TRUE(w.page.ShowAndSelectProcess(20));
  EXPECT_TRUE(w.page.FilterText().empty());
  EXPECT_TRUE(w.page.ShowAllUsers());
  EXPECT_EQ(w.list.SelectedIndices(), std::vector<std::size_t>{*w.list.FindByKey(20)});
  EXPECT_FALSE(w.page.ShowAndSelectProcess(99)) << "no row: nothing to show";
  EXPECT_EQ(w.page.SelectedPid(), 20u);
}
