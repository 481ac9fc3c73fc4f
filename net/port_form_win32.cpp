// The port list window: creation, layout, and the routing of its controls.
#include "net/port_form_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace net {
namespace {

constexpr wchar_t kWindowClass[] = L"ZentrikPortForm";
constexpr wchar_t kCaption[] = L"端口列表";
constexpr int kWidth = 637, kHeight = 471;
constexpr int kStripHeight = 41;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 88, kButtonHeight = 25;
constexpr int kCheckWidth = 120, kCheckHeight = 17;

}  // namespace

TPortForm::TPortForm(HINSTANCE instance, HFONT font, PortList& logic, ui::ListModel& model,
                     std::function<void()> refresh)
    : logic_(logic), model_(model), refresh_(std::move(refresh)) {
  WNDCLASSEXW windowClass{};
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterWindowClass(windowClass);
  // Centred on the screen's work area, at the screen's DPI.
  const int dpi = ui::WindowDpi(nullptr);
  const int width = ui::Scale(kWidth, dpi), height = ui::Scale(kHeight, dpi);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + std::max(0, static_cast<int>(work.right - work.left) - width) / 2;
  const int top = work.top + std::max(0, static_cast<int>(work.bottom - work.top) - height) / 2;
  if (CreateOwnWindow(WS_EX_CONTROLPARENT, kWindowClass, kCaption,
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, width, height, nullptr,
                      nullptr, instance) == nullptr)
    return;
  dpi_ = ui::WindowDpi(window_);
  CreateControls(font);
  Layout();
}

TPortForm::~TPortForm() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void TPortForm::CreateControls(HFONT font) {
  list_ = ui::CreateChild(window_, WC_LISTVIEWW, L"",
                           WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                               LVS_SHOWSELALWAYS,
                           WS_EX_CLIENTEDGE, 0, font);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(PortList::Columns());
  hideLocal_ = ui::CreateChild(window_, L"BUTTON", L"隐藏本地连接",
                                WS_TABSTOP | BS_AUTOCHECKBOX, 0, kCmdPortHideLocal, font);
  // A new window starts with the local endpoints hidden.
  Button_SetCheck(hideLocal_, BST_CHECKED);
  logic_.SetHideLocal(true);
  standard_ = ui::CreatePushButton(window_, L"标准", kCmdPortStandard, font);
  kill_ = ui::CreatePushButton(window_, L"结束进程(&E)", kCmdPortKill, font);
  refreshButton_ = ui::CreatePushButton(window_, L"刷新(&R)", kCmdPortRefresh, font);
  popup_.reset(CreatePopupMenu());
  AppendMenuW(popup_.get(), MF_STRING, kCmdPortRefresh, L"刷新");
}

void TPortForm::Layout() {
  const ui::Scaler px(window_);
  RECT client{};
  GetClientRect(window_, &client);
  const int width = client.right;
  const int stripTop = std::max(0, static_cast<int>(client.bottom) - px(kStripHeight));
  MoveWindow(list_, 0, 0, width, stripTop, TRUE);
  const int buttonTop = stripTop + (px(kStripHeight) - px(kButtonHeight)) / 2;
  MoveWindow(hideLocal_, px(kMargin), stripTop + (px(kStripHeight) - px(kCheckHeight)) / 2,
             px(kCheckWidth), px(kCheckHeight), TRUE);
  MoveWindow(standard_, px(kMargin) + px(kCheckWidth) + px(kMargin), buttonTop, px(kButtonWidth),
             px(kButtonHeight), TRUE);
  // The last two keep their distance from the right edge.
  MoveWindow(refreshButton_, width - px(kMargin) - px(kButtonWidth), buttonTop, px(kButtonWidth),
             px(kButtonHeight), TRUE);
  MoveWindow(kill_, width - 2 * (px(kMargin) + px(kButtonWidth)), buttonTop, px(kButtonWidth),
             px(kButtonHeight), TRUE);
}

void TPortForm::ShowInFront() {
  if (window_ == nullptr) return;
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  BringWindowToTop(window_);
}

void TPortForm::N1Click() { refresh_(); }

void TPortForm::ExecuteCommand(UINT id) {
  switch (id) {
    case kCmdPortRefresh:
      N1Click();
      break;
    case kCmdPortHideLocal:
      logic_.SetHideLocal(Button_GetCheck(hideLocal_) == BST_CHECKED);
      N1Click();
      break;
    case kCmdPortStandard:  // Button2Click
      logic_.FillPlainTables();
      break;
    case kCmdPortKill:  // BitBtn4Click
      if (logic_.BitBtn4Click()) N1Click();
      break;
    default:
      break;
  }
}

void TPortForm::ShowPopup(LPARAM screenPoint) {
  const UINT id = ui::TrackListMenu(popup_.get(), window_, list_, screenPoint, std::nullopt);
  if (id != 0) ExecuteCommand(id);
}

LRESULT TPortForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case ui::kDpiChangedMessage:
      // Both halves of wParam hold the new DPI; the columns keep their logical widths.
      ui::ScaleListColumns(window_, dpi_, HIWORD(wParam));
      dpi_ = HIWORD(wParam);
      ui::TakeSuggestedPlace(window_, lParam);
      return 0;
    case WM_GETMINMAXINFO: {
      // Room for the strip's four controls.
      const ui::Scaler px(window_);
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {
          px(2 * kCheckWidth + 3 * kButtonWidth), px(150)};
      return 0;
    }
    case WM_COMMAND:
      if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) ExecuteCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY:
      if (binding_) binding_->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != list_) break;
      ShowPopup(lParam);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      // The list goes with the window; the model must stop talking to it.
      binding_.reset();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace net
