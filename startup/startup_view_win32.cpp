// Controls, layout, context menu and command routing of the 启动 page.
#include "startup/startup_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace startup {

namespace {

constexpr int kPageBorder = 12;
constexpr int kStripHeight = 41;
constexpr int kButtonHeight = 25;
constexpr int kButtonWidth = 75;

}  // namespace

StartupView::StartupView(HWND page, HFONT font, StartupPage& logic, ui::ListModel& model)
    : page_(page), logic_(logic), model_(model) {
  CreateControls(font);
  // Also tells the page whether it is shown, which reads the entries if it is.
  ui::SetPageContent(page_, this);
  Layout();
}

StartupView::~StartupView() { ui::SetPageContent(page_, nullptr); }

void StartupView::CreateControls(HFONT font) {
  list_ = ui::CreateChild(page_, WC_LISTVIEWW, L"",
                          WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                          WS_EX_CLIENTEDGE, 0, font);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(StartupPage::Columns());
  stateButton_ = ui::CreatePushButton(page_, kDisableCaption, kCmdStartupState, font);
  EnableWindow(stateButton_, FALSE);  // until an entry is selected

  popup_.reset(CreatePopupMenu());
  HMENU menu = popup_.get();
  commandsOffered_ = logic_.lv_StartupSelectItem().offered;
  if (commandsOffered_) {
    AppendMenuW(menu, MF_STRING, kCmdStartupDisable, kDisableCaption);
    AppendMenuW(menu, MF_STRING, kCmdStartupEnable, kEnableCaption);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  } else {
    ShowWindow(stateButton_, SW_HIDE);  // a list only
  }
  AppendMenuW(menu, MF_STRING, kCmdStartupOpenLocation, L"打开文件所在的位置(&O)");
}

void StartupView::Layout() {
  const ui::Scaler px(page_);
  RECT area{};
  GetClientRect(page_, &area);
  InflateRect(&area, -px(kPageBorder), -px(kPageBorder));
  const int width = std::max(0L, area.right - area.left);
  const int stripTop =
      commandsOffered_ ? std::max(area.top, area.bottom - px(kStripHeight)) : area.bottom;
  MoveWindow(list_, area.left, area.top, width, stripTop - area.top, TRUE);
  MoveWindow(stateButton_, area.right - px(kButtonWidth),
             stripTop + (px(kStripHeight) - px(kButtonHeight)) / 2, px(kButtonWidth),
             px(kButtonHeight), TRUE);
}

void StartupView::UpdateStartupPage() {
  logic_.UpdateStartupPage();
  lv_StartupSelectItem();
}

void StartupView::PageShown(bool shown) {
  binding_->SetShown(shown);
  logic_.PageShown(shown);
  if (shown) lv_StartupSelectItem();
}

bool StartupView::HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (binding_->HandleNotify(header)) lv_StartupSelectItem();
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
    default:
      return false;
  }
}

void StartupView::ShowPopup(LPARAM screenPoint) {
  lv_StartupSelectItem();
  const UINT id =
      ui::TrackListMenu(popup_.get(), page_, list_, screenPoint, model_.FirstSelected());
  if (id != 0) ExecuteCommand(id);
}

void StartupView::ExecuteCommand(UINT id) {
  switch (id) {
    case kCmdStartupState: logic_.btn_StartupStateClick(); break;
    case kCmdStartupDisable: logic_.act_DisableExecute(); break;
    case kCmdStartupEnable: logic_.act_EnableExecute(); break;
    case kCmdStartupOpenLocation: logic_.act_OpenLocationExecute(); break;
    default: return;
  }
  lv_StartupSelectItem();
}

void StartupView::lv_StartupSelectItem() {
  const StartupCommands commands = logic_.lv_StartupSelectItem();
  if (commands.buttonCaption != buttonCaption_) {
    buttonCaption_ = commands.buttonCaption;
    SetWindowTextW(stateButton_, buttonCaption_);
  }
  EnableWindow(stateButton_, commands.buttonEnabled);
  const auto enable = [this](UINT id, bool enabled) {
    EnableMenuItem(popup_.get(), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  enable(kCmdStartupDisable, commands.canDisable);
  enable(kCmdStartupEnable, commands.canEnable);
  enable(kCmdStartupOpenLocation, commands.canOpenLocation);
}

}  // namespace startup
