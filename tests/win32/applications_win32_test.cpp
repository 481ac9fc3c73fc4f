// The Applications page under Wine with real programs: a started notepad is
// listed as running with its icon, "结束任务(&E)" closes it, "转到进程(&G)" selects
// its process on the Processes page, "切换至(&S)" minimises this window, the
// commands on the buttons and menus follow the selection, and no command waits
// for a window whose program handles no messages.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>

#include "tests/win32/main_window_fixture_win32.h"

namespace app {
namespace {

using testing_win32::ChildProgram;
using testing_win32::ListText;
using testing_win32::Pump;
using testing_win32::PumpUntil;

// The ids of a menu's items, separators left out.
std::set<UINT> MenuIds(HMENU menu) {
  std::set<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id != 0) ids.insert(id);
  }
  return ids;
}

// Another program's thread held still, as a hung program's is, and let go
// after a few seconds at the latest, so that a command that does wait for it
// fails the test instead of hanging it.
class HeldThread {
 public:
  explicit HeldThread(DWORD threadId)
      : thread_(OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId)) {
    if (thread_ && SuspendThread(thread_.Get()) == static_cast<DWORD>(-1)) thread_.Reset();
    watchdog_ = std::thread([this] {
      WaitForSingleObject(done_.Get(), 3000);
      if (thread_) ResumeThread(thread_.Get());
    });
  }
  ~HeldThread() {
    SetEvent(done_.Get());
    watchdog_.join();
  }
  HeldThread(const HeldThread&) = delete;
  HeldThread& operator=(const HeldThread&) = delete;
  bool Held() const { return thread_.Valid(); }

 private:
  platform::win32::UniqueHandle thread_;
  platform::win32::UniqueHandle done_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::thread watchdog_;
};

class ApplicationsPageTest : public testing_win32::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Command(kCmdPause);  // only the refreshes of the test
    Pump();
  }
  HWND List() { return form_->ApplicationsView().lv_Task(); }
  // The list item of the first window of process `pid`, after refreshing until it
  // is there or `waitMs` has passed.
  int ItemOfProcess(DWORD pid, int waitMs = 5000) {
    int found = -1;
    PumpUntil([&] {
      RefreshNow();
      for (std::size_t r = 0; r < form_->WinTable().Capacity() && found < 0; ++r) {
        const apps::TWinInfo& row = form_->WinTable().Row(r);
        if (row.Wnd == 0 || row.ProcessId != pid) continue;
        if (auto item = form_->TaskList().FindByKey(static_cast<std::int64_t>(row.Wnd)))
          found = static_cast<int>(*item);
      }
      return found >= 0;
    }, waitMs);
    return found;
  }
  // The user clicks an item (or, with -1, the empty part of the list).
  void ClickItem(int item, bool addToSelection = false) {
    if (!addToSelection) ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    if (item >= 0)
      ListView_SetItemState(List(), item, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
    NMHDR click{List(), 0, NM_CLICK};
    SendMessageW(form_->PageWindow(TMainForm::kApplicationsPage), WM_NOTIFY, 0,
                 reinterpret_cast<LPARAM>(&click));
  }
};

TEST_F(ApplicationsPageTest, NotepadIsListedRunningWithItsIconAndEndTaskClosesIt) {
  ChildProgram notepad(L"notepad.exe");
  ASSERT_TRUE(notepad.Running());
  const int item = ItemOfProcess(notepad.Pid());
  ASSERT_GE(item, 0) << "notepad's window is not listed";
  EXPECT_EQ(ListView_GetItemCount(List()), static_cast<int>(form_->TaskList().Count()));
  EXPECT_NE(ListText(List(), item, 0).find(L"Notepad"), std::wstring::npos);
  EXPECT_EQ(ListText(List(), item, 1), L"正在运行");
  LVITEMW shown{};
  shown.mask = LVIF_IMAGE;
  shown.iItem = item;
  ListView_GetItem(List(), &shown);
  EXPECT_GE(shown.iImage, 0) << "no icon";
  EXPECT_GT(ImageList_GetImageCount(form_->ApplicationsView().SmallImages()), shown.iImage);
  const std::wstring path = form_->TaskList().Text(item, apps::kColExePath);
  EXPECT_NE(path.find(L"notepad.exe"), std::wstring::npos) << std::string(path.begin(), path.end());

  ClickItem(item);
  form_->ApplicationsView().ExecuteCommand(apps::kCmdTaskKill);
  EXPECT_TRUE(notepad.WaitForExit(5000)) << "notepad did not close";
  EXPECT_EQ(ItemOfProcess(notepad.Pid(), 0), -1);
  EXPECT_EQ(ListView_GetItemCount(List()), static_cast<int>(form_->TaskList().Count()));
}

TEST_F(ApplicationsPageTest, GoToProcessSelectsTheWindowsProcessOnTheProcessesPage) {
  ChildProgram notepad(L"notepad.exe");
  const int item = ItemOfProcess(notepad.Pid());
  ASSERT_GE(item, 0);
  ClickItem(item);
  form_->ApplicationsView().ExecuteCommand(apps::kCmdTaskGoProcess);
  EXPECT_EQ(form_->ActivePage(), TMainForm::kProcessesPage);
  EXPECT_EQ(form_->ProcessesPage().SelectedPid(), notepad.Pid());
  HWND procList = form_->ProcessesView().lv_Proc();
  const int selected = ListView_GetNextItem(procList, -1, LVNI_SELECTED);
  EXPECT_EQ(ListText(procList, selected, 1), std::to_wstring(notepad.Pid()));
}

TEST_F(ApplicationsPageTest, SwitchMinimisesThisWindowWhileAutoMinimiseIsChecked) {
  ChildProgram notepad(L"notepad.exe");
  const int item = ItemOfProcess(notepad.Pid());
  ASSERT_GE(item, 0);
  ClickItem(item);
  form_->ApplicationsView().ExecuteCommand(apps::kCmdTaskSwitch);
  Pump();
  EXPECT_TRUE(IsIconic(form_->Handle()));

  ShowWindow(form_->Handle(), SW_RESTORE);
  Command(kCmdAutoMinimize);  // unchecked now
  form_->ApplicationsView().ExecuteCommand(apps::kCmdTaskSwitch);
  Pump();
  EXPECT_FALSE(IsIconic(form_->Handle()));
}

TEST_F(ApplicationsPageTest, CommandsOnButtonsAndMenusFollowTheSelection) {
  ChildProgram notepad(L"notepad.exe");
  const int item = ItemOfProcess(notepad.Pid());
  ASSERT_GE(item, 0);
  HMENU bar = GetMenu(form_->Handle());
  HMENU windowMenu = GetSubMenu(bar, 3);
  auto& view = form_->ApplicationsView();

  ClickItem(-1);
  EXPECT_FALSE(IsWindowEnabled(view.Button(apps::kCmdTaskKill)));
  EXPECT_FALSE(IsWindowEnabled(view.Button(apps::kCmdTaskSwitch)));
  EXPECT_TRUE(MenuIds(windowMenu).empty());
  EXPECT_NE(GetMenuState(bar, kCmdDetail, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(MenuIds(view.BuildPopupMenu().get()),
            (std::set<UINT>{apps::kCmdTaskNew, apps::kCmdTaskBigIcon, apps::kCmdTaskSmallIcon,
                            apps::kCmdTaskDetail}));

  ClickItem(item);
  EXPECT_TRUE(IsWindowEnabled(view.Button(apps::kCmdTaskKill)));
  EXPECT_EQ(MenuIds(windowMenu),
            (std::set<UINT>{kCmdMinimizeWindow, kCmdMaximizeWindow, kCmdBringToFront}));
  EXPECT_EQ(GetMenuState(bar, kCmdDetail, MF_BYCOMMAND), static_cast<UINT>(-1));
  const auto one = view.BuildPopupMenu();
  EXPECT_EQ(MenuIds(one.get()),
            (std::set<UINT>{apps::kCmdTaskNew, apps::kCmdTaskSwitch, apps::kCmdTaskBigIcon,
                            apps::kCmdTaskFront, apps::kCmdTaskMinimize, apps::kCmdTaskMaximize,
                            apps::kCmdTaskKill, apps::kCmdTaskGoProcess}));
  EXPECT_EQ(GetMenuDefaultItem(one.get(), FALSE, 0), static_cast<UINT>(apps::kCmdTaskSwitch));

  const int other = item == 0 ? 1 : 0;  // this program's own window is listed too
  ASSERT_LT(other, ListView_GetItemCount(List()));
  ClickItem(other, true);
  EXPECT_EQ(MenuIds(windowMenu).size(), 6u);
  EXPECT_TRUE(MenuIds(view.BuildPopupMenu().get()).count(apps::kCmdTaskCascade));
}

TEST_F(ApplicationsPageTest, NoCommandWaitsForTheWindowOfAHungProgram) {
  ChildProgram notepad(L"notepad.exe");
  const int item = ItemOfProcess(notepad.Pid());
  ASSERT_GE(item, 0);
  const auto window = reinterpret_cast<HWND>(form_->TaskList().Item(item).key);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  Command(kCmdAutoMinimize);  // "切换至" leaves this window as it is
  for (const UINT command :
       {apps::kCmdTaskSwitch, apps::kCmdTaskFront, apps::kCmdTaskMinimize, apps::kCmdTaskMaximize,
        apps::kCmdTaskCascade, apps::kCmdTaskTileHorizontal, apps::kCmdTaskTileVertical}) {
    ClickItem(item);
    HeldThread hung(thread);
    ASSERT_TRUE(hung.Held());
    const auto start = std::chrono::steady_clock::now();
    form_->ApplicationsView().ExecuteCommand(command);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::milliseconds(1000)) << "command " << command << " waited";
  }
}

TEST(Win32WindowQueries, ClassChildrenAtEveryDepthNoCloakAndNoGhost) {
  platform::win32::Win32WindowApi api;
  const auto id = [](HWND window) { return platform::win32::Win32WindowApi::FromHwnd(window); };
  HWND frame = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND inner = CreateWindowExW(0, L"BUTTON", L"inner", WS_CHILD, 0, 0, 50, 20, frame, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  HWND deeper = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 20, 10, inner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  std::wstring name;
  api.ClassName(id(inner), name);
  EXPECT_EQ(_wcsicmp(name.c_str(), L"Button"), 0);
  std::vector<platform::WindowHandle> children;
  api.ChildWindows(id(frame), children);
  EXPECT_EQ(children, (std::vector<platform::WindowHandle>{id(inner), id(deeper)}));
  api.ChildWindows(0, children);
  EXPECT_TRUE(children.empty()) << "no parent lists no top-level windows";
  EXPECT_FALSE(api.IsCloaked(id(frame)));
  EXPECT_EQ(api.HungWindowOf(id(frame)), 0u);
  DestroyWindow(frame);
  api.ClassName(id(frame), name);
  EXPECT_TRUE(name.empty());
  Pump();
}

TEST_F(ApplicationsPageTest, ViewStylesChangeTheListAndMoveTheirMarks) {
  HMENU bar = GetMenu(form_->Handle());
  const auto style = [this] { return GetWindowLongPtrW(List(), GWL_STYLE) & LVS_TYPEMASK; };
  EXPECT_EQ(style(), LVS_REPORT);
  EXPECT_TRUE(GetMenuState(bar, kCmdDetail, MF_BYCOMMAND) & MF_CHECKED);
  Command(kCmdBigIcon);
  EXPECT_EQ(style(), LVS_ICON);
  EXPECT_TRUE(GetMenuState(bar, kCmdBigIcon, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(bar, kCmdDetail, MF_BYCOMMAND) & MF_CHECKED);
  const auto popup = form_->ApplicationsView().BuildPopupMenu();
  EXPECT_TRUE(GetMenuState(popup.get(), apps::kCmdTaskBigIcon, MF_BYCOMMAND) & MF_CHECKED);
  form_->ApplicationsView().ExecuteCommand(apps::kCmdTaskSmallIcon);
  EXPECT_EQ(style(), LVS_SMALLICON);
  EXPECT_TRUE(GetMenuState(bar, kCmdSmallIcon, MF_BYCOMMAND) & MF_CHECKED);
  // The mark survives leaving and entering the page.
  form_->SelectPage(TMainForm::kUsersPage);
  form_->SelectPage(TMainForm::kApplicationsPage);
  EXPECT_TRUE(GetMenuState(bar, kCmdSmallIcon, MF_BYCOMMAND) & MF_CHECKED);
}

// Away from the page (and without "状态" on the Processes page) no tick asks
// for the windows; back on it, the page is up to date before it is painted.
TEST_F(ApplicationsPageTest, WindowsOpenedWhileAnotherPageIsShownAreListedWhenItComesBack) {
  form_->SelectPage(TMainForm::kProcessesPage);
  ChildProgram notepad(L"notepad.exe");
  ASSERT_TRUE(notepad.Running());
  RefreshNow();
  RefreshNow();
  const auto listed = [&] {
    for (std::size_t r = 0; r < form_->WinTable().Capacity(); ++r)
      if (form_->WinTable().Row(r).Wnd != 0 && form_->WinTable().Row(r).ProcessId == notepad.Pid())
        return true;
    return false;
  };
  EXPECT_FALSE(listed());
  form_->SelectPage(TMainForm::kApplicationsPage);
  Pump();
  EXPECT_TRUE(listed());
  EXPECT_GE(ItemOfProcess(notepad.Pid(), 0), 0);
}

}  // namespace
}  // namespace app
