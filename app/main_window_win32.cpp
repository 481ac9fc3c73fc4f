// The main window: creation of its controls, the layout of bevel, tabs, pages and
// status bar, the menu commands, the timer behind the refresh cycle, the private
// update messages and the closing handshake.
#include "app/main_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/about_form_win32.h"
#include "app/open_form_win32.h"
#include "app/resource_ids.h"
#include "procs/column_chooser_win32.h"
#include "ui/page_win32.h"
#include "ui/refresh_error.h"
#include "ui/text_utf8.h"

namespace app {

namespace {

constexpr wchar_t kWindowClass[] = L"ZentrikMainForm";
constexpr wchar_t kCaption[] = L"Windows 泽恩特";
constexpr int kLeft = 310, kTop = 148, kWidth = 400, kHeight = 425;
constexpr int kInnerBorder = 4;
constexpr int kBevelHeight = 2;
constexpr int kTabHeight = 20;
constexpr UINT_PTR kTimerId = 1;
constexpr std::array<const wchar_t*, TMainForm::kPageCount> kTabCaptions{
    L"应用程序", L"进程  ", L"性能  ", L"联网  ", L"用户  "};
constexpr int kStatusPanelEdges[] = {80, 80 + 120, -1};  // 80, 120, and 50 + the rest

}  // namespace

TMainForm::TMainForm(SystemActions actions)
    : cycle_(*this, dialogs_),
      processesPage_(processTable_, procList_, processApi_, shell_, dialogs_, debugger_,
                     cycle_.ClosingFlag()),
      processCollector_(native_, processApi_, processPaths_, clock_,
                        {poster_, kUpdateProcesses}, processTable_, mainProcInfo_,
                        cycle_.ClosingFlag(), CpuInstanceCount),
      totalsCollector_(native_, {poster_, kUpdateTotals}, mainProcInfo_),
      applicationsPage_(winTable_, taskList_, windowApi_, dialogs_, cycle_.ClosingFlag()),
      windowCollector_(windowApi_, processPaths_, {poster_, kUpdateWindows}, winTable_,
                       cycle_.ClosingFlag()),
      adapterCollector_(adapterApi_, clock_, {poster_, kUpdateAdapters}, adapterTable_),
      networkingPage_(adapterTable_, netList_, cycle_.ClosingFlag()),
      portList_(connectionApi_, processPaths_, dialogs_, processApi_, portListModel_),
      cpuSampler_(native_, performanceData_, {poster_, kUpdateGraphs}, cycle_.ClosingFlag()),
      performancePage_(mainProcInfo_, cpuSampler_.PerCpuPercent(), cpuSampler_.CpuUsagePercent(),
                       memoryStatus_, {poster_, kUpdateGraphs}, cycle_.ClosingFlag()),
      trayIcon_(notifyIcon_, [this](int pen) -> platform::IconRef {
        return trayPictures_ ? trayPictures_->IconFor(pen) : nullptr;
      }),
      actions_{actions.sessions ? actions.sessions : &sessionApi_,
               actions.power ? actions.power : &powerApi_,
               actions.elevation ? actions.elevation : &elevation_,
               actions.shell ? actions.shell : &shell_},
      restartElevated_(*actions_.elevation, *actions_.shell,
                       [this] { PostMessageW(window_, WM_CLOSE, 0, 0); }) {
  // The order of one tick; the adapter collector comes between the windows and
  // the sessions, and the per-processor sample ends the tick.
  // "状态" reads "无响应" for the processes whose windows the Applications page found hung.
  processCollector_.SetNotRespondingSource([this](std::vector<std::uint32_t>& pids) {
    for (std::size_t i = 0; i < winTable_.Capacity(); ++i)
      if (winTable_.Row(i).Wnd != 0 && !winTable_.Row(i).Responding)
        pids.push_back(winTable_.Row(i).ProcessId);
  });
  cycle_.AddStep([this] { processCollector_.CollectProcesses(); });
  cycle_.AddStep([this] { cpuSampler_.SampleTotalCpuUsage(); });
  cycle_.AddStep([this] { totalsCollector_.CollectSystemTotals(); });
  cycle_.AddStep([this] { windowCollector_.CollectWindows(); });
  cycle_.AddStep([this] { adapterCollector_.CollectAdapters(); });
  cycle_.AddStep([this] { sessionCollector_.CollectSessions(); });
  cycle_.AddStep([this] { cpuSampler_.StorePerCpuPercent(CpuInstanceCount); });
}

TMainForm::~TMainForm() {
  // The controls go while the objects that answer their messages still exist.
  if (window_ != nullptr) DestroyWindow(window_);
}

bool TMainForm::Create(HINSTANCE instance, int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!GetClassInfoExW(instance, kWindowClass, &windowClass)) {
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZENTRIK));
    if (windowClass.hIcon == nullptr) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0) return false;
  }
  // The window procedure stores the handle as soon as the window exists.
  CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, kCaption,
                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kLeft, kTop, kWidth, kHeight, nullptr,
                  menu_.Bar(), instance, this);
  if (window_ == nullptr) return false;
  menu_.AttachTo(window_);
  FormCreate();
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  return true;
}

void TMainForm::SelectPage(int page) {
  if (page < 0 || page >= kPageCount) return;
  TabCtrl_SetCurSel(tabs_, page);
  activePage_ = page;
  for (int i = 0; i < kPageCount; ++i) ShowWindow(pages_[i], i == page ? SW_SHOW : SW_HIDE);
  ShowTaskCommands(page == kApplicationsPage);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->window_ = nullptr;
    form->poster_.SetWindow(nullptr);
    form->dialogs_.SetOwner(nullptr);
    form->shell_.SetOwner(nullptr);
    form->debugger_.SetOwner(nullptr);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // An error of a command must not unwind through the system's code: show it.
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (const ui::RefreshError& error) {
    MessageBoxW(window, error.Text().c_str(), kCaption, MB_OK | MB_ICONERROR);
  } catch (const std::exception& error) {
    MessageBoxW(window, ui::WidenUtf8(error.what()).c_str(), kCaption, MB_OK | MB_ICONERROR);
  }
  return 0;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreatedMessage_ && message != 0) {
    trayIcon_.TaskbarCreated();
    return 0;
  }
  switch (message) {
    case WM_SIZE:
      // A minimised window keeps its layout: the graphs' histories survive.
      if (wParam != SIZE_MINIMIZED) FormResize();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam != FALSE) FormShow();
      break;
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is active again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      const bool lastUsable =
          lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_);
      if (HWND target = lastUsable ? lastFocus_ : tabs_) SetFocus(target);
      return 0;
    }
    case WM_NEXTDLGCTL: {
      // The dialog navigation asks this of the window it runs in: a label's &
      // letter moves the focus to the label, then on to the control after it.
      HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                        : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
      if (target != nullptr) SetFocus(target);
      return 0;
    }
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {kWidth, kHeight};
      return 0;
    case WM_SYSCOMMAND:
      if (WMSysCommand(wParam)) return 0;
      break;
    case WM_COMMAND:
      if (lParam == 0) OnCommand(LOWORD(wParam));  // menu items
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) cycle_.Timer1Timer();
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_DESTROY:
      trayIcon_.DeleteTrayIcon();
      PostQuitMessage(0);
      return 0;
    case kUpdateProcesses:
      processesPage_.UpdateProcessList();
      return 0;
    case kUpdateWindows:
      applicationsPage_.UpdateTaskList();
      return 0;
    case kUpdateAdapters:
      networkingView_->UpdateNetPage();
      return 0;
    case kUpdateTotals:
      UpdateTotals();
      return 0;
    case kUpdateGraphs:
      performanceView_->UpdateGraphs();
      return 0;
    case kLayoutGraphs:
      LayoutGraphs();
      return 0;
    case kTrayCallbackMessage:
      TrayIconMessage(lParam);
      return 0;
    case kUpdateSessions:
      usersPage_.UpdateUsersPage();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void TMainForm::FormCreate() {
  dialogs_.SetOwner(window_);
  shell_.SetOwner(window_);
  debugger_.SetOwner(window_);
  poster_.SetWindow(window_);
  applicationsPage_.SetOwnWindow(platform::win32::Win32WindowApi::FromHwnd(window_));
  // Once for the whole run: lets the program read and end other users' processes.
  processApi_.EnablePrivilege(L"SeDebugPrivilege");
  if (restartElevated_.Offered()) menu_.AddRestartElevated();
  font_ = platform::win32::CreateProgramFont();
  // The notification icon starts with the program's icon; when the notification
  // area refuses it, it comes with the taskbar's announcement.
  notifyIcon_.SetWindow(window_);
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  ChangeWindowMessageFilterEx(window_, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
  // A shared icon from the resources: nothing to free; the system's when missing.
  HICON startIcon = static_cast<HICON>(
      LoadImageW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)),
                 MAKEINTRESOURCEW(IDI_ZENTRIK), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (startIcon == nullptr) startIcon = LoadIconW(nullptr, IDI_APPLICATION);
  trayIcon_.AddTrayIcon(startIcon);
  trayPictures_ = std::make_unique<perf::TrayPictures>();
  CreateControls();
  FormResize();
  SelectPage(kApplicationsPage);
}

void TMainForm::CreateControls() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  const auto setFont = [this](HWND control) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  };
  bevel_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, 0, 0, 0,
                           window_, nullptr, instance, nullptr);
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE,
                          0, 0, 0, 0, window_, nullptr, instance, nullptr);
  setFont(tabs_);
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(kTabCaptions[i]);
    TabCtrl_InsertItem(tabs_, i, &item);
  }
  TabCtrl_SetItemSize(tabs_, 0, kTabHeight);
  statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                               0, 0, 0, 0, window_, nullptr, instance, nullptr);
  setFont(statusBar_);
  SendMessageW(statusBar_, SB_SETPARTS, std::size(kStatusPanelEdges),
               reinterpret_cast<LPARAM>(kStatusPanelEdges));
  for (HWND& page : pages_) {
    page = ui::CreatePageWindow(window_, instance);
    // Above the tab control, which does not paint over its siblings.
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  processesView_ = std::make_unique<procs::ProcessesView>(pages_[kProcessesPage], font_.get(),
                                                          processesPage_, procList_,
                                                          CpuInstanceCount);
  processesView_->N12Click = [this] { RefreshPortList(); };
  networkingView_ = std::make_unique<net::NetworkingView>(
      pages_[kNetworkingPage], font_.get(), networkingPage_, netList_, adapterCollector_);
  apps::ApplicationsViewHooks hooks;
  hooks.newTask = [this] { act_NewExecute(); };
  hooks.goToProcess = [this](std::uint32_t pid) { GoToProcess(pid); };
  hooks.switched = [this] { AfterSwitch(); };
  hooks.commandsChanged = [this] { SyncTaskCommands(); };
  applicationsView_ = std::make_unique<apps::ApplicationsView>(
      pages_[kApplicationsPage], font_.get(), applicationsPage_, taskList_, std::move(hooks));
  performanceView_ = std::make_unique<perf::PerformanceView>(
      pages_[kPerformancePage], font_.get(), performancePage_, statusBar_);
  usersView_ = std::make_unique<users::UsersView>(pages_[kUsersPage], font_.get(), usersPage_,
                                                  userList_);
}

void TMainForm::FormShow() {
  try {
    CpuInstanceCount = cpuSampler_.CpuSampleCount();
  } catch (const ui::RefreshError&) {
    // Neither source of processor figures answers: the first tick says so.
    CpuInstanceCount = std::max(2, procs::QueryProcessorCount(native_, performanceData_) + 1);
  }
  performanceView_->CreateCpuGraphs(CpuInstanceCount - 1);
  cycle_.act_StartExecute();
}

void TMainForm::FormResize() {
  if (tabs_ == nullptr) return;
  SendMessageW(statusBar_, WM_SIZE, 0, 0);  // the status bar places itself at the bottom
  RECT client{};
  GetClientRect(window_, &client);
  RECT bar{};
  GetWindowRect(statusBar_, &bar);
  const int left = kInnerBorder;
  const int top = kInnerBorder;
  const int width = std::max(0, static_cast<int>(client.right) - 2 * kInnerBorder);
  const int bottom = static_cast<int>(client.bottom - (bar.bottom - bar.top));
  MoveWindow(bevel_, left, top, width, kBevelHeight, TRUE);
  const int tabsTop = top + kBevelHeight;
  const int tabsHeight = std::max(0, bottom - tabsTop);
  MoveWindow(tabs_, left, tabsTop, width, tabsHeight, TRUE);
  RECT pageArea{0, 0, width, tabsHeight};
  TabCtrl_AdjustRect(tabs_, FALSE, &pageArea);
  OffsetRect(&pageArea, left, tabsTop);
  for (HWND page : pages_) {
    MoveWindow(page, pageArea.left, pageArea.top, std::max(0L, pageArea.right - pageArea.left),
               std::max(0L, pageArea.bottom - pageArea.top), TRUE);
  }
  PostMessageW(window_, kLayoutGraphs, 0, 0);
}

void TMainForm::FormClose() {
  if (waitingToClose_) return;  // a second close while the first one waits
  waitingToClose_ = true;
  trayIcon_.DeleteTrayIcon();
  cycle_.BeginClosing();
  // The next tick sees Closing, stops the timer and sets TimerStopped.
  while (!cycle_.TimerStopped()) {
    Sleep(100);
    // A quit request cannot wait for a tick that would come only after it.
    if (!PumpPendingMessages()) break;
    if (window_ == nullptr) return;
  }
  DestroyWindow(window_);
}

bool TMainForm::PumpPendingMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left to the message loop that owns it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

// Graphs and meters are laid out again only while updates run; a resize during
// a pause is caught up at the next resize or restore.
void TMainForm::LayoutGraphs() {
  if (!cycle_.TimerEnabled() || CpuInstanceCount == 0) return;
  performanceView_->LayoutGraphs();
  networkingView_->LayoutAdapterGraphs();
}

void TMainForm::UpdateTotals() {
  if (cycle_.Closing()) return;
  performanceView_->UpdateTotals();
  trayIcon_.UpdateTrayIcon(cpuSampler_.CpuUsagePercent());
  // The tray picture is the window's icon too.
  auto icon = static_cast<HICON>(const_cast<void*>(trayIcon_.Icon()));
  if (icon != nullptr && icon != windowIcon_) {
    windowIcon_ = icon;
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
}

// A left double click on the notification icon brings the window back.
void TMainForm::TrayIconMessage(LPARAM mouseMessage) {
  if (mouseMessage != WM_LBUTTONDBLCLK) return;
  PostMessageW(window_, kLayoutGraphs, 0, 0);
  ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_);
}

void TMainForm::OnCommand(UINT id) {
  if (id >= kCmdShutdownFirst && id <= kCmdShutdownLast) {
    shutdownMenu_.N27Click(static_cast<int>(id - kCmdShutdownFirst));
    return;
  }
  switch (id) {
    case kCmdNewTask:
      act_NewExecute();
      break;
    case kCmdExit:
      PostMessageW(window_, WM_CLOSE, 0, 0);
      break;
    case kCmdRestartElevated:
      restartElevated_.Execute();
      break;
    case kCmdAbout:
      N33Click();
      break;
    case kCmdBigIcon: applicationsView_->ExecuteCommand(apps::kCmdTaskBigIcon); break;
    case kCmdSmallIcon: applicationsView_->ExecuteCommand(apps::kCmdTaskSmallIcon); break;
    case kCmdDetail: applicationsView_->ExecuteCommand(apps::kCmdTaskDetail); break;
    case kCmdTileHorizontal:
      applicationsView_->ExecuteCommand(apps::kCmdTaskTileHorizontal);
      break;
    case kCmdTileVertical: applicationsView_->ExecuteCommand(apps::kCmdTaskTileVertical); break;
    case kCmdMinimizeWindow: applicationsView_->ExecuteCommand(apps::kCmdTaskMinimize); break;
    case kCmdMaximizeWindow: applicationsView_->ExecuteCommand(apps::kCmdTaskMaximize); break;
    case kCmdCascade: applicationsView_->ExecuteCommand(apps::kCmdTaskCascade); break;
    case kCmdBringToFront: applicationsView_->ExecuteCommand(apps::kCmdTaskFront); break;
    case kCmdTopmost:
      N4Click();
      break;
    case kCmdAutoMinimize:
    case kCmdHideWhenMinimized:  // N6Click: the mark is read on minimise
      menu_.ToggleChecked(id);
      break;
    case kCmdRefreshNow:
      cycle_.N7Click();
      break;
    case kCmdSpeedHigh:
      SetSpeed(UpdateSpeed::kHigh);
      break;
    case kCmdSpeedNormal:
      SetSpeed(UpdateSpeed::kNormal);
      break;
    case kCmdSpeedLow:
      SetSpeed(UpdateSpeed::kLow);
      break;
    case kCmdPause:
      cycle_.N16Click();
      ShowSpeedMarks();
      break;
    case kCmdSelectColumns:  // N10Click
      procs::TViewForm(processesPage_, cycle_).ShowModal(window_, font_.get());
      break;
    default:
      break;  // items whose pages come later do nothing yet
  }
}

void TMainForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == tabs_ && header.code == TCN_SELCHANGE)
    SelectPage(TabCtrl_GetCurSel(tabs_));
}

void TMainForm::SetSpeed(UpdateSpeed speed) {
  cycle_.SetSpeed(speed);
  ShowSpeedMarks();
}

void TMainForm::ShowSpeedMarks() {
  menu_.SetChecked(kCmdSpeedHigh, cycle_.Speed() == UpdateSpeed::kHigh);
  menu_.SetChecked(kCmdSpeedNormal, cycle_.Speed() == UpdateSpeed::kNormal);
  menu_.SetChecked(kCmdSpeedLow, cycle_.Speed() == UpdateSpeed::kLow);
  menu_.SetChecked(kCmdPause, cycle_.Paused());
}

void TMainForm::N4Click() {
  const bool topmost = menu_.ToggleChecked(kCmdTopmost);
  SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}

bool TMainForm::WMSysCommand(WPARAM command) {
  if (command != SC_MINIMIZE) return false;
  if (IsIconic(window_)) return true;
  if (!menu_.Checked(kCmdHideWhenMinimized)) return false;  // the ordinary minimise
  ShowWindow(window_, SW_HIDE);
  return true;
}

void TMainForm::ShowTaskCommands(bool visible) {
  applicationsPage_.ShowTaskCommands(visible);
  menu_.ShowTaskCommands(visible);
  if (applicationsView_) applicationsView_->ApplyCommands();  // also syncs the menu
}

void TMainForm::SyncTaskCommands() {
  const apps::TaskCommands& c = applicationsPage_.Commands();
  TaskMenuItems items;
  items.bigIcon = c.bigIconVisible;
  items.smallIcon = c.smallIconVisible;
  items.detail = c.detailVisible;
  items.tileHorizontal = items.tileVertical = items.cascade = c.arrangeVisible;
  items.minimize = c.minimizeVisible;
  items.maximize = c.maximizeVisible;
  items.front = c.topVisible;
  menu_.SetTaskItems(items);
  const apps::TaskView view = applicationsView_->View();
  menu_.SetViewStyleMark(view == apps::TaskView::kLargeIcons   ? kCmdBigIcon
                         : view == apps::TaskView::kSmallIcons ? kCmdSmallIcon
                                                               : kCmdDetail);
}

void TMainForm::act_NewExecute() {
  TOpenForm form(shell_);
  if (form.Create(window_, font_.get())) form.ShowModal();
}

void TMainForm::N33Click() {
  TAboutForm form;
  if (form.Create(window_, font_.get())) form.ShowModal();
}

void TMainForm::GoToProcess(std::uint32_t pid) {
  const auto item = processesPage_.FindItemByPid(pid);
  if (!item) return;  // not on the Processes list: the page stays as it is
  for (const std::size_t selected : procList_.SelectedIndices())
    if (selected != *item) procList_.Select(selected, false);
  procList_.Select(*item, true);  // also scrolls it into view
  processesView_->lv_ProcSelectItem();
  SelectPage(kProcessesPage);
  SetFocus(processesView_->lv_Proc());
}

void TMainForm::AfterSwitch() {
  // The user went to another window: this one gets out of the way, as an
  // ordinary minimise (which "最小化时隐藏" may turn into hiding).
  if (menu_.Checked(kCmdAutoMinimize)) SendMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TMainForm::RefreshPortList() {
  if (!portForm_ || !portForm_->IsOpen()) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    portForm_ = std::make_unique<net::TPortForm>(instance, font_.get(), portList_, portListModel_,
                                                 [this] { RefreshPortList(); });
  }
  portForm_->ShowInFront();
  portList_.Fill();
}

void TMainForm::StartTimer(int intervalMs) {
  if (window_ != nullptr) SetTimer(window_, kTimerId, static_cast<UINT>(intervalMs), nullptr);
}

void TMainForm::StopTimer() {
  if (window_ != nullptr) KillTimer(window_, kTimerId);
}

}  // namespace app
