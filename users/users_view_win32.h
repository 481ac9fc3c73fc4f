// The Users page as the user sees it: the list lv_Users and, in the strip below it,
// "断开(&D)", "注销(&L)" and "发送消息(&S)...". The page logic (UsersPage) decides;
// this class only shows and forwards.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/list_model.h"
#include "ui/list_view_win32.h"
#include "ui/page_win32.h"
#include "users/users_page.h"

namespace users {

// Command identifiers of the page's buttons.
enum UsersCommand : UINT {
  kCmdLockStation = 0x600,  // "断开(&D)", btn_LockStation
  kCmdLogoff,               // "注销(&L)", btn_Logoff
  kCmdSendMessage,          // "发送消息(&S)...", btn_SendMsg
};

class UsersView final : public ui::PageContent {
 public:
  UsersView(HWND page, HFONT font, UsersPage& logic, ui::ListModel& model);
  ~UsersView() override;
  UsersView(const UsersView&) = delete;
  UsersView& operator=(const UsersView&) = delete;

  HWND lv_Users() const { return list_; }
  HWND btn_LockStation() const { return lockButton_; }
  HWND btn_Logoff() const { return logoffButton_; }
  HWND btn_SendMsg() const { return sendButton_; }

  // A button's command, as if the user clicked it.
  void ExecuteCommand(UINT id);
  // The selection changed: enable the buttons it allows.
  void lv_UsersMouseDown();

  bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) override;

 private:
  void CreateControls(HFONT font);
  void Layout();

  HWND page_;
  UsersPage& logic_;
  ui::ListModel& model_;
  HWND list_ = nullptr;
  HWND lockButton_ = nullptr;
  HWND logoffButton_ = nullptr;
  HWND sendButton_ = nullptr;
  std::unique_ptr<ui::ListViewBinding> binding_;
};

}  // namespace users
