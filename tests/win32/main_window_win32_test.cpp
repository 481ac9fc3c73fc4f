// The main window under Wine: its captions, menus and font, the update-speed marks
// and the real timer, the window options, a real process coming and going in the
// Processes list, the closing handshake, the COM apartment the shell needs, and
// the restart as administrator on a fake token.
#include "app/main_window_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/fake/fake_system.h"
#include "platform/win32/program_font_win32.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace app {
namespace {

using testing_win32::ChildProgram;
using testing_win32::ListText;
using testing_win32::Pump;
using testing_win32::PumpUntil;

std::wstring MenuText(HMENU menu, UINT item, UINT flag) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, item, text, 128, flag);
  return text;
}

bool MenuChecked(HMENU menu, UINT id) {
  const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

class MainWindowTest : public testing_win32::MainWindowFixture {
 protected:
  HMENU Bar() { return GetMenu(form_->Handle()); }
  platform::fake::FakeSystem fake_;  // outlives the window of each test
};

TEST_F(MainWindowTest, ShowsItsCaptionTabsAndMenus) {
  wchar_t caption[64] = {};
  GetWindowTextW(form_->Handle(), caption, 64);
  EXPECT_EQ(std::wstring(caption), L"Windows 泽恩特");

  const std::vector<std::wstring> tabs = {L"应用程序", L"进程  ", L"性能  ", L"联网  ", L"用户  ",
                                          L"服务  ",   L"启动  "};
  ASSERT_EQ(TabCtrl_GetItemCount(form_->Tabs()), 7);
  for (int i = 0; i < 7; ++i) {
    wchar_t text[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    TabCtrl_GetItem(form_->Tabs(), i, &item);
    EXPECT_EQ(std::wstring(text), tabs[i]);
  }
  EXPECT_EQ(form_->ActivePage(), TMainForm::kApplicationsPage);
  EXPECT_EQ(TabCtrl_GetCurSel(form_->Tabs()), 0);

  const std::vector<std::wstring> bar = {L"文件(&F)", L"选项(&O)", L"查看(&V)",
                                         L"窗口(&W)", L"关机(U)",  L"帮助(&H)"};
  ASSERT_EQ(GetMenuItemCount(Bar()), 6);
  for (UINT i = 0; i < bar.size(); ++i) EXPECT_EQ(MenuText(Bar(), i, MF_BYPOSITION), bar[i]);

  const std::vector<std::pair<UINT, std::wstring>> items = {
      {kCmdNewTask, L"新建任务(运行...)(&N)"}, {kCmdExit, L"退出泽恩特(&X)"},
      {kCmdTopmost, L"前端显示(&A)"},          {kCmdAutoMinimize, L"使用时自动最小化(&M)"},
      {kCmdHideWhenMinimized, L"最小化时隐藏(&H)"}, {kCmdRefreshNow, L"立即更新(&R)"},
      {kCmdSpeedHigh, L"高(&H)"},              {kCmdSpeedNormal, L"标准(&N)"},
      {kCmdSpeedLow, L"低(&L)"},               {kCmdPause, L"暂停(&P)"},
      {kCmdBigIcon, L"大图标(&G)"},            {kCmdSmallIcon, L"小图标(&M)"},
      {kCmdDetail, L"详细信息(&D)"},           {kCmdSelectColumns, L"选择列(&S)"},
      {kCmdTileHorizontal, L"横向平铺(&H)"},   {kCmdTileVertical, L"纵向平铺(&V)"},
      {kCmdMinimizeWindow, L"最小化(&M)"},     {kCmdMaximizeWindow, L"最大化(&X)"},
      {kCmdCascade, L"层叠(&C)"},              {kCmdBringToFront, L"前置(&B)"},
      {kCmdShutdownFirst + 0, L"待机(&B)"},    {kCmdShutdownFirst + 4, L"注销"},
      {kCmdShutdownFirst + 5, L"切换用户(&L)"}, {kCmdAbout, L"关于"},
  };
  for (const auto& [id, text] : items) EXPECT_EQ(MenuText(Bar(), id, MF_BYCOMMAND), text);
  EXPECT_EQ(GetMenuState(Bar(), kCmdRestartElevated, MF_BYCOMMAND), static_cast<UINT>(-1))
      << "Wine's token is elevated: nothing to restart for";
  EXPECT_EQ(MenuText(GetSubMenu(Bar(), 2), 1, MF_BYPOSITION), L"更新速度");

  // Only "使用时自动最小化" starts checked; clicking it toggles its mark.
  EXPECT_TRUE(MenuChecked(Bar(), kCmdAutoMinimize));
  for (UINT id : {kCmdTopmost, kCmdHideWhenMinimized, kCmdSpeedHigh, kCmdSpeedNormal,
                  kCmdSpeedLow, kCmdPause})
    EXPECT_FALSE(MenuChecked(Bar(), id)) << id;
  Command(kCmdAutoMinimize);
  EXPECT_FALSE(MenuChecked(Bar(), kCmdAutoMinimize));
}

TEST_F(MainWindowTest, ApplicationsCommandsArePresentOnlyOnTheirPage) {
  form_->SelectPage(TMainForm::kProcessesPage);
  EXPECT_TRUE(IsWindowVisible(form_->PageWindow(TMainForm::kProcessesPage)));
  EXPECT_FALSE(IsWindowVisible(form_->PageWindow(TMainForm::kApplicationsPage)));
  ASSERT_EQ(GetMenuItemCount(Bar()), 5);
  EXPECT_EQ(MenuText(Bar(), 3, MF_BYPOSITION), L"关机(U)");
  for (UINT id : {kCmdBigIcon, kCmdSmallIcon, kCmdDetail, kCmdTileHorizontal, kCmdBringToFront})
    EXPECT_EQ(GetMenuState(Bar(), id, MF_BYCOMMAND), static_cast<UINT>(-1)) << id;
  EXPECT_NE(GetMenuState(Bar(), kCmdSelectColumns, MF_BYCOMMAND), static_cast<UINT>(-1));

  form_->SelectPage(TMainForm::kPerformancePage);  // another non-Applications page: no change
  EXPECT_EQ(GetMenuItemCount(Bar()), 5);

  form_->SelectPage(TMainForm::kApplicationsPage);
  ASSERT_EQ(GetMenuItemCount(Bar()), 6);
  EXPECT_EQ(MenuText(Bar(), 3, MF_BYPOSITION), L"窗口(&W)");
  HMENU view = GetSubMenu(Bar(), 2);
  const std::vector<UINT> order = {kCmdRefreshNow, static_cast<UINT>(-1), 0, kCmdBigIcon,
                                   kCmdSmallIcon, kCmdDetail, kCmdSelectColumns};
  ASSERT_EQ(GetMenuItemCount(view), static_cast<int>(order.size()));
  for (int i = 0; i < static_cast<int>(order.size()); ++i)
    EXPECT_EQ(GetMenuItemID(view, i), order[i]) << "position " << i;
}

TEST_F(MainWindowTest, SpeedCommandsMoveTheirMarksAndPauseStopsTheTimer) {
  Command(kCmdSpeedNormal);
  EXPECT_TRUE(MenuChecked(Bar(), kCmdSpeedNormal));
  EXPECT_EQ(form_->Cycle().IntervalMs(), 1000);

  Command(kCmdSpeedHigh);
  EXPECT_TRUE(MenuChecked(Bar(), kCmdSpeedHigh));
  EXPECT_FALSE(MenuChecked(Bar(), kCmdSpeedNormal));
  EXPECT_FALSE(MenuChecked(Bar(), kCmdSpeedLow));
  EXPECT_EQ(form_->Cycle().IntervalMs(), 500);

  Command(kCmdPause);
  EXPECT_TRUE(MenuChecked(Bar(), kCmdPause));
  EXPECT_TRUE(MenuChecked(Bar(), kCmdSpeedHigh)) << "pausing keeps the speed";
  EXPECT_FALSE(form_->Cycle().TimerEnabled());
  // No tick while paused: the list stays empty.
  PumpUntil([] { return false; }, 800);
  EXPECT_EQ(form_->ProcList().Count(), 0u);

  Command(kCmdPause);
  EXPECT_FALSE(MenuChecked(Bar(), kCmdPause));
  EXPECT_TRUE(form_->Cycle().TimerEnabled());
  // The real timer drives the refresh: this program shows up without "立即更新".
  const auto self = static_cast<std::uint32_t>(GetCurrentProcessId());
  EXPECT_TRUE(PumpUntil([&] { return form_->ProcessesPage().FindItemByPid(self).has_value(); },
                        3000));
}

TEST_F(MainWindowTest, WindowOptionsActOnTheWindow) {
  MINMAXINFO limits{};
  SendMessageW(form_->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 400);
  EXPECT_EQ(limits.ptMinTrackSize.y, 425);

  Command(kCmdTopmost);
  EXPECT_TRUE(MenuChecked(Bar(), kCmdTopmost));
  EXPECT_TRUE(GetWindowLongPtrW(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  Command(kCmdTopmost);
  EXPECT_FALSE(GetWindowLongPtrW(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Unchecked "最小化时隐藏": an ordinary minimise.
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(form_->Handle()));
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  ShowWindow(form_->Handle(), SW_RESTORE);

  Command(kCmdHideWhenMinimized);
  EXPECT_TRUE(MenuChecked(Bar(), kCmdHideWhenMinimized));
  ASSERT_TRUE(form_->TrayIcon().Shown());
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  EXPECT_FALSE(IsIconic(form_->Handle()));

  // Without the notification icon nothing would bring it back: the taskbar button stays.
  ShowWindow(form_->Handle(), SW_SHOWNOACTIVATE);
  form_->TrayIcon().DeleteTrayIcon();
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(form_->Handle()));
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

TEST_F(MainWindowTest, StartedProcessIsListedAndLeavesAfterItEnds) {
  Command(kCmdPause);  // only the refreshes of this test
  const auto self = static_cast<std::uint32_t>(GetCurrentProcessId());
  RefreshNow();
  const auto selfItem = form_->ProcessesPage().FindItemByPid(self);
  ASSERT_TRUE(selfItem.has_value());

  // The user selects this program's item in the control.
  HWND list = form_->ProcessesView().lv_Proc();
  ListView_SetItemState(list, static_cast<int>(*selfItem), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(form_->ProcList().FirstSelected(), selfItem);

  ChildProgram notepad(L"notepad.exe", SW_HIDE);
  ASSERT_TRUE(notepad.Running()) << "notepad.exe could not be started";
  RefreshNow();
  const auto item = form_->ProcessesPage().FindItemByPid(notepad.Pid());
  ASSERT_TRUE(item.has_value());
  const int row = static_cast<int>(*item);
  EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(form_->ProcList().Count()));
  EXPECT_EQ(ListText(list, row, 0), L"notepad.exe");
  EXPECT_EQ(ListText(list, row, 1), std::to_wstring(notepad.Pid()));

  notepad.End();
  RefreshNow();  // the first snapshot without it: its item goes
  EXPECT_FALSE(form_->ProcessesPage().FindItemByPid(notepad.Pid()).has_value());
  EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(form_->ProcList().Count()));

  // The selection stayed on this program throughout.
  const auto selfNow = form_->ProcessesPage().FindItemByPid(self);
  ASSERT_TRUE(selfNow.has_value());
  EXPECT_EQ(form_->ProcList().FirstSelected(), selfNow);
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), static_cast<int>(*selfNow));
}

TEST_F(MainWindowTest, ClosingWhilePausedEndsTheWindowAtOnce) {
  Command(kCmdPause);
  SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form_->Handle(), nullptr);
  EXPECT_TRUE(form_->Cycle().TimerStopped());
}

TEST_F(MainWindowTest, ClosingWhileRunningEndsAfterTheNextTick) {
  Command(kCmdSpeedHigh);
  HWND window = form_->Handle();
  const auto start = std::chrono::steady_clock::now();
  SendMessageW(window, WM_CLOSE, 0, 0);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(form_->Cycle().TimerStopped());
  EXPECT_FALSE(form_->Cycle().TimerEnabled());
  EXPECT_LT(waited, std::chrono::seconds(3));
}

TEST_F(MainWindowTest, ControlsUseTheProgramFontAtTwelvePixels) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(form_->Tabs(), WM_GETFONT, 0, 0));
  LOGFONTW used{};
  ASSERT_NE(GetObjectW(font, sizeof(used), &used), 0);
  EXPECT_EQ(used.lfHeight, -12);
  EXPECT_EQ(std::wstring(used.lfFaceName), platform::win32::ProgramLogFont().lfFaceName);
}

// As when the window is dragged to a screen at 150 %: the system suggests the
// new rectangle; the font, status bar panels, list columns and task icons follow
// the new DPI, the notification icon the taskbar's size.
TEST_F(MainWindowTest, ADpiChangeTakesTheSuggestedRectangleAndScalesFontPanelsAndLists) {
  HWND processes = form_->ProcessesView().lv_Proc();
  ListView_SetColumnWidth(processes, 1, 101);  // as the user dragged it
  const int firstWidth = ListView_GetColumnWidth(processes, 0);
  RECT suggested{100, 100, 100 + 600, 100 + 638};
  SendMessageW(form_->Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  RECT placed{};
  GetWindowRect(form_->Handle(), &placed);
  EXPECT_EQ(placed.right - placed.left, 600);
  EXPECT_EQ(placed.bottom - placed.top, 638);
  LOGFONTW used{};
  auto font = reinterpret_cast<HFONT>(SendMessageW(form_->StatusBar1(), WM_GETFONT, 0, 0));
  ASSERT_NE(GetObjectW(font, sizeof(used), &used), 0);
  EXPECT_EQ(used.lfHeight, -18);
  int edges[3] = {};
  ASSERT_EQ(SendMessageW(form_->StatusBar1(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 120);
  EXPECT_EQ(edges[1], 300);

  EXPECT_EQ(ListView_GetColumnWidth(processes, 0), MulDiv(firstWidth, 144, 96));
  EXPECT_EQ(ListView_GetColumnWidth(processes, 1), 152);
  int width = 0, height = 0;
  HWND tasks = form_->ApplicationsView().lv_Task();
  ImageList_GetIconSize(ListView_GetImageList(tasks, LVSIL_SMALL), &width, &height);
  EXPECT_EQ(width, 24);
  ImageList_GetIconSize(ListView_GetImageList(tasks, LVSIL_NORMAL), &width, &height);
  EXPECT_EQ(width, 48);
  RefreshNow();
  const auto icon = [this](WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, which, 0));
  };
  EXPECT_EQ(testing_win32::IconWidth(icon(ICON_SMALL)), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(static_cast<const void*>(icon(ICON_SMALL)), form_->TrayIcon().Icon());
  EXPECT_EQ(testing_win32::IconWidth(icon(ICON_BIG)), 48);
}

TEST_F(MainWindowTest, KeepsTheThreadInASingleThreadedApartmentWhileOpen) {
  // A thread in a single-threaded apartment cannot join the multithreaded one.
  const auto joinMultithreaded = [] {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(result)) CoUninitialize();
    return result;
  };
  EXPECT_EQ(joinMultithreaded(), RPC_E_CHANGED_MODE);
  form_.reset();
  EXPECT_EQ(joinMultithreaded(), S_OK) << "the apartment ends with the window";
}

TEST_F(MainWindowTest, RestartAsAdministratorIsOfferedWithoutElevationAndClosesOnceStarted) {
  fake_.tokenElevated = false;
  fake_.consentGiven = false;
  form_.reset();
  Pump();
  OpenWindow(std::make_unique<TMainForm>(SystemActions{nullptr, nullptr, &fake_, &fake_}));
  HMENU file = GetSubMenu(Bar(), 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 0), kCmdNewTask);
  EXPECT_EQ(GetMenuItemID(file, 1), kCmdRestartElevated);
  EXPECT_EQ(MenuText(file, 1, MF_BYPOSITION), L"以管理员身份重新启动(&R)");

  Command(kCmdRestartElevated);  // the user says no to the consent prompt
  Pump();
  EXPECT_NE(form_->Handle(), nullptr);
  EXPECT_FALSE(form_->Cycle().Closing());

  fake_.consentGiven = true;
  Command(kCmdRestartElevated);
  ASSERT_EQ(fake_.shellCalls.size(), 2u);
  EXPECT_EQ(fake_.shellCalls[1].verb, L"runas");
  EXPECT_EQ(fake_.shellCalls[1].file, fake_.programPath);
  EXPECT_TRUE(PumpUntil([this] { return form_->Handle() == nullptr; }, 5000));
  EXPECT_TRUE(form_->Cycle().TimerStopped()) << "closed through the closing handshake";
}

}  // namespace
}  // namespace app
