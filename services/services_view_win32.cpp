// Controls, layout, context menu, follow timer and command routing of the 服务 page.
#include "services/services_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace services {

namespace {

constexpr int kPageBorder = 12;
constexpr int kStripHeight = 41;
constexpr int kButtonHeight = 25;
constexpr int kManagerWidth = 110;
constexpr UINT_PTR kFollowTimer = 1;

}  // namespace

ServicesView::ServicesView(HWND page, HFONT font, ServicesPage& logic, ui::ListModel& model,
                           std::function<void(std::uint32_t)> goToProcess)
    : page_(page), logic_(logic), model_(model), goToProcess_(std::move(goToProcess)) {
  CreateControls(font);
  BuildPopupMenu();
  ui::SetPageContent(page_, this);
  Layout();
}

ServicesView::~ServicesView() {
  ui::SetPageContent(page_, nullptr);
  if (following_ && IsWindow(page_)) KillTimer(page_, kFollowTimer);
}

void ServicesView::CreateControls(HFONT font) {
  // Several items may be selected: a process's services all at once.
  list_ = ui::CreateChild(page_, WC_LISTVIEWW, L"",
                          WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                          WS_EX_CLIENTEDGE, 0, font);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(ServicesPage::Columns());
  ShowSortMark();
  managerButton_ = ui::CreatePushButton(page_, L"服务管理器(&M)...", kCmdServiceManager, font);
}

void ServicesView::BuildPopupMenu() {
  popup_.reset(CreatePopupMenu());
  HMENU menu = popup_.get();
  AppendMenuW(menu, MF_STRING, kCmdServiceStart, L"启动(&S)");
  AppendMenuW(menu, MF_STRING, kCmdServiceStop, L"停止(&O)");
  AppendMenuW(menu, MF_STRING, kCmdServiceRestart, L"重新启动(&R)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdServiceGoToProcess, L"转到进程(&G)");
}

void ServicesView::Layout() {
  const ui::Scaler px(page_);
  RECT area{};
  GetClientRect(page_, &area);
  InflateRect(&area, -px(kPageBorder), -px(kPageBorder));
  const int width = std::max(0L, area.right - area.left);
  const int stripTop = std::max(area.top, area.bottom - px(kStripHeight));
  MoveWindow(list_, area.left, area.top, width, stripTop - area.top, TRUE);
  const int buttonTop = stripTop + (px(kStripHeight) - px(kButtonHeight)) / 2;
  MoveWindow(managerButton_, area.right - px(kManagerWidth), buttonTop, px(kManagerWidth),
             px(kButtonHeight), TRUE);
}

void ServicesView::ShowSortMark() {
  binding_->ShowSortMark(logic_.SortColumn(), logic_.SortDescending());
}

void ServicesView::PageShown(bool shown) {
  binding_->SetShown(shown);
  logic_.PageShown(shown);
}

bool ServicesView::HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.hwndFrom == list_ && header.code == LVN_COLUMNCLICK) {
        logic_.SortByColumn(
            static_cast<std::size_t>(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
        ShowSortMark();
      } else {
        binding_->HandleNotify(header);
      }
      result = 0;
      return true;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) ExecuteCommand(LOWORD(wParam));
      return true;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != list_) return false;
      ShowPopup(lParam);
      return true;
    case WM_TIMER:
      if (wParam != kFollowTimer) return false;
      logic_.FollowCommand();
      SyncFollowTimer();
      return true;
    default:
      return false;
  }
}

void ServicesView::EnableCommands() {
  const ServiceCommands commands = logic_.Commands();
  const auto enable = [this](UINT id, bool on) {
    EnableMenuItem(popup_.get(), id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  enable(kCmdServiceStart, commands.start);
  enable(kCmdServiceStop, commands.stop);
  enable(kCmdServiceRestart, commands.restart);
  enable(kCmdServiceGoToProcess, commands.goToProcess);
}

void ServicesView::ShowPopup(LPARAM screenPoint) {
  EnableCommands();
  const UINT id =
      ui::TrackListMenu(popup_.get(), page_, list_, screenPoint, model_.FirstSelected());
  if (id != 0) ExecuteCommand(id);
}

void ServicesView::ExecuteCommand(UINT id) {
  switch (id) {
    case kCmdServiceStart: logic_.StartSelected(); break;
    case kCmdServiceStop: logic_.StopSelected(); break;
    case kCmdServiceRestart: logic_.RestartSelected(); break;
    case kCmdServiceManager: logic_.btn_ServiceManagerClick(); break;
    case kCmdServiceGoToProcess:
      if (const auto pid = logic_.ProcessOfSelected(); pid && goToProcess_) goToProcess_(*pid);
      break;
    default: break;
  }
  SyncFollowTimer();
}

void ServicesView::SyncFollowTimer() {
  const bool wanted = logic_.CommandInProgress();
  if (wanted == following_) return;
  following_ = wanted;
  if (wanted) {
    SetTimer(page_, kFollowTimer, ServicesPage::kFollowIntervalMs, nullptr);
  } else {
    KillTimer(page_, kFollowTimer);
  }
}

bool ServicesView::SelectServicesOf(std::uint32_t pid) {
  const bool any = logic_.SelectServicesOf(pid);
  SetFocus(list_);
  return any;
}

}  // namespace services
