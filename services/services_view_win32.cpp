// Controls, layout, context menu and command routing of the 服务 page.
#include "services/services_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace services {

namespace {

constexpr int kPageBorder = 12;

}  // namespace

ServicesView::ServicesView(HWND page, HFONT font, ServicesPage& logic, ui::ListModel& model,
                           std::function<void(std::uint32_t)> goToProcess)
    : page_(page), logic_(logic), model_(model), goToProcess_(std::move(goToProcess)) {
  CreateControls(font);
  BuildPopupMenu();
  ui::SetPageContent(page_, this);
  Layout();
}

ServicesView::~ServicesView() { ui::SetPageContent(page_, nullptr); }

void ServicesView::CreateControls(HFONT font) {
  // Several items may be selected: a process's services all at once.
  list_ = ui::CreateChild(page_, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
                          WS_EX_CLIENTEDGE, 0, font);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(ServicesPage::Columns());
  ShowSortMark();
}

void ServicesView::BuildPopupMenu() {
  popup_.reset(CreatePopupMenu());
  HMENU menu = popup_.get();
  AppendMenuW(menu, MF_STRING, kCmdServiceGoToProcess, L"转到进程(&G)");
}

void ServicesView::Layout() {
  const ui::Scaler px(page_);
  RECT area{};
  GetClientRect(page_, &area);
  InflateRect(&area, -px(kPageBorder), -px(kPageBorder));
  MoveWindow(list_, area.left, area.top, std::max(0L, area.right - area.left),
             std::max(0L, area.bottom - area.top), TRUE);
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
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != list_) return false;
      ShowPopup(lParam);
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
  enable(kCmdServiceGoToProcess, commands.goToProcess);
}

void ServicesView::ShowPopup(LPARAM screenPoint) {
  const POINT at = ui::ContextMenuPoint(list_, screenPoint, model_.FirstSelected());
  EnableCommands();
  const UINT id = TrackPopupMenu(popup_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                 page_, nullptr);
  if (id != 0) ExecuteCommand(id);
}

void ServicesView::ExecuteCommand(UINT id) {
  switch (id) {
    case kCmdServiceGoToProcess:
      if (const auto pid = logic_.ProcessOfSelected(); pid && goToProcess_) goToProcess_(*pid);
      break;
    default: break;
  }
}

bool ServicesView::SelectServicesOf(std::uint32_t pid) {
  const bool any = logic_.SelectServicesOf(pid);
  SetFocus(list_);
  return any;
}

}  // namespace services
