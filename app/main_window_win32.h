// TMainForm, the main window and the program's composition root: it owns the
// system backend, the tables, the collectors, the page logic and the refresh
// cycle, lays out the tab pages, and answers the menu, the timer and the private
// update messages.
#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "app/main_menu_win32.h"
#include "app/refresh_cycle.h"
#include "app/restart_elevated.h"
#include "app/update_messages.h"
#include "apps/applications_page.h"
#include "apps/applications_view_win32.h"
#include "apps/win_table.h"
#include "apps/window_collector.h"
#include "net/adapter_collector.h"
#include "net/adapter_table.h"
#include "net/networking_page.h"
#include "net/networking_view_win32.h"
#include "net/port_form_win32.h"
#include "net/port_list.h"
#include "perf/cpu_sampler.h"
#include "perf/performance_page.h"
#include "perf/performance_view_win32.h"
#include "perf/tray_icon.h"
#include "perf/tray_pictures_win32.h"
#include "platform/win32/com_apartment_win32.h"
#include "platform/win32/elevation_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/performance_system_win32.h"
#include "platform/win32/program_font_win32.h"
#include "platform/win32/win32_system.h"
#include "procs/process_collector.h"
#include "procs/process_path.h"
#include "procs/process_table.h"
#include "procs/processes_page.h"
#include "procs/processes_view_win32.h"
#include "procs/system_totals.h"
#include "ui/list_model.h"
#include "ui/page_win32.h"
#include "ui/window_base_win32.h"
#include "users/session_collector.h"
#include "users/session_table.h"
#include "users/shutdown_menu.h"
#include "users/users_page.h"
#include "users/users_view_win32.h"

namespace app {

// Where the calls that act on the machine go (sessions, log-off, lock, messages,
// power and exit, the restart as administrator): the real system unless a test
// hands in its fakes.
struct SystemActions {
  platform::SessionApi* sessions = nullptr;
  platform::PowerApi* power = nullptr;
  platform::ElevationApi* elevation = nullptr;
  platform::ShellApi* shell = nullptr;  // the restart as administrator
};

class TMainForm final : public ui::WindowBase<TMainForm>, private TimerControl {
 public:
  enum Page { kApplicationsPage, kProcessesPage, kPerformancePage, kNetworkingPage, kUsersPage,
              kPageCount };

  explicit TMainForm(SystemActions actions = {});
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Creates the window with its controls and shows it; false when it could not.
  bool Create(HINSTANCE instance, int showCommand);

  HWND Tabs() const { return tabs_; }
  HWND StatusBar1() const { return statusBar_; }
  HWND PageWindow(int page) const { return pages_[page]->Handle(); }
  MainMenu& Menu() { return menu_; }
  int ActivePage() const { return activePage_; }
  // As a click on the page's tab.
  void SelectPage(int page);

  RefreshCycle& Cycle() { return cycle_; }
  ui::ListModel& ProcList() { return procList_; }
  procs::ProcessesPage& ProcessesPage() { return processesPage_; }
  procs::ProcessesView& ProcessesView() { return *processesView_; }
  procs::ProcessTable& ProcessTable() { return processTable_; }
  ui::ListModel& TaskList() { return taskList_; }
  apps::ApplicationsPage& ApplicationsPage() { return applicationsPage_; }
  apps::ApplicationsView& ApplicationsView() { return *applicationsView_; }
  apps::WinTable& WinTable() { return winTable_; }
  net::NetworkingView& NetworkingView() { return *networkingView_; }
  net::TAdapterStatuses& AdapterTable() { return adapterTable_; }
  // "网络连接状态(&O)": opens the port list window (or brings it forward) and fills it.
  void RefreshPortList();
  net::TPortForm* PortForm() { return portForm_.get(); }
  ui::ListModel& PortListModel() { return portListModel_; }
  perf::CpuSampler& CpuSampler() { return cpuSampler_; }
  perf::PerformancePage& PerformancePage() { return performancePage_; }
  perf::PerformanceView& PerformanceView() { return *performanceView_; }
  perf::TrayIcon& TrayIcon() { return trayIcon_; }
  ui::ListModel& UserList() { return userList_; }
  users::UsersView& UsersView() { return *usersView_; }

  // Processor instances: the processors plus the total instance (at least 2).
  int CpuInstanceCount = 0;

 private:
  friend class ui::WindowBase<TMainForm>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void WindowGone();  // the system calls lose their owner window

  void FormCreate();
  void FormShow();
  void FormResize();
  void FormClose();
  void CreateControls();
  void OnCommand(UINT id);
  void OnNotify(const NMHDR& header);
  void SetSpeed(UpdateSpeed speed);
  void ShowSpeedMarks();
  void N4Click();
  bool WMSysCommand(WPARAM command);
  void ShowTaskCommands(bool visible);
  void SyncTaskCommands();  // the Applications page's command states onto the menu
  void act_NewExecute();    // the Create New Task dialog
  void N33Click();          // the About box
  void GoToProcess(std::uint32_t pid);  // "转到进程(&G)"
  void AfterSwitch();       // "使用时自动最小化(&M)"
  bool PumpPendingMessages();  // false when a quit request came
  void LayoutGraphs();
  void UpdateTotals();
  void TrayIconMessage(LPARAM mouseMessage);

  void StartTimer(int intervalMs) override;
  void StopTimer() override;

  // First of all: the shell calls below need the thread in a COM apartment.
  platform::win32::ComApartment com_;
  platform::win32::Win32NativeApi native_;
  platform::win32::Win32ProcessApi processApi_;
  platform::win32::Win32Clock clock_;
  platform::win32::Win32Shell shell_;
  platform::win32::Win32Dialogs dialogs_;
  platform::win32::WindowPoster poster_;
  platform::win32::Win32Debugger debugger_;
  // One path look-up for the process list, the Applications page and the port list.
  procs::ProcessPathLookup processPaths_{processApi_, native_, clock_};

  procs::ProcessTable processTable_;
  procs::TMainProcInfo mainProcInfo_;
  ui::ListModel procList_;
  RefreshCycle cycle_;
  procs::ProcessesPage processesPage_;
  procs::ProcessCollector processCollector_;
  procs::SystemTotalsCollector totalsCollector_;
  platform::win32::Win32WindowApi windowApi_;
  apps::WinTable winTable_;
  ui::ListModel taskList_;
  apps::ApplicationsPage applicationsPage_;
  apps::WindowCollector windowCollector_;

  // Networking: the adapter table and its page, the port list window.
  platform::win32::Win32AdapterApi adapterApi_;
  platform::win32::Win32ConnectionApi connectionApi_;
  net::TAdapterStatuses adapterTable_;
  net::AdapterCollector adapterCollector_;
  ui::ListModel netList_;
  net::NetworkingPage networkingPage_;
  std::unique_ptr<net::NetworkingView> networkingView_;
  ui::ListModel portListModel_;
  net::PortList portList_;
  std::unique_ptr<net::TPortForm> portForm_;

  platform::win32::Win32PerformanceData performanceData_;
  platform::win32::Win32MemoryStatus memoryStatus_;
  platform::win32::Win32NotifyIcon notifyIcon_;
  perf::CpuSampler cpuSampler_;
  perf::PerformancePage performancePage_;
  std::unique_ptr<perf::PerformanceView> performanceView_;
  std::unique_ptr<perf::TrayPictures> trayPictures_;
  perf::TrayIcon trayIcon_;
  HICON windowIcon_ = nullptr;       // the tray picture the window shows as its icon
  UINT taskbarCreatedMessage_ = 0;   // broadcast when the taskbar is (re)created
  platform::win32::Win32SessionApi sessionApi_;
  platform::win32::Win32PowerApi powerApi_;
  platform::win32::Win32UiWait uiWait_;
  SystemActions actions_;
  users::SessionTable sessionTable_;
  ui::ListModel userList_;
  users::SessionCollector sessionCollector_{*actions_.sessions, {poster_, kUpdateSessions},
                                            sessionTable_};
  users::UsersPage usersPage_{sessionTable_, userList_, *actions_.sessions, dialogs_,
                              cycle_, uiWait_, cycle_.ClosingFlag()};
  users::ShutdownMenu shutdownMenu_{dialogs_, processApi_, *actions_.power, *actions_.sessions};
  platform::win32::Win32Elevation elevation_;
  RestartElevated restartElevated_;

  MainMenu menu_;
  platform::win32::UniqueFont font_;
  HWND bevel_ = nullptr;   // Bevel1
  HWND tabs_ = nullptr;    // PageControl1
  HWND statusBar_ = nullptr;
  std::array<std::unique_ptr<ui::PageWindow>, kPageCount> pages_;
  int activePage_ = kApplicationsPage;
  std::unique_ptr<procs::ProcessesView> processesView_;
  std::unique_ptr<apps::ApplicationsView> applicationsView_;
  std::unique_ptr<users::UsersView> usersView_;
  HWND lastFocus_ = nullptr;
  bool waitingToClose_ = false;
};

}  // namespace app
