// The 启动 page as the user sees it: the list lv_Startup, one button below it
// whose caption follows the selected entry ("禁用(&A)" or "启用(&E)"), and the
// list's context menu with both and "打开文件所在的位置(&O)". Before Windows 8 the
// button and the two items are absent. The page logic (StartupPage) decides;
// this class only shows and forwards.
#pragma once
#include <windows.h>

#include <memory>

#include "platform/win32/owned_handles_win32.h"
#include "startup/startup_page.h"
#include "ui/list_model.h"
#include "ui/list_view_win32.h"
#include "ui/page_win32.h"

namespace startup {

// Command identifiers of the page's button and context menu.
enum StartupCommand : UINT {
  kCmdStartupState = 0x800,  // the button: "禁用(&A)" or "启用(&E)"
  kCmdStartupDisable,        // "禁用(&A)" in the menu
  kCmdStartupEnable,         // "启用(&E)" in the menu
  kCmdStartupOpenLocation,   // "打开文件所在的位置(&O)"
};

class StartupView final : public ui::PageContent {
 public:
  StartupView(HWND page, HFONT font, StartupPage& logic, ui::ListModel& model);
  ~StartupView() override;
  StartupView(const StartupView&) = delete;
  StartupView& operator=(const StartupView&) = delete;

  HWND lv_Startup() const { return list_; }
  HWND btn_StartupState() const { return stateButton_; }
  HMENU PopupMenu() const { return popup_.get(); }

  // Handler of the startup update: the list, then the button for the selection.
  void UpdateStartupPage();
  // A command of the button or the context menu, as if the user chose it.
  void ExecuteCommand(UINT id);
  // The selection or the selected entry changed: the button and the menu follow.
  void lv_StartupSelectItem();

  bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) override;
  void PageShown(bool shown) override;

 private:
  void CreateControls(HFONT font);
  void Layout();
  void ShowPopup(LPARAM screenPoint);

  HWND page_;
  StartupPage& logic_;
  ui::ListModel& model_;
  HWND list_ = nullptr;
  HWND stateButton_ = nullptr;
  const wchar_t* buttonCaption_ = kDisableCaption;
  bool commandsOffered_ = true;
  std::unique_ptr<ui::ListViewBinding> binding_;
  platform::win32::UniqueMenu popup_;
};

}  // namespace startup
