// TMainForm, the main window: its handle, the layout of bevel, tabs, pages and
// status bar, and its window procedure. It holds the program (the parts behind
// the pages) and hands the menu to its commands.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "app/main_commands_win32.h"
#include "app/main_menu_win32.h"
#include "app/program_win32.h"
#include "platform/win32/owned_handles_win32.h"
#include "ui/controls_win32.h"
#include "ui/dpi.h"
#include "ui/page_win32.h"
#include "ui/window_base_win32.h"

namespace app {

class TMainForm final : public ui::WindowBase<TMainForm>, private TimerControl {
 public:
  enum Page { kApplicationsPage, kProcessesPage, kPerformancePage, kNetworkingPage, kUsersPage,
              kServicesPage, kStartupPage, kPageCount };

  explicit TMainForm(SystemActions actions = {});
  ~TMainForm() override;

  // Creates the window with its controls and shows it; false when it could not.
  bool Create(HINSTANCE instance, int showCommand);

  HWND Tabs() const { return tabs_; }
  HWND StatusBar1() const { return statusBar_; }
  HWND PageWindow(int page) const { return pages_[page]->Handle(); }
  HFONT Font() const { return font_.get(); }
  MainMenu& Menu() { return menu_; }
  int ActivePage() const { return activePage_; }
  // As a click on the page's tab.
  void SelectPage(int page);
  // "网络连接状态(&O)": opens the port list window (or brings it forward) and fills it.
  void RefreshPortList() { program_.networking.RefreshPortList(ui::InstanceOf(window_), Font()); }

  Program& Parts() { return program_; }
  const RunState& Run() const { return program_.run; }
  RefreshCycle& Cycle() { return program_.cycle; }
  ui::ListModel& ProcList() { return program_.processes.list; }
  procs::ProcessesPage& ProcessesPage() { return program_.processes.page; }
  procs::ProcessesView& ProcessesView() { return *program_.processes.view; }
  procs::ProcessTable& ProcessTable() { return program_.processes.table; }
  ui::ListModel& TaskList() { return program_.applications.list; }
  apps::ApplicationsPage& ApplicationsPage() { return program_.applications.page; }
  apps::ApplicationsView& ApplicationsView() { return *program_.applications.view; }
  apps::WinTable& WinTable() { return program_.applications.table; }
  net::NetworkingView& NetworkingView() { return *program_.networking.view; }
  net::TAdapterStatuses& AdapterTable() { return program_.networking.table; }
  net::TPortForm* PortForm() { return program_.networking.portForm.get(); }
  ui::ListModel& PortListModel() { return program_.networking.portListModel; }
  perf::CpuSampler& CpuSampler() { return program_.performance.sampler; }
  perf::PerformancePage& PerformancePage() { return program_.performance.page; }
  perf::PerformanceView& PerformanceView() { return *program_.performance.view; }
  perf::TrayIcon& TrayIcon() { return program_.performance.trayIcon; }
  ui::ListModel& UserList() { return program_.users.list; }
  users::UsersView& UsersView() { return *program_.users.view; }
  ui::ListModel& ServiceList() { return program_.services.list; }
  services::ServicesPage& ServicesPage() { return program_.services.page; }
  services::ServicesView& ServicesView() { return *program_.services.view; }
  ui::ListModel& StartupList() { return program_.startup.list; }
  startup::StartupView& StartupView() { return *program_.startup.view; }

 private:
  friend class ui::WindowBase<TMainForm>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void WindowGone();  // the system calls lose their owner window

  void FormCreate();
  void FormResize();
  void PlaceOnScreen();
  void DpiChanged(int dpi, const RECT& suggested);
  void SetStatusPanels();
  // The icon sizes: the notification area's, and the large one at the window's DPI.
  void SetIconSizes();
  // The tray picture for the current usage in the notification area and as the
  // window's small and large icons.
  void ShowPictureIcons();
  int Px(int logical) const { return ui::Scale(logical, dpi_); }
  void FormClose();
  void CreateControls();
  void CreateViews();
  void OnNotify(const NMHDR& header);
  bool WMSysCommand(WPARAM command);
  void ShowTaskCommands(bool visible);
  bool PumpPendingMessages();  // false when a quit request came
  void UpdateTotals();
  void TrayIconMessage(LPARAM mouseMessage);

  static constexpr UINT_PTR kTimerId = 1;
  void StartTimer(int intervalMs) override {
    if (window_ != nullptr) SetTimer(window_, kTimerId, static_cast<UINT>(intervalMs), nullptr);
  }
  void StopTimer() override {
    if (window_ != nullptr) KillTimer(window_, kTimerId);
  }

  Program program_;
  MainMenu menu_;
  MainCommands commands_{*this};
  platform::win32::UniqueFont font_;
  // Fonts of an earlier DPI: views made then may still hand them to new controls.
  std::vector<platform::win32::UniqueFont> earlierFonts_;
  int dpi_ = ui::kLogicalDpi;
  HWND bevel_ = nullptr;   // Bevel1
  HWND tabs_ = nullptr;    // PageControl1
  HWND statusBar_ = nullptr;
  std::array<std::unique_ptr<ui::PageWindow>, kPageCount> pages_;
  int activePage_ = kApplicationsPage;
  // The program's icon at the sizes for the DPI, shown until the first update.
  platform::win32::UniqueIcon startIcon_, startLargeIcon_;
  perf::TrayPictures largePictures_;  // the tray picture at the large-icon size
  int largeIconSize_ = 32;
  HICON smallIcon_ = nullptr;  // the tray picture the window shows as its icons
  HICON largeIcon_ = nullptr;
  UINT taskbarCreatedMessage_ = 0;   // broadcast when the taskbar is (re)created
  HWND lastFocus_ = nullptr;
  bool waitingToClose_ = false;
};

}  // namespace app
