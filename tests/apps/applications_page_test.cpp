// The Applications page on the fake system: the list follows the window table in
// place, icons are fetched only when needed and keep one place per window, and
// the window commands reach the first selected window in the right show state
// (or say why the system refused them).
#include "apps/applications_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "apps/window_icon.h"
#include "apps/window_process.h"
#include "tests/support/window_world.h"

using testing_support::WindowWorld;
using namespace apps;
using platform::fake::FakeWindowCommand;

namespace {

WindowWorld& Desktop(WindowWorld& w) {
  w.system.AddProcess(10, L"a.exe");
  w.system.AddWindow(1, L"One", 10);
  w.system.AddWindow(2, L"Two", 10);
  w.system.AddWindow(3, L"Three", 10);
  return w;
}

bool Same(const FakeWindowCommand& c, const std::wstring& what,
          std::vector<WindowHandle> windows, int showState = 0) {
  return c.what == what && c.windows == windows && c.showState == showState;
}

}  // namespace

TEST(ApplicationsPage, ListFollowsTheTableKeepingOrderAndSelection) {
  WindowWorld w;
  Desktop(w).Tick();
  EXPECT_EQ(w.Order(), (std::vector<WindowHandle>{1, 2, 3}));
  EXPECT_EQ(w.Cell(2, kColTask), L"Two");
  EXPECT_EQ(w.Cell(2, kColStatus), L"正在运行");
  EXPECT_EQ(w.Cell(2, kColHandle), L"2");
  EXPECT_EQ(w.Cell(2, kColShowCmd), L"1");
  EXPECT_EQ(w.Cell(2, kColExePath), L"C:\\Programs\\a.exe");
  w.SelectOnly({3});

  // A closed window leaves; a new one goes to the end whatever its place in
  // the window order; a renamed one keeps its place.
  w.system.RemoveWindow(2);
  w.system.AddWindow(4, L"Four", 10);
  // The newcomer is the topmost window.
  std::rotate(w.system.Windows().begin(), w.system.Windows().end() - 1, w.system.Windows().end());
  w.system.FindFakeWindow(1)->title = L"One, renamed";
  w.system.FindFakeWindow(3)->showState = platform::kShowMinimized;
  w.Tick();
  EXPECT_EQ(w.Order(), (std::vector<WindowHandle>{1, 3, 4}));
  EXPECT_EQ(w.Cell(1, kColTask), L"One, renamed");
  EXPECT_EQ(w.Cell(3, kColShowCmd), L"2");
  EXPECT_TRUE(w.list.Item(*w.ItemOf(3)).selected);
  EXPECT_EQ(w.list.SelectedCount(), 1u);
  for (std::size_t r = 0; r < w.table.Capacity(); ++r) {
    if (w.table.Row(r).Wnd == 0) continue;
    EXPECT_EQ(w.table.Row(r).RowState, kRowListed);
  }
}

TEST(ApplicationsPage, UnchangedDesktopAsksNoIconAndLooksEachItemUpOnce) {
  WindowWorld w;
  Desktop(w).Tick();
  EXPECT_GT(w.system.iconRequests, 0);
  w.system.iconRequests = 0;
  w.collector.CollectWindows();
  const std::size_t before = w.table.Lookups();
  w.page.UpdateTaskList();
  EXPECT_EQ(w.system.iconRequests, 0);
  EXPECT_EQ(w.table.Lookups() - before, w.list.Count());
}

TEST(ApplicationsPage, TitleChangeRewritesTheWindowsOwnIconPlace) {
  WindowWorld w;
  Desktop(w).Tick();
  const int slot = w.list.Item(*w.ItemOf(2)).imageIndex;
  ASSERT_GE(slot, 0);
  EXPECT_EQ(w.images.places[slot].large, 0x1002u);
  EXPECT_EQ(w.images.places[slot].small, 0x2002u);

  w.system.FindFakeWindow(2)->title = L"Two, saved";
  w.system.FindFakeWindow(2)->classIcon = 0x7777;
  w.Tick();
  EXPECT_EQ(w.list.Item(*w.ItemOf(2)).imageIndex, slot);
  EXPECT_EQ(w.images.places[slot].large, 0x7777u);
  EXPECT_EQ(w.images.places.size(), 3u);
}

TEST(ApplicationsPage, IconPlacesAreReusedSoTheListsStayBounded) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  WindowHandle next = 1;
  for (int tick = 0; tick < 200; ++tick) {
    // Five windows at a time; one closes and another opens at every tick.
    if (w.system.Windows().size() == 5) w.system.Windows().pop_front();
    w.system.AddWindow(next, L"Window " + std::to_wstring(next), 10);
    ++next;
    w.Tick();
  }
  EXPECT_EQ(w.list.Count(), 5u);
  EXPECT_LE(w.images.places.size(), 6u);
  EXPECT_EQ(w.page.Slots().InUse(), 5);
}

// After a change of DPI the view makes its image lists again, empty.
TEST(ApplicationsPage, ImageListsMadeAnewGetEveryListedWindowsIconsAgain) {
  WindowWorld w;
  Desktop(w).Tick();
  w.system.RemoveWindow(1);
  w.Tick();
  w.images.places.clear();
  w.page.RefetchIcons();
  ASSERT_EQ(w.images.places.size(), 2u) << "from the first place on";
  for (const WindowHandle window : {2, 3}) {
    const int slot = w.list.Item(*w.ItemOf(window)).imageIndex;
    ASSERT_TRUE(slot == 0 || slot == 1) << slot;
    EXPECT_EQ(w.images.places[slot].large, 0x1000u + window);
  }
  EXPECT_EQ(w.page.Slots().InUse(), 2);
}

TEST(ApplicationsPage, IconFallbackChain) {
  platform::fake::FakeSystem system;
  auto& both = system.AddWindow(1, L"Both", 10);
  auto& largeOnly = system.AddWindow(2, L"Large only", 10);
  largeOnly.classIconSmall = 0;
  auto& own = system.AddWindow(3, L"Own icon", 10);
  own.classIcon = own.classIconSmall = 0;
  own.ownIcon = 0x3333;
  auto& none = system.AddWindow(4, L"Nothing", 10);
  none.classIcon = none.classIconSmall = 0;

  auto icons = FetchWindowIcons(system, 1, true);
  EXPECT_EQ(icons.large, both.classIcon);
  EXPECT_EQ(icons.small, both.classIconSmall);
  icons = FetchWindowIcons(system, 2, true);
  EXPECT_EQ(icons.small, largeOnly.classIcon);  // no small class icon: the large one
  icons = FetchWindowIcons(system, 3, true);
  EXPECT_EQ(icons.large, 0x3333u);  // no class icon at all: the window's answer
  EXPECT_EQ(icons.small, 0x3333u);
  EXPECT_EQ(system.iconMessages, 1) << "the window is asked once for both sizes";
  icons = FetchWindowIcons(system, 3, false);
  EXPECT_EQ(icons.large, 0u);  // a window that did not answer is not asked
  EXPECT_EQ(system.iconMessages, 1);
  icons = FetchWindowIcons(system, 4, true);
  EXPECT_EQ(icons.large, 0u);
  EXPECT_EQ(icons.small, 0u);
}

TEST(ApplicationsPage, WindowWithoutIconIsAskedAgainUntilItHasOne) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  auto& bare = w.system.AddWindow(1, L"Bare", 10);
  bare.classIcon = bare.classIconSmall = 0;
  w.Tick();
  EXPECT_EQ(w.list.Item(0).imageIndex, -1);
  w.Tick();
  EXPECT_EQ(w.system.iconMessages, 2);
  w.system.FindFakeWindow(1)->ownIcon = 0x4444;
  w.Tick();
  EXPECT_EQ(w.list.Item(0).imageIndex, 0);
  EXPECT_EQ(w.images.places[0].small, 0x4444u);
  w.Tick();
  EXPECT_EQ(w.system.iconMessages, 3);

  // Image lists that refuse the icon leave the item without a picture.
  w.images.refuse = true;
  w.system.AddWindow(2, L"Refused", 10);
  w.Tick();
  EXPECT_EQ(w.list.Item(*w.ItemOf(2)).imageIndex, -1);
  EXPECT_EQ(w.page.Slots().InUse(), 1);
}

TEST(ApplicationsPage, WindowWithNoIconOfItsOwnShowsItsProgramFilesIcon) {
  WindowWorld w;
  w.system.AddProcess(10, L"a.exe");
  auto& bare = w.system.AddWindow(1, L"Bare", 10);
  bare.classIcon = bare.classIconSmall = 0;
  w.system.programIcons = {{L"C:\\Programs\\a.exe", 0x5555}};
  w.Tick();
  ASSERT_EQ(w.list.Item(0).imageIndex, 0);
  EXPECT_EQ(w.images.places[0].large, 0x5555u);
  w.Tick();
  EXPECT_EQ(w.system.programIconReads, 1);

  // A program on a share, or on a drive mapped to one, keeps the default icon:
  // its file is never opened, however often the item is refreshed.
  w.system.AddProcess(20, L"b.exe").imagePath = L"\\\\server\\share\\b.exe";
  w.system.AddProcess(30, L"c.exe").imagePath = L"Z:\\c.exe";
  w.system.remoteDrives = L"Z";
  for (const std::uint32_t pid : {20u, 30u}) {
    auto& far = w.system.AddWindow(pid, L"Far", pid);
    far.classIcon = far.classIconSmall = 0;
  }
  w.system.programIcons.push_back({L"\\\\server\\share\\b.exe", 0x6666});
  w.system.programIcons.push_back({L"Z:\\c.exe", 0x7777});
  w.Tick();
  w.Tick();
  EXPECT_EQ(w.list.Item(*w.ItemOf(20)).imageIndex, -1);
  EXPECT_EQ(w.list.Item(*w.ItemOf(30)).imageIndex, -1);
  EXPECT_EQ(w.system.programIconReads, 1);
}

TEST(ApplicationsPage, AppFrameTakesItsAppsPathIconAndProcessOnceTheAppIsInside) {
  WindowWorld w;
  w.system.AddProcess(30, L"ApplicationFrameHost.exe");
  w.system.AddProcess(40, L"Calculator.exe");
  w.system.AddWindow(1, L"Calculator", 30).className = kAppFrameClass;
  w.Tick();
  w.SelectOnly({1});
  EXPECT_EQ(w.page.ProcessOfSelected(), 30u);  // the app is still starting

  auto& app = w.system.AddWindow(3, L"", 40);
  app.parent = 1;
  app.className = kHostedAppClass;
  w.Tick();
  EXPECT_EQ(w.page.ProcessOfSelected(), 40u);
  EXPECT_EQ(w.Cell(1, kColExePath), L"C:\\Programs\\Calculator.exe");
  const int slot = w.list.Item(*w.ItemOf(1)).imageIndex;
  ASSERT_GE(slot, 0);
  EXPECT_EQ(w.images.places[slot].large, app.classIcon);
  // The commands still go to the frame the user sees.
  w.page.act_KillTaskExecute();
  EXPECT_TRUE(Same(w.system.windowCommands.back(), L"close", {1}));
}

TEST(ApplicationsPage, EndTaskThatTheSystemRefusesSaysAccessDenied) {
  WindowWorld w;
  Desktop(w);
  w.system.FindFakeWindow(2)->refusesClose = true;  // its program runs elevated
  w.Tick();
  w.SelectOnly({1});
  w.page.act_KillTaskExecute();
  EXPECT_TRUE(w.system.boxes.empty());
  w.SelectOnly({2});
  w.page.act_KillTaskExecute();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[0].text, L"访问被拒绝");
  EXPECT_EQ(w.system.boxes[0].icon, platform::BoxIcon::kError);
}

TEST(ApplicationsPage, SwitchAndFrontRestoreMinimisedWindowsToNormal) {
  WindowWorld w;
  Desktop(w);
  w.system.FindFakeWindow(1)->showState = platform::kShowMinimized;
  w.system.FindFakeWindow(2)->showState = platform::kShowMaximized;
  w.system.FindFakeWindow(3)->vanished = true;
  w.Tick();

  w.SelectOnly({1});
  EXPECT_TRUE(w.page.act_ChangeExecute());
  w.SelectOnly({2});
  EXPECT_TRUE(w.page.act_TopExecute());
  w.SelectOnly({3});
  EXPECT_TRUE(w.page.act_ChangeExecute());
  const auto& c = w.system.windowCommands;
  ASSERT_EQ(c.size(), 6u);
  EXPECT_TRUE(Same(c[0], L"show", {1}, platform::kShowNormal));
  EXPECT_TRUE(Same(c[1], L"force", {1}));
  EXPECT_TRUE(Same(c[2], L"show", {2}, platform::kShowMaximized));
  EXPECT_TRUE(Same(c[3], L"foreground", {2}));
  // A window whose state could not be read is shown as it is, not hidden.
  EXPECT_TRUE(Same(c[4], L"show", {3}, platform::kShowAsIs));
}

TEST(ApplicationsPage, MinimiseMaximiseAndEndActOnTheFirstSelectedOnly) {
  WindowWorld w;
  Desktop(w).Tick();
  w.page.SetOwnWindow(0x99);
  w.SelectOnly({2, 3, 1});
  EXPECT_TRUE(w.page.act_MinExecute());
  EXPECT_TRUE(w.page.act_MaxExecute());
  EXPECT_TRUE(w.page.act_KillTaskExecute());
  const auto& c = w.system.windowCommands;
  ASSERT_EQ(c.size(), 5u);
  EXPECT_TRUE(Same(c[0], L"show", {1}, platform::kShowMinimized));
  EXPECT_TRUE(Same(c[1], L"force", {0x99}));  // the foreground comes back to this program
  EXPECT_TRUE(Same(c[2], L"show", {1}, platform::kShowMaximized));
  EXPECT_TRUE(Same(c[3], L"force", {1}));
  EXPECT_TRUE(Same(c[4], L"close", {1}));

  w.SelectOnly({});
  EXPECT_FALSE(w.page.act_KillTaskExecute());
  EXPECT_FALSE(w.page.act_ChangeExecute());
  w.page.act_CasExecute();
  EXPECT_EQ(c.size(), 5u);
}

TEST(ApplicationsPage, ArrangementsTakeEverySelectedWindow) {
  WindowWorld w;
  Desktop(w).Tick();
  w.SelectOnly({3, 1});
  w.page.act_CasExecute();
  w.page.act_HExecute();
  w.page.act_VExecute();
  const auto& c = w.system.windowCommands;
  ASSERT_EQ(c.size(), 6u);
  for (std::size_t i = 0; i < c.size(); i += 2) {
    EXPECT_TRUE(Same(c[i], L"move", {1}));
    EXPECT_TRUE(Same(c[i + 1], L"move", {3}));
  }
}

TEST(ApplicationsPage, ArrangementsAreMadeByHandAtNormalSize) {
  WindowWorld w;
  Desktop(w);
  w.system.FindFakeWindow(2)->showState = platform::kShowMinimized;
  w.Tick();
  w.SelectOnly({1, 2});
  w.page.act_HExecute();
  EXPECT_EQ(w.system.FindFakeWindow(1)->bounds, (platform::ScreenRect{0, 0, 1000, 350}));
  EXPECT_EQ(w.system.FindFakeWindow(2)->bounds, (platform::ScreenRect{0, 350, 1000, 700}));
  EXPECT_EQ(w.system.FindFakeWindow(2)->showState, platform::kShowNormal);
  EXPECT_EQ(w.system.FindFakeWindow(3)->bounds, (platform::ScreenRect{100, 100, 500, 400}));
}

TEST(ApplicationsPage, GoToProcessNamesTheSelectedWindowsProcessWhileItExists) {
  WindowWorld w;
  Desktop(w);
  w.system.AddProcess(20, L"b.exe");
  w.system.AddWindow(5, L"Other", 20);
  w.Tick();
  EXPECT_FALSE(w.page.ProcessOfSelected().has_value());
  w.SelectOnly({5});
  EXPECT_EQ(w.page.ProcessOfSelected(), 20u);
  w.system.RemoveWindow(5);
  w.collector.CollectWindows();  // gone from the table, its item not yet removed
  EXPECT_FALSE(w.page.ProcessOfSelected().has_value());
}

TEST(ApplicationsPage, ClosingStopsTheUpdate) {
  WindowWorld w;
  Desktop(w).collector.CollectWindows();
  w.closing = true;
  w.page.UpdateTaskList();
  EXPECT_EQ(w.list.Count(), 0u);
}
