// The main window: creation of its controls, the layout of bevel, tabs, pages and
// status bar, the timer behind the refresh cycle, the routing of its messages and
// the closing handshake.
#include "app/main_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/program_icon_win32.h"
#include "app/resource_ids.h"
#include "app/update_messages.h"
#include "platform/win32/program_font_win32.h"
#include "ui/dpi_win32.h"
#include "ui/list_view_win32.h"
#include "ui/rect.h"

namespace app {

namespace {

constexpr wchar_t kWindowClass[] = L"ZentrikMainForm";
constexpr wchar_t kCaption[] = L"Windows 泽恩特";
constexpr int kLeft = 310, kTop = 148, kWidth = 400, kHeight = 425;
constexpr int kInnerBorder = 4;
constexpr int kBevelHeight = 2;
constexpr int kTabHeight = 20;
// The pages in tab order: the tab's caption and the part that makes the page's view.
struct PageRow {
  const wchar_t* caption;
  void (*makeView)(Program& program, const PageHost& host);
};
constexpr PageRow kPageTable[] = {
    {L"应用程序", [](Program& p, const PageHost& h) { p.applications.MakeView(h); }},
    {L"进程  ", [](Program& p, const PageHost& h) { p.processes.MakeView(h); }},
    {L"性能  ", [](Program& p, const PageHost& h) { p.performance.MakeView(h); }},
    {L"联网  ", [](Program& p, const PageHost& h) { p.networking.MakeView(h); }},
    {L"用户  ", [](Program& p, const PageHost& h) { p.users.MakeView(h); }},
    {L"服务  ", [](Program& p, const PageHost& h) { p.services.MakeView(h); }},
    {L"启动  ", [](Program& p, const PageHost& h) { p.startup.MakeView(h); }},
};
static_assert(std::size(kPageTable) == TMainForm::kPageCount, "one row per page");
constexpr int kStatusPanelEdges[] = {80, 80 + 120, -1};  // 80, 120, and 50 + the rest
BOOL CALLBACK SetFontOfChild(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

}  // namespace

TMainForm::TMainForm(SystemActions actions)
    : program_(*this, actions, [this] { PostMessageW(window_, WM_CLOSE, 0, 0); }) {}

TMainForm::~TMainForm() {
  // The controls go while the objects that answer their messages still exist.
  if (window_ != nullptr) DestroyWindow(window_);
}

bool TMainForm::Create(HINSTANCE instance, int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZENTRIK));
  if (windowClass.hIcon == nullptr) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterWindowClass(windowClass)) return false;
  if (CreateOwnWindow(WS_EX_CONTROLPARENT, kWindowClass, kCaption,
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kLeft, kTop, kWidth, kHeight,
                      nullptr, menu_.Bar(), instance) == nullptr)
    return false;
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
  for (int i = 0; i < kPageCount; ++i)
    ShowWindow(pages_[i]->Handle(), i == page ? SW_SHOW : SW_HIDE);
  ShowTaskCommands(page == kApplicationsPage);
  menu_.ShowProcessCommands(page == kProcessesPage);
  program_.CatchUpShownPages();  // the page's update comes before its first paint
}

void TMainForm::WindowGone() { program_.SetWindow(nullptr); }

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreatedMessage_ && message != 0) {
    SetIconSizes();  // a new taskbar may come with another icon size
    program_.performance.trayIcon.TaskbarCreated();
    // Hidden behind an icon the new taskbar refused: a taskbar button brings it back instead.
    if (!program_.performance.trayIcon.Shown() && !IsWindowVisible(window_))
      ShowWindow(window_, SW_SHOWMINNOACTIVE);
    return 0;
  }
  switch (message) {
    case WM_DISPLAYCHANGE:
      SetIconSizes();
      break;
    case WM_SIZE:
      // A minimised window keeps its layout: the graphs' histories survive.
      if (wParam != SIZE_MINIMIZED) FormResize();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam != FALSE) program_.Start();
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
    case WM_GETMINMAXINFO: {
      // Asked before the window knows its DPI too.
      const int dpi = ui::WindowDpi(window_);
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {ui::Scale(kWidth, dpi),
                                                               ui::Scale(kHeight, dpi)};
      return 0;
    }
    case ui::kDpiChangedMessage:
      // Dragged to a screen of another density: both halves of wParam hold the DPI.
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOMMAND:
      if (WMSysCommand(wParam)) return 0;
      break;
    case WM_COMMAND:
      if (lParam == 0) commands_.OnCommand(LOWORD(wParam));  // menu items
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) {
        program_.system.poster.Hold();
        program_.cycle.Timer1Timer();
        program_.system.poster.Release();
      }
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_DESTROY:
      program_.performance.trayIcon.DeleteTrayIcon();
      PostQuitMessage(0);
      return 0;
    case kUpdateTotals:
      UpdateTotals();
      return 0;
    case kLayoutGraphs:
      program_.LayoutGraphs();
      return 0;
    case kTrayCallbackMessage:
      TrayIconMessage(lParam);
      return 0;
    default:
      if (program_.HandleUpdate(message)) return 0;
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void TMainForm::FormCreate() {
  program_.SetWindow(window_);
  if (program_.restartElevated.Offered()) menu_.AddRestartElevated();
  dpi_ = ui::WindowDpi(window_);
  font_ = platform::win32::CreateProgramFont(Px(platform::win32::kProgramFontPixels));
  PlaceOnScreen();
  // The notification icon starts with the program's icon; when the notification
  // area refuses it, it comes with the taskbar's announcement.
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  ChangeWindowMessageFilterEx(window_, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
  // Until the first update the window and the notification area show the
  // program's icon; the area may take it again when the taskbar comes back.
  SetIconSizes();
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  startIcon_ = LoadProgramIcon(instance, program_.performance.trayIconSize);
  startLargeIcon_ = LoadProgramIcon(instance, largeIconSize_);
  if (startIcon_ && startLargeIcon_) {
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(startIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(startLargeIcon_.get()));
  }
  HICON startIcon = startIcon_ ? startIcon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
  program_.performance.trayIcon.AddTrayIcon(startIcon);
  program_.performance.trayPictures = std::make_unique<perf::TrayPictures>();
  CreateControls();
  CreateViews();
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
    item.pszText = const_cast<LPWSTR>(kPageTable[i].caption);
    TabCtrl_InsertItem(tabs_, i, &item);
  }
  TabCtrl_SetItemSize(tabs_, 0, Px(kTabHeight));
  statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                               0, 0, 0, 0, window_, nullptr, instance, nullptr);
  setFont(statusBar_);
  SetStatusPanels();
  for (auto& page : pages_) {
    page = std::make_unique<ui::PageWindow>(window_, instance);
    // Above the tab control, which does not paint over its siblings.
    SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TMainForm::CreateViews() {
  for (int i = 0; i < kPageCount; ++i)
    kPageTable[i].makeView(program_, {pages_[i]->Handle(), font_.get(), statusBar_, commands_});
}

void TMainForm::SetStatusPanels() {
  int edges[std::size(kStatusPanelEdges)];
  for (std::size_t i = 0; i < std::size(edges); ++i)
    edges[i] = kStatusPanelEdges[i] < 0 ? kStatusPanelEdges[i] : Px(kStatusPanelEdges[i]);
  SendMessageW(statusBar_, SB_SETPARTS, std::size(edges), reinterpret_cast<LPARAM>(edges));
}

// Place and size are logical pixels too; a screen too small for the scaled
// window gets it moved onto its work area rather than hanging off an edge.
void TMainForm::PlaceOnScreen() {
  const RECT wanted{Px(kLeft), Px(kTop), Px(kLeft) + Px(kWidth), Px(kTop) + Px(kHeight)};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const ui::Rect placed = ui::KeepOnArea({wanted.left, wanted.top, wanted.right, wanted.bottom},
                                         {work.left, work.top, work.right, work.bottom});
  if (placed == ui::Rect{kLeft, kTop, kLeft + kWidth, kTop + kHeight}) return;  // as created
  SetWindowPos(window_, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::DpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) dpi = ui::WindowDpi(window_);
  ui::ScaleListColumns(window_, dpi_, dpi);
  dpi_ = dpi;
  if (auto font = platform::win32::CreateProgramFont(Px(platform::win32::kProgramFontPixels))) {
    EnumChildWindows(window_, SetFontOfChild, reinterpret_cast<LPARAM>(font.get()));
    earlierFonts_.push_back(std::move(font_));
    font_ = std::move(font);
  }
  if (tabs_ != nullptr) {
    TabCtrl_SetItemSize(tabs_, 0, Px(kTabHeight));
    SetStatusPanels();
  }
  SetIconSizes();
  if (smallIcon_ != nullptr) ShowPictureIcons();  // the pictures at the new sizes
  if (program_.applications.view) program_.applications.view->DpiChanged(dpi);
  // The new size brings WM_SIZE, which lays the pages and graphs out again.
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::FormResize() {
  if (tabs_ == nullptr) return;
  SendMessageW(statusBar_, WM_SIZE, 0, 0);  // the status bar places itself at the bottom
  RECT client{};
  GetClientRect(window_, &client);
  RECT bar{};
  GetWindowRect(statusBar_, &bar);
  const int border = Px(kInnerBorder);
  const int bevelHeight = Px(kBevelHeight);
  const int left = border;
  const int top = border;
  const int width = std::max(0, static_cast<int>(client.right) - 2 * border);
  const int bottom = static_cast<int>(client.bottom - (bar.bottom - bar.top));
  MoveWindow(bevel_, left, top, width, bevelHeight, TRUE);
  const int tabsTop = top + bevelHeight;
  const int tabsHeight = std::max(0, bottom - tabsTop);
  MoveWindow(tabs_, left, tabsTop, width, tabsHeight, TRUE);
  RECT pageArea{0, 0, width, tabsHeight};
  TabCtrl_AdjustRect(tabs_, FALSE, &pageArea);
  OffsetRect(&pageArea, left, tabsTop);
  for (const auto& page : pages_) {
    MoveWindow(page->Handle(), pageArea.left, pageArea.top,
               std::max(0L, pageArea.right - pageArea.left),
               std::max(0L, pageArea.bottom - pageArea.top), TRUE);
  }
  PostMessageW(window_, kLayoutGraphs, 0, 0);
}

void TMainForm::FormClose() {
  if (waitingToClose_) return;  // a second close while the first one waits
  waitingToClose_ = true;
  program_.performance.trayIcon.DeleteTrayIcon();
  program_.cycle.BeginClosing();
  // The next tick sees Closing, stops the timer and sets TimerStopped.
  while (!program_.cycle.TimerStopped()) {
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

void TMainForm::UpdateTotals() {
  if (program_.run.Closing) return;
  PerformancePart& performance = program_.performance;
  performance.view->UpdateTotals();
  ShowPictureIcons();
}

void TMainForm::SetIconSizes() {
  // The notification area draws at the taskbar's size, whichever screen this window is on.
  program_.performance.trayIconSize = GetSystemMetrics(SM_CXSMICON);
  largeIconSize_ = ui::SystemMetricForDpi(SM_CXICON, dpi_);
}

void TMainForm::ShowPictureIcons() {
  PerformancePart& performance = program_.performance;
  const int percent = performance.sampler.CpuUsagePercent();
  performance.trayIcon.UpdateTrayIcon(percent, program_.processes.collector.Culprits().Busiest());
  // The tray picture is the window's icon too, drawn again at the large size.
  auto small = static_cast<HICON>(const_cast<void*>(performance.trayIcon.Icon()));
  HICON large = largePictures_.IconFor(perf::TrayBarPenWidth(percent), largeIconSize_);
  if (small != nullptr && small != smallIcon_) {
    smallIcon_ = small;
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
  if (large != nullptr && large != largeIcon_) {
    largeIcon_ = large;
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  }
}

// A left double click on the notification icon brings the window back.
void TMainForm::TrayIconMessage(LPARAM mouseMessage) {
  // The low word carries the mouse message in every version of the callback.
  if (LOWORD(mouseMessage) == WM_MOUSEMOVE) program_.performance.trayIcon.Pointed();
  if (LOWORD(mouseMessage) != WM_LBUTTONDBLCLK) return;
  PostMessageW(window_, kLayoutGraphs, 0, 0);
  ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_);
}

void TMainForm::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == tabs_ && header.code == TCN_SELCHANGE)
    SelectPage(TabCtrl_GetCurSel(tabs_));
}

bool TMainForm::WMSysCommand(WPARAM command) {
  if (command != SC_MINIMIZE) return false;
  if (IsIconic(window_)) return true;
  // Hidden only while the notification icon can bring it back; the ordinary minimise otherwise.
  if (!menu_.Checked(kCmdHideWhenMinimized) || !program_.performance.trayIcon.Shown())
    return false;
  ShowWindow(window_, SW_HIDE);
  return true;
}

void TMainForm::ShowTaskCommands(bool visible) {
  program_.applications.page.ShowTaskCommands(visible);
  menu_.ShowTaskCommands(visible);
  // Also syncs the menu.
  if (program_.applications.view) program_.applications.view->ApplyCommands();
}

}  // namespace app
