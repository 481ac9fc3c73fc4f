// The program: the system backends, one part per page (its table, collector,
// page logic and view), the refresh cycle with the order of one tick, and the
// state of the run that the parts share. The main window shows it.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "app/page_host_win32.h"
#include "app/refresh_cycle.h"
#include "app/restart_elevated.h"
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
#include "platform/win32/service_api_win32.h"
#include "platform/win32/startup_api_win32.h"
#include "platform/win32/win32_system.h"
#include "procs/process_collector.h"
#include "procs/process_path.h"
#include "procs/process_table.h"
#include "procs/processes_page.h"
#include "procs/processes_view_win32.h"
#include "procs/system_totals.h"
#include "services/service_collector.h"
#include "services/service_table.h"
#include "services/services_page.h"
#include "services/services_view_win32.h"
#include "startup/startup_collector.h"
#include "startup/startup_page.h"
#include "startup/startup_table.h"
#include "startup/startup_view_win32.h"
#include "ui/list_model.h"
#include "users/session_collector.h"
#include "users/session_table.h"
#include "users/shutdown_menu.h"
#include "users/users_page.h"
#include "users/users_view_win32.h"

namespace app {

// Where the calls that act on the machine go (sessions, log-off, lock, messages,
// power and exit, the restart as administrator, the startup entries): the real
// system unless a test hands in its fakes.
struct SystemActions {
  platform::SessionApi* sessions = nullptr;
  platform::PowerApi* power = nullptr;
  platform::ElevationApi* elevation = nullptr;
  platform::ShellApi* shell = nullptr;  // the restart as administrator
  platform::StartupApi* startup = nullptr;  // what starts at sign-in
};

// The Win32 side of every interface the parts use.
struct Backends {
  // First of all: the shell calls need the thread in a COM apartment.
  platform::win32::ComApartment com;
  platform::win32::Win32NativeApi native;
  platform::TickFigures tickFigures{native};  // read afresh at the first step of each tick
  platform::win32::Win32ProcessApi processApi;
  platform::win32::Win32Clock clock;
  platform::win32::Win32Shell shell;
  platform::win32::Win32Dialogs dialogs;
  platform::win32::WindowPoster poster;
  platform::win32::Win32Debugger debugger;
  platform::win32::Win32WindowApi windowApi;
  platform::win32::Win32AdapterApi adapterApi;
  platform::win32::Win32ConnectionApi connectionApi;
  platform::win32::Win32PerformanceData performanceData;
  platform::win32::Win32MemoryStatus memoryStatus{tickFigures};
  platform::win32::Win32NotifyIcon notifyIcon;
  platform::win32::Win32SessionApi sessionApi;
  platform::win32::Win32PowerApi powerApi;
  platform::win32::Win32UiWait uiWait;
  platform::win32::Win32Elevation elevation;
  platform::win32::Win32ServiceApi serviceApi;
  platform::win32::Win32StartupApi startupApi;
  // One path look-up for the process list, the Applications page and the port list.
  procs::ProcessPathLookup processPaths{processApi, native, clock};
};

// What every part reads of the run as a whole.
struct RunState {
  const bool& Closing;       // set once the window is closing; the parts stop
  int CpuInstanceCount = 0;  // the processors plus the total instance (at least 2)
};

struct ProcessesPart {
  ProcessesPart(Backends& system, RunState& run);
  void MakeView(const PageHost& host);
  const RunState& run;
  procs::ProcessTable table;
  procs::TMainProcInfo mainProcInfo;
  ui::ListModel list;
  procs::ProcessesPage page;
  procs::ProcessCollector collector;
  procs::SystemTotalsCollector totals;
  std::unique_ptr<procs::ProcessesView> view;
};

struct ApplicationsPart {
  ApplicationsPart(Backends& system, RunState& run);
  void MakeView(const PageHost& host);
  apps::WinTable table;
  ui::ListModel list;
  apps::ApplicationsPage page;
  apps::WindowCollector collector;
  std::unique_ptr<apps::ApplicationsView> view;
};

// The Networking page and the port list window.
struct NetworkingPart {
  NetworkingPart(Backends& system, RunState& run);
  void MakeView(const PageHost& host);
  // "网络连接状态(&O)": opens the port list window (or brings it forward) and fills it.
  void RefreshPortList(HINSTANCE instance, HFONT font);
  net::TAdapterStatuses table;
  net::AdapterCollector collector;
  ui::ListModel list;
  net::NetworkingPage page;
  std::unique_ptr<net::NetworkingView> view;
  ui::ListModel portListModel;
  net::PortList portList;
  std::unique_ptr<net::TPortForm> portForm;
};

// The Performance page and the notification icon.
struct PerformancePart {
  PerformancePart(Backends& system, RunState& run, const procs::TMainProcInfo& totals,
                  const procs::TickCulprits& culprits);
  void MakeView(const PageHost& host);
  perf::CpuSampler sampler;
  perf::PerformancePage page;
  std::unique_ptr<perf::PerformanceView> view;
  std::unique_ptr<perf::TrayPictures> trayPictures;
  int trayIconSize = 16;  // the taskbar's small-icon size
  perf::TrayIcon trayIcon;
};

// The Users page and the "关机" menu.
struct UsersPart {
  UsersPart(Backends& system, RunState& run, const SystemActions& actions, RefreshCycle& cycle);
  void MakeView(const PageHost& host);
  users::SessionTable table;
  ui::ListModel list;
  users::SessionCollector collector;
  users::UsersPage page;
  users::ShutdownMenu shutdownMenu;
  std::unique_ptr<users::UsersView> view;
};

// The Services page.
struct ServicesPart {
  ServicesPart(Backends& system, RunState& run, const SystemActions& actions);
  void MakeView(const PageHost& host);
  services::ServiceTable table;
  ui::ListModel list;
  services::ServiceCollector collector;
  services::ServicesPage page;
  std::unique_ptr<services::ServicesView> view;
};

// The 启动 page.
struct StartupPart {
  StartupPart(Backends& system, RunState& run, const SystemActions& actions);
  void MakeView(const PageHost& host);
  startup::StartupTable table;
  ui::ListModel list;
  startup::StartupCollector collector;
  startup::StartupPage page;
  std::unique_ptr<startup::StartupView> view;
};

class Program {
 public:
  // `closeProgram` closes the main window (after the restart as administrator).
  Program(TimerControl& timer, SystemActions actions, std::function<void()> closeProgram);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The window that owns the program's dialogs and receives its messages; null
  // once it is gone.
  void SetWindow(HWND window);
  // The window is shown: the processor count is known and the updates start.
  void Start();
  // One of the update messages the collectors post; false for any other message.
  bool HandleUpdate(UINT message);
  // Graphs and meters are laid out again only while updates run; a resize during
  // a pause is caught up at the next resize or restore.
  void LayoutGraphs();
  // The top-level windows are enumerated only while something shows what they
  // give: the 应用程序 page, or the 进程 page's "状态" column (a process whose
  // window hangs reads "无响应"). Shown again (a page or a column chosen), the
  // ticks they missed are caught up at once, and so are the sessions (read only
  // while the 用户 page is shown) and the adapters (read only every fourth tick
  // while the 联网 page is hidden).
  bool WindowsShown() const;
  bool SessionsShown() const;
  void CatchUpShownPages();

  Backends system;
  SystemActions actions;
  RefreshCycle cycle;
  RunState run;
  ProcessesPart processes;
  ApplicationsPart applications;
  NetworkingPart networking;
  PerformancePart performance;
  UsersPart users;
  ServicesPart services;
  StartupPart startup;
  RestartElevated restartElevated;

 private:
  void CollectWindowsIfShown();
  void CollectSessionsIfShown();

  bool windowsBehind_ = false;  // a tick went by without enumerating them
  bool sessionsBehind_ = false;
};

}  // namespace app
