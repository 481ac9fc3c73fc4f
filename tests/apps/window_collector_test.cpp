// The window collector on the fake system: which windows count as applications,
// what each row records (and which process an app frame or a ghost stands for),
// how the table follows windows that come and go, and how little a silent window
// may cost a tick.
#include "apps/window_collector.h"

#include <gtest/gtest.h>

#include "app/update_messages.h"
#include "tests/support/window_world.h"

using testing_support::WindowWorld;
using namespace apps;

namespace {

std::vector<WindowHandle> Collected(WinTable& table) {
  std::vector<WindowHandle> windows;
  for (std::size_t r = 0; r < table.Capacity(); ++r)
    if (table.Row(r).Wnd != 0) windows.push_back(table.Row(r).Wnd);
  return windows;
}

}  // namespace

TEST(WindowCollector, ListsOnlyWindowsAUserWouldCallApplications) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddWindow(1, L"Editor", 10);
  w.system.AddWindow(2, L"", 10);
  w.system.AddWindow(3, L"  \t ", 10);
  w.system.AddWindow(4, L"Hidden", 10).visible = false;
  w.system.AddWindow(5, L"Palette", 10).exStyle = platform::kToolWindowStyle;
  w.system.AddWindow(6, L"Taskbar tool", 10).exStyle =
      platform::kToolWindowStyle | platform::kAppWindowStyle;
  w.system.AddWindow(7, L"Owned by desktop", 10).owner = w.system.desktop;
  w.system.AddWindow(8, L"Owned dialog", 10).owner = 1;
  w.system.AddWindow(9, L" padded ", 10);
  w.system.AddWindow(10, L"Cloaked", 10).cloaked = true;  // visible, yet on no screen
  w.collector.CollectWindows();
  EXPECT_EQ(Collected(w.table), (std::vector<WindowHandle>{1, 6, 7, 9}));
  EXPECT_EQ(w.table.Find(9)->Caption, L" padded ");  // kept as the system gives it
  EXPECT_EQ(w.system.posted, std::vector<std::uint32_t>{app::kUpdateWindows});
}

TEST(WindowCollector, RowRecordsStateProcessAndProgramPath) {
  WindowWorld w;
  w.system.AddProcess(10, L"prog.exe").imagePath = L"C:\\Apps\\PROG.EXE";
  w.system.AddProcess(20, L"locked.exe").refuseLimited = true;
  w.system.AddWindow(1, L"Program", 10).showState = platform::kShowMaximized;
  w.system.AddWindow(2, L"Locked", 20).showState = platform::kShowMinimized;
  w.system.AddWindow(3, L"Orphan", 99);
  w.collector.CollectWindows();

  const TWinInfo* row = w.table.Find(1);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->ExePath, L"C:\\Apps\\PROG.EXE");  // ".EXE" in capitals counts
  EXPECT_EQ(row->ProcessId, 10u);
  EXPECT_EQ(row->ShowCmd, platform::kShowMaximized);
  EXPECT_EQ(row->StatusText, L"正在运行");
  EXPECT_EQ(row->RowState, kRowFilled);
  // A path that cannot be found is left empty; the row is kept.
  ASSERT_NE(w.table.Find(2), nullptr);
  EXPECT_EQ(w.table.Find(2)->ExePath, L"");
  EXPECT_EQ(w.table.Find(2)->ShowCmd, platform::kShowMinimized);
  EXPECT_EQ(w.table.Find(3)->ExePath, L"");
}

TEST(WindowCollector, AppFrameStandsForTheAppItHosts) {
  WindowWorld w;
  w.system.AddProcess(30, L"ApplicationFrameHost.exe");
  w.system.AddProcess(40, L"Calculator.exe");
  w.system.AddWindow(1, L"Calculator", 30).className = kAppFrameClass;
  w.system.AddWindow(2, L"Title bar", 30).parent = 1;  // the frame's own part
  auto& app = w.system.AddWindow(3, L"Calculator", 40);
  app.parent = 1;
  app.className = kHostedAppClass;
  // A frame whose app is not inside (starting, suspended) stays the host's.
  w.system.AddWindow(4, L"Settings", 30).className = kAppFrameClass;
  w.collector.CollectWindows();

  EXPECT_EQ(Collected(w.table), (std::vector<WindowHandle>{1, 4}));
  const TWinInfo* frame = w.table.Find(1);
  EXPECT_EQ(frame->ProcessId, 40u);
  EXPECT_EQ(frame->ProcessWnd, 3u);
  EXPECT_EQ(frame->ExePath, L"C:\\Programs\\Calculator.exe");
  EXPECT_EQ(w.table.Find(4)->ProcessId, 30u);
  EXPECT_EQ(w.table.Find(4)->ProcessWnd, 4u);
}

TEST(WindowCollector, GhostIsNotRespondingAndStandsForTheHungWindowsProcess) {
  WindowWorld w;
  w.system.AddProcess(50, L"dwm.exe");
  w.system.AddProcess(60, L"editor.exe");
  auto& hung = w.system.AddWindow(7, L"Editor", 60);
  hung.visible = false;  // hidden behind its ghost
  hung.hungBySystem = true;
  auto& ghost = w.system.AddWindow(8, L"Editor (Not Responding)", 50);
  ghost.className = kGhostClass;
  ghost.ghostOf = 7;
  // Where the system cannot name the hung window, the ghost keeps its own process.
  w.system.AddWindow(9, L"Viewer (Not Responding)", 50).className = kGhostClass;
  w.collector.CollectWindows();

  const TWinInfo* row = w.table.Find(8);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->StatusText, L"无响应");
  EXPECT_EQ(row->ProcessId, 60u);
  EXPECT_EQ(row->ProcessWnd, 7u);
  EXPECT_EQ(row->ExePath, L"C:\\Programs\\editor.exe");
  EXPECT_EQ(w.table.Find(9)->StatusText, L"无响应");
  EXPECT_EQ(w.table.Find(9)->ProcessId, 50u);
  // The ghost answers for the hung window, so it is never asked.
  EXPECT_EQ(w.system.answerTests, 0);
  EXPECT_TRUE(w.system.probes.empty());
}

TEST(WindowCollector, VanishingWindowAndOverlongTitleFallBack) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddWindow(1, L"Going", 10).vanished = true;
  w.system.AddWindow(2, std::wstring(300, L'x'), 10);
  w.collector.CollectWindows();
  const TWinInfo* gone = w.table.Find(1);
  ASSERT_NE(gone, nullptr);
  EXPECT_EQ(gone->ShowCmd, 0);
  EXPECT_EQ(gone->ProcessId, 0u);
  EXPECT_EQ(gone->ExePath, L"");  // process 0 is never asked for
  EXPECT_EQ(w.system.opens, 1);
  EXPECT_EQ(w.table.Find(2)->Caption.size(), platform::kMaxTitleLength);
}

TEST(WindowCollector, RowsFollowWindowsThatComeAndGoWithoutLimit) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  for (WindowHandle h = 1; h <= 250; ++h) w.system.AddWindow(h, L"Window", 10);
  w.collector.CollectWindows();
  EXPECT_EQ(w.table.Used(), 250u);  // no window is dropped past 201

  w.system.RemoveWindow(3);
  w.system.RemoveWindow(7);
  w.collector.CollectWindows();
  EXPECT_EQ(w.table.Used(), 248u);
  EXPECT_EQ(w.table.Find(3), nullptr);
  EXPECT_EQ(w.table.Row(2).Wnd, 0u);
  EXPECT_EQ(w.table.Row(2).RowState, kRowFree);

  // A newcomer takes the lowest free row; the rest stay where they were.
  w.system.AddWindow(500, L"New", 10);
  w.collector.CollectWindows();
  EXPECT_EQ(w.table.Row(2).Wnd, 500u);
  EXPECT_EQ(w.table.Row(3).Wnd, 4u);
  EXPECT_EQ(w.table.Capacity(), 250u);
}

TEST(WindowCollector, ProgramPathIsLookedUpOncePerProcessAndAFailureRetriedOnce) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddProcess(20, L"b.exe").refuseLimited = true;
  w.system.AddWindow(1, L"One", 10);
  w.system.AddWindow(2, L"Two", 10);
  w.system.AddWindow(3, L"Locked", 20);
  w.collector.CollectWindows();
  EXPECT_EQ(w.system.opens, 2);
  w.system.Find(20)->refuseLimited = false;
  w.collector.CollectWindows();
  // Known paths are kept, and the failure is not asked again at every tick...
  EXPECT_EQ(w.system.opens, 2);
  EXPECT_EQ(w.table.Find(3)->ExePath, L"");
  // ...but once more after a while, and now found.
  w.system.Advance(procs::kPathRetryMs);
  w.collector.CollectWindows();
  EXPECT_EQ(w.system.opens, 3);
  EXPECT_EQ(w.table.Find(3)->ExePath, L"C:\\Programs\\b.exe");
  w.collector.CollectWindows();
  EXPECT_EQ(w.system.opens, 3);
}

TEST(WindowCollector, SilentWindowCostsOneWaitAndRecoversThroughItsProbe) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddWindow(1, L"Busy", 10).answers = false;
  w.system.AddWindow(2, L"Fine", 10);
  w.collector.CollectWindows();
  EXPECT_EQ(w.table.Find(1)->StatusText, L"无响应");
  EXPECT_EQ(w.table.Find(1)->ProcessId, 10u);  // still listed with its data
  EXPECT_EQ(w.table.Find(1)->ShowCmd, platform::kShowNormal);
  EXPECT_EQ(w.system.waitedMs, kAnswerTimeoutMs);

  for (int tick = 0; tick < 5; ++tick) w.collector.CollectWindows();
  EXPECT_EQ(w.system.waitedMs, kAnswerTimeoutMs) << "a silent window is waited for once";
  EXPECT_EQ(w.table.Find(1)->StatusText, L"无响应");

  w.system.FindFakeWindow(1)->answers = true;
  w.collector.CollectWindows();
  EXPECT_EQ(w.table.Find(1)->StatusText, L"正在运行");
  EXPECT_TRUE(w.system.probes.empty());
}

TEST(WindowCollector, WindowTheSystemCountsHungCostsNothing) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddWindow(1, L"Hung", 10).hungBySystem = true;
  w.collector.CollectWindows();
  w.collector.CollectWindows();
  EXPECT_EQ(w.table.Find(1)->StatusText, L"无响应");
  EXPECT_EQ(w.system.waitedMs, 0);
  // Its probe is forgotten when the window goes.
  w.system.RemoveWindow(1);
  w.collector.CollectWindows();
  EXPECT_TRUE(w.system.probes.empty());
}

TEST(WindowCollector, ClosingSkipsEveryWindowButStillPosts) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.system.AddWindow(1, L"One", 10);
  w.collector.CollectWindows();
  w.closing = true;
  w.collector.CollectWindows();
  EXPECT_EQ(w.table.Used(), 0u);
  EXPECT_EQ(w.system.posted.size(), 2u);
}

TEST(WindowCollector, ProgramPathAndVisibleTextRules) {
  EXPECT_TRUE(IsProgramPath(L"C:\\a\\b.exe"));
  EXPECT_TRUE(IsProgramPath(L"C:\\A\\B.ExE"));
  EXPECT_FALSE(IsProgramPath(L"C:\\a\\b.exe.dll"));
  EXPECT_FALSE(IsProgramPath(L"exe"));
  EXPECT_TRUE(IsProgramPath(L".exe"));
  EXPECT_FALSE(HasVisibleText(L""));
  EXPECT_FALSE(HasVisibleText(L" \r\n\t\x01"));
  EXPECT_TRUE(HasVisibleText(L"  记事本 "));
}
