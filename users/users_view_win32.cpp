// Controls, layout and command routing of the Users page.
#include "users/users_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"
#include "users/send_message_dialog_win32.h"

namespace users {

namespace {

constexpr int kPageBorder = 12;
constexpr int kStripHeight = 41;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kLockWidth = 75, kLogoffWidth = 75, kSendWidth = 100;

}  // namespace

UsersView::UsersView(HWND page, HFONT font, UsersPage& logic, ui::ListModel& model)
    : page_(page), logic_(logic), model_(model) {
  CreateControls(font);
  ui::SetPageContent(page_, this);
  Layout();
}

UsersView::~UsersView() { ui::SetPageContent(page_, nullptr); }

void UsersView::CreateControls(HFONT font) {
  list_ = ui::CreateChild(page_, WC_LISTVIEWW, L"",
                           WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                               LVS_SHOWSELALWAYS,
                           WS_EX_CLIENTEDGE, 0, font);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(UsersPage::Columns());
  // All three start enabled; the first selection decides from then on.
  lockButton_ = ui::CreatePushButton(page_, L"断开(&D)", kCmdLockStation, font);
  logoffButton_ = ui::CreatePushButton(page_, L"注销(&L)", kCmdLogoff, font);
  sendButton_ = ui::CreatePushButton(page_, L"发送消息(&S)...", kCmdSendMessage, font);
}

void UsersView::Layout() {
  const ui::Scaler px(page_);
  RECT area{};
  GetClientRect(page_, &area);
  InflateRect(&area, -px(kPageBorder), -px(kPageBorder));
  const int width = std::max(0L, area.right - area.left);
  const int stripTop = std::max(area.top, area.bottom - px(kStripHeight));
  MoveWindow(list_, area.left, area.top, width, stripTop - area.top, TRUE);
  // "会话" takes what the other columns leave.
  ListView_SetColumnWidth(list_, kColSession, LVSCW_AUTOSIZE_USEHEADER);
  const int buttonTop = stripTop + (px(kStripHeight) - px(kButtonHeight)) / 2;
  int right = area.right;
  MoveWindow(sendButton_, right - px(kSendWidth), buttonTop, px(kSendWidth), px(kButtonHeight),
             TRUE);
  right -= px(kSendWidth) + px(kButtonGap);
  MoveWindow(logoffButton_, right - px(kLogoffWidth), buttonTop, px(kLogoffWidth),
             px(kButtonHeight), TRUE);
  right -= px(kLogoffWidth) + px(kButtonGap);
  MoveWindow(lockButton_, right - px(kLockWidth), buttonTop, px(kLockWidth), px(kButtonHeight),
             TRUE);
}

bool UsersView::HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      const bool clicked =
          header.hwndFrom == list_ && (header.code == NM_CLICK || header.code == NM_RCLICK);
      if (binding_->HandleNotify(header) || clicked) lv_UsersMouseDown();
      result = 0;
      return true;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) ExecuteCommand(LOWORD(wParam));
      return true;
    default:
      return false;
  }
}

void UsersView::ExecuteCommand(UINT id) {
  switch (id) {
    case kCmdLogoff:  // the handlers are bound across: "注销" logs off
      logic_.btn_LockStationClick();
      break;
    case kCmdLockStation:  // and "断开" locks
      logic_.btn_LogoffClick();
      break;
    case kCmdSendMessage: {
      SendMessageDialog dialog(GetAncestor(page_, GA_ROOT));
      logic_.btn_SendMsgClick(dialog);
      break;
    }
    default:
      break;
  }
}

void UsersView::lv_UsersMouseDown() {
  const UserButtons buttons = logic_.lv_UsersMouseDown();
  EnableWindow(logoffButton_, buttons.logoff);
  EnableWindow(lockButton_, buttons.lock);
  EnableWindow(sendButton_, buttons.sendMessage);
}

}  // namespace users
