// The Processes page's remaining commands: whose processes are listed, ending a
// process tree, the processor affinity, the registered debugger, and suspending
// and resuming with the state column that shows it.
#include <gtest/gtest.h>

#include "procs/affinity.h"
#include "procs/debugger_command.h"
#include "procs/process_tree.h"
#include "tests/support/process_world.h"

using testing_support::ProcessWorld;
using namespace procs;

TEST(UserFilter, ListsThisUsersAndUserlessProcessesUntilAllUsersAreAsked) {
  ProcessWorld w;  // the program runs as "tester"
  w.system.AddProcess(0, L"");                            // System Idle: no user
  w.system.AddProcess(10, L"mine.exe");
  w.system.AddProcess(11, L"shouty.exe").tokenUser = L"TESTER";
  w.system.AddProcess(20, L"theirs.exe").sessionUser = L"bob";
  w.system.AddProcess(30, L"guarded.exe").refuseLimited = true;  // no user learned
  w.Tick();
  EXPECT_TRUE(w.Listed(0));
  EXPECT_TRUE(w.Listed(10));
  EXPECT_TRUE(w.Listed(11));
  EXPECT_FALSE(w.Listed(20));
  EXPECT_TRUE(w.Listed(30));
  w.Tick();
  EXPECT_FALSE(w.Listed(20));
  EXPECT_NE(w.table.Find(20), nullptr);  // still known, only not shown

  w.page.SetShowAllUsers(true);  // at once, not at the next tick
  EXPECT_TRUE(w.Listed(20));
  EXPECT_EQ(w.Cell(20, kColUser), L"bob");
  w.Tick();
  EXPECT_TRUE(w.Listed(20));

  w.page.SetShowAllUsers(false);
  EXPECT_FALSE(w.Listed(20));
  EXPECT_EQ(w.list.Count(), 4u);
  w.system.RemoveProcess(20);  // a hidden process that ends loses its row
  w.Tick();
  EXPECT_EQ(w.table.Find(20), nullptr);
  w.page.SetShowAllUsers(true);
  EXPECT_EQ(w.list.Count(), 4u);
}

TEST(UserFilter, UnknownCurrentUserHidesNothing) {
  ProcessWorld w;
  w.system.currentUser.clear();
  ProcessesPage page{w.table, w.list, w.system, w.system, w.system, w.system, w.closing};
  w.system.AddProcess(20, L"theirs.exe").sessionUser = L"bob";
  w.system.Advance(1000);
  w.collector.CollectProcesses();
  page.UpdateProcessList();
  EXPECT_TRUE(w.Listed(20));
}

namespace {

// 10 started 11, which started 12; 13 names 10 as its parent but is older than
// it: its real parent ended and 10 reused the identifier.
void AddFamily(ProcessWorld& w) {
  auto& root = w.system.AddProcess(10, L"root.exe");
  root.createTime = 1000;
  auto& child = w.system.AddProcess(11, L"child.exe");
  child.parentPid = 10;
  child.createTime = 2000;
  auto& grandchild = w.system.AddProcess(12, L"grandchild.exe");
  grandchild.parentPid = 11;
  grandchild.createTime = 3000;
  auto& stranger = w.system.AddProcess(13, L"stranger.exe");
  stranger.parentPid = 10;
  stranger.createTime = 500;
  w.system.AddProcess(14, L"other.exe").parentPid = 99;
}

}  // namespace

TEST(ProcessTree, ChildrenComeFirstAndAReusedParentIdentifierDragsInNobody) {
  ProcessWorld w;
  AddFamily(w);
  w.Tick();
  EXPECT_EQ(ProcessTreeOf(w.table, 10), (std::vector<std::int64_t>{12, 11, 10}));
  EXPECT_EQ(ProcessTreeOf(w.table, 13), (std::vector<std::int64_t>{13}));
  EXPECT_TRUE(ProcessTreeOf(w.table, 4242).empty());

  w.list.Select(*w.list.FindByKey(10), true);
  w.page.N38Click();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"泽恩特警告");
  EXPECT_EQ(w.system.terminated, (std::vector<std::uint32_t>{12, 11, 10}));
  EXPECT_FALSE(w.Listed(10));
  EXPECT_FALSE(w.Listed(12));
  EXPECT_TRUE(w.Listed(13));
  w.Tick();
  EXPECT_EQ(w.table.Find(11), nullptr);
  EXPECT_EQ(w.list.Count(), 2u);
}

// A member that ended and whose identifier another process took since the tick
// (or that could not tell its start while exiting) is passed over quietly.
TEST(ProcessTree, AMemberReplacedSinceTheTickIsPassedOverAndTheRestEnded) {
  ProcessWorld w;
  AddFamily(w);
  w.Tick();
  w.system.RemoveProcess(12);
  w.system.AddProcess(12, L"newcomer.exe").createTime = 9000;
  w.list.Select(*w.list.FindByKey(10), true);
  w.page.N38Click();
  EXPECT_EQ(w.system.boxes.size(), 1u);  // the confirmation only
  EXPECT_EQ(w.system.terminated, (std::vector<std::uint32_t>{11, 10}));
  EXPECT_TRUE(w.Listed(12));
}

// A process still being started can be listed before the system stamps its
// creation time (Wine leaves the field unset): it is ended with its branch,
// keeps its row once the time shows, and a process that took its identifier
// after the listing is not taken for it.
TEST(ProcessTree, AMemberListedBeforeItsStartWasStampedIsEndedWithTheBranch) {
  constexpr std::int64_t kUnset = 0x5555555555555555;
  ProcessWorld w;
  AddFamily(w);
  w.system.Find(12)->createTime = kUnset;
  w.Tick();
  w.system.Find(12)->createTime = 3000;
  w.list.Select(*w.list.FindByKey(10), true);
  w.page.N38Click();
  EXPECT_EQ(w.system.terminated, (std::vector<std::uint32_t>{12, 11, 10}));

  w.system.AddProcess(20, L"starting.exe").createTime = kUnset;
  w.Tick();
  w.system.Find(20)->createTime = 3000;
  w.Tick();
  EXPECT_FALSE(w.table.Find(20)->Renewed);
  EXPECT_EQ(w.table.Find(20)->CreateTime, 3000);
  w.system.AddProcess(21, L"starting.exe").createTime = kUnset;
  w.Tick();
  w.system.RemoveProcess(21);
  w.system.Advance(5000);
  w.system.AddProcess(21, L"newcomer.exe");
  w.Tick();
  EXPECT_EQ(w.Cell(21, kColName), L"newcomer.exe");
}

TEST(ProcessTree, ARefusalShowsAccessDeniedAndStops) {
  ProcessWorld w;
  AddFamily(w);
  w.system.Find(11)->refuseTerminate = true;
  w.Tick();
  w.list.Select(*w.list.FindByKey(10), true);
  w.system.answerYes = false;
  w.page.N38Click();
  EXPECT_TRUE(w.system.terminated.empty());
  w.system.answerYes = true;
  w.page.N38Click();
  EXPECT_EQ(w.system.terminated, std::vector<std::uint32_t>{12});
  ASSERT_EQ(w.system.boxes.size(), 3u);
  EXPECT_EQ(w.system.boxes[2].text, L"访问被拒绝");
  EXPECT_TRUE(w.Listed(11));
  EXPECT_TRUE(w.Listed(10));
}

namespace {

struct ScriptedChooser : AffinityChooser {
  std::vector<bool> shown;
  std::optional<std::vector<bool>> answer;
  std::optional<std::vector<bool>> Choose(const std::vector<bool>& current) override {
    shown = current;
    return answer;
  }
};

}  // namespace

TEST(Affinity, MasksRoundTripThroughTheBoxes) {
  EXPECT_EQ(ProcessorsOfMask(0b1101, 4), (std::vector<bool>{true, false, true, true}));
  EXPECT_EQ(MaskOfProcessors({true, false, true, true}), 0b1101u);
  EXPECT_EQ(ProcessorsOfMask(~0ull, 70).size(), 64u);
  EXPECT_EQ(MaskOfProcessors(ProcessorsOfMask(~0ull, 64)), ~0ull);
  EXPECT_FALSE(MaskOfProcessors({false, false}).has_value());
  EXPECT_EQ(ProcessorCaption(3), L"CPU 3");

  ProcessWorld w;
  w.system.processorCount = 4;
  w.system.AddProcess(10, L"a.exe");
  w.Tick();
  w.list.Select(0, true);
  ScriptedChooser chooser;
  chooser.answer = std::vector<bool>{false, true, false, true};
  w.page.N41Click(chooser, 4);
  EXPECT_EQ(chooser.shown, (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(w.system.Find(10)->affinity, 0b1010u);
  w.page.N41Click(chooser, 0);  // no count yet: the system's mask tells
  EXPECT_EQ(chooser.shown, (std::vector<bool>{false, true, false, true}));

  chooser.answer.reset();  // cancelled
  w.page.N41Click(chooser, 4);
  EXPECT_EQ(w.system.Find(10)->affinity, 0b1010u);
  EXPECT_TRUE(w.system.boxes.empty());

  w.system.Find(10)->refuseSetInformation = true;
  chooser.answer = std::vector<bool>{true, false, false, false};
  w.page.N41Click(chooser, 4);
  EXPECT_EQ(w.system.Find(10)->affinity, 0b1010u);
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].text, L"访问被拒绝");
}

TEST(Debugger, StartsTheRegisteredCommandWithTheIdentifierFilledIn) {
  EXPECT_EQ(DebuggerCommandFor(L"\"C:\\dbg.exe\" -p %ld -e %ld", 42), L"\"C:\\dbg.exe\" -p 42 -e 0");
  EXPECT_EQ(DebuggerCommandFor(L"dbg %d 100%%", 7), L"dbg 7 100%");
  EXPECT_EQ(DebuggerCommandFor(L"dbg.exe", 7), L"dbg.exe 7");
  // The debug-information address of a crash: a running process has none.
  EXPECT_EQ(DebuggerCommandFor(L"vsjit.exe -p %ld -e %ld -j 0x%p", 42),
            L"vsjit.exe -p 42 -e 0 -j 0x0");
  EXPECT_EQ(DebuggerCommandFor(L"dbg -j %p -p %lu", 9), L"dbg -j 0 -p 9");

  ProcessWorld w;
  w.system.AddProcess(42, L"a.exe");
  w.Tick();
  w.list.Select(0, true);
  EXPECT_FALSE(w.page.DebuggerRegistered());
  w.page.N37Click();
  EXPECT_TRUE(w.system.startedCommands.empty());
  w.system.debugger = L"winedbg --auto %ld %ld";
  EXPECT_TRUE(w.page.DebuggerRegistered());
  w.page.N37Click();
  ASSERT_EQ(w.system.startedCommands.size(), 1u);
  EXPECT_EQ(w.system.startedCommands[0].file, L"winedbg");
  EXPECT_EQ(w.system.startedCommands[0].parameters, L"--auto 42 0");
}

TEST(Debugger, CommandIsCutIntoProgramAndParametersForTheShell) {
  auto parts = [](const std::wstring& line) {
    const CommandParts p = SplitCommandLine(line);
    return std::vector<std::wstring>{p.program, p.parameters};
  };
  using Parts = std::vector<std::wstring>;
  EXPECT_EQ(parts(L"\"C:\\Program Files\\Dbg\\dbg.exe\"  -p 42 "),
            (Parts{L"C:\\Program Files\\Dbg\\dbg.exe", L"-p 42"}));
  EXPECT_EQ(parts(L"C:\\Program Files\\Dbg\\dbg.exe -p 42 -f C:\\x.exe"),
            (Parts{L"C:\\Program Files\\Dbg\\dbg.exe", L"-p 42 -f C:\\x.exe"}));
  EXPECT_EQ(parts(L"drwtsn32 -p 42 -f C:\\x.exe"), (Parts{L"drwtsn32", L"-p 42 -f C:\\x.exe"}));
  EXPECT_EQ(parts(L"\"C:\\unclosed dbg.exe 42"), (Parts{L"C:\\unclosed dbg.exe 42", L""}));
  EXPECT_EQ(parts(L"dbg.exe"), (Parts{L"dbg.exe", L""}));
}

TEST(ProcessState, SuspendedWhenEveryThreadIsAndNotRespondingWhenItsWindowHangs) {
  ProcessWorld w;
  w.page.SetColumns({{ColumnKind::kImageName, L"映像名称"}, {ColumnKind::kState, L"状态"}});
  w.system.AddProcess(10, L"frozen.exe").threads = 3;
  w.system.AddProcess(20, L"half.exe").threads = 2;
  w.system.AddProcess(30, L"hung.exe");
  w.system.Find(10)->suspendedThreads = 3;
  w.system.Find(20)->suspendedThreads = 1;
  w.collector.SetNotRespondingSource([](std::vector<std::uint32_t>& pids) { pids = {30, 99}; });
  w.Tick();
  EXPECT_EQ(w.Cell(10, 1), L"已挂起");
  EXPECT_EQ(w.Cell(20, 1), L"正在运行");
  EXPECT_EQ(w.Cell(30, 1), L"无响应");
  // Suspended elsewhere with one thread still in a read: it can be resumed.
  w.list.Select(*w.list.FindByKey(20), true);
  EXPECT_TRUE(w.page.CanResume());
  EXPECT_FALSE(w.page.CanSuspend());
  w.collector.SetNotRespondingSource(nullptr);
  w.system.Find(10)->suspendedThreads = 2;
  w.Tick();
  EXPECT_EQ(w.Cell(10, 1), L"正在运行");
  EXPECT_EQ(w.Cell(30, 1), L"正在运行");
}

TEST(ProcessState, SuspendAndResumeActOnTheSelectionButNeverOnThisProgram) {
  ProcessWorld w;
  w.system.AddProcess(10, L"worker.exe").threads = 2;
  w.system.AddProcess(20, L"guarded.exe").refuseSuspendResume = true;
  w.system.AddProcess(30, L"zentrik.exe");
  w.page.SetOwnProcessId(30);
  w.Tick();
  w.list.Select(*w.list.FindByKey(10), true);
  EXPECT_TRUE(w.page.CanSuspend());
  EXPECT_FALSE(w.page.CanResume());
  w.page.SuspendProcess();
  EXPECT_EQ(w.system.Find(10)->suspendedThreads, 2u);
  w.Tick();
  EXPECT_FALSE(w.page.CanSuspend());
  EXPECT_TRUE(w.page.CanResume());
  w.page.ResumeProcess();
  w.Tick();
  EXPECT_EQ(w.system.Find(10)->suspendedThreads, 0u);
  EXPECT_TRUE(w.page.CanSuspend());
  EXPECT_TRUE(w.system.boxes.empty());

  w.list.Select(*w.list.FindByKey(10), false);
  w.list.Select(*w.list.FindByKey(20), true);
  w.page.SuspendProcess();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[0].text, L"访问被拒绝");
  EXPECT_EQ(w.system.boxes[0].icon, platform::BoxIcon::kError);

  w.list.Select(*w.list.FindByKey(20), false);
  w.list.Select(*w.list.FindByKey(30), true);
  EXPECT_FALSE(w.page.CanSuspend());
  EXPECT_FALSE(w.page.CanResume());
}

// Wine writes thread records with no state, and a thread blocked in a read never
// reaches the suspended wait: what was suspended from here must still be
// resumable from here.
TEST(ProcessState, ASuspensionFromHereLastsUntilResumedRunningAgainOrTheIdentifierReused) {
  ProcessWorld w;
  w.page.SetColumns({{ColumnKind::kImageName, L"映像名称"}, {ColumnKind::kState, L"状态"}});
  w.system.AddProcess(10, L"notepad.exe").blankThreadStates = true;
  auto& browser = w.system.AddProcess(20, L"browser.exe");
  browser.threads = 3;
  browser.blockedThreads = 1;
  w.Tick();
  const auto suspend = [&](std::uint32_t pid) {
    w.SelectOnly(pid);
    w.page.SuspendProcess();
    EXPECT_TRUE(w.page.CanResume());
    EXPECT_FALSE(w.page.CanSuspend());
    w.Tick();
    w.Tick();
    EXPECT_EQ(w.Cell(pid, 1), L"已挂起");
    EXPECT_TRUE(w.page.CanResume());
  };
  suspend(10);
  EXPECT_EQ(w.system.Find(10)->suspendedThreads, 1u);
  w.page.ResumeProcess();
  EXPECT_EQ(w.system.Find(10)->suspendedThreads, 0u);
  EXPECT_TRUE(w.page.CanSuspend());
  w.Tick();
  EXPECT_EQ(w.Cell(10, 1), L"正在运行");

  suspend(20);
  EXPECT_EQ(w.system.Find(20)->suspendedThreads, 2u);
  // Resumed elsewhere: its threads run again.
  w.system.Find(20)->suspendedThreads = 0;
  w.Tick();
  EXPECT_EQ(w.Cell(20, 1), L"正在运行");
  EXPECT_TRUE(w.page.CanSuspend());

  suspend(10);
  // Ended, and its identifier taken by a process started later.
  w.system.RemoveProcess(10);
  w.system.AddProcess(10, L"other.exe").blankThreadStates = true;
  w.Tick();
  EXPECT_EQ(w.Cell(10, 1), L"正在运行");
  EXPECT_TRUE(w.page.CanSuspend());
  EXPECT_TRUE(w.system.boxes.empty());
}

TEST(ProcessState, CriticalProcessesAreNeverSuspendedAndTheDesktopsOnlyOnYes) {
  ProcessWorld w;
  w.system.AddProcess(10, L"winlogon.exe").critical = true;
  w.system.AddProcess(20, L"explorer.exe");
  w.system.AddProcess(30, L"DWM.EXE");
  w.system.taskbarProcessId = 20;
  w.Tick();
  w.SelectOnly(10);
  w.page.SuspendProcess();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[0].text, L"无法挂起系统关键进程。");
  EXPECT_EQ(w.system.boxes[0].icon, platform::BoxIcon::kError);
  EXPECT_EQ(w.system.Find(10)->suspendedThreads, 0u);

  w.system.answerYes = false;
  for (const std::uint32_t pid : {20u, 30u}) {
    w.SelectOnly(pid);
    w.page.SuspendProcess();
    EXPECT_EQ(w.system.Find(pid)->suspendedThreads, 0u);
    EXPECT_TRUE(w.page.CanSuspend());
  }
  ASSERT_EQ(w.system.boxes.size(), 3u);
  EXPECT_EQ(w.system.boxes[1].caption, L"泽恩特警告");
  EXPECT_EQ(w.system.boxes[1].text,
            L"挂起“explorer.exe”会使桌面停止响应，直到恢复为止。确实要挂起吗？");
  EXPECT_TRUE(w.system.boxes[1].question);
  EXPECT_EQ(w.system.boxes[2].text,
            L"挂起“DWM.EXE”会使桌面停止响应，直到恢复为止。确实要挂起吗？");
  w.system.answerYes = true;
  w.page.SuspendProcess();
  EXPECT_EQ(w.system.Find(30)->suspendedThreads, 1u);
}

// A box that could not be shown was answered by nobody: nothing is ended or suspended.
TEST(ProcessCommands, AConfirmationThatCouldNotBeShownIsNoYes) {
  ProcessWorld w;
  AddFamily(w);
  w.system.AddProcess(30, L"dwm.exe");
  w.Tick();
  w.system.boxesFail = true;
  w.SelectOnly(10);
  w.page.act_KillProcExecute();
  w.page.N38Click();
  w.SelectOnly(30);
  w.page.SuspendProcess();
  EXPECT_TRUE(w.system.terminated.empty());
  EXPECT_EQ(w.system.Find(30)->suspendedThreads, 0u);
  EXPECT_TRUE(w.Listed(10));
}
