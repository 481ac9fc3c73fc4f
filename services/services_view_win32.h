// The 服务 page as the user sees it: the list lv_Services, the button
// "服务管理器(&M)..." below it, and the context menu with "启动(&S)", "停止(&O)",
// "重新启动(&R)" and "转到进程(&G)". The page logic (ServicesPage) decides; this
// class shows, forwards, and keeps a 250 ms timer running while a command is
// followed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/win32/owned_handles_win32.h"
#include "services/services_page.h"
#include "ui/list_model.h"
#include "ui/list_view_win32.h"
#include "ui/page_win32.h"

namespace services {

// Command identifiers of the page's button and context menu.
enum ServicesCommand : UINT {
  kCmdServiceStart = 0x700,  // "启动(&S)"
  kCmdServiceStop,           // "停止(&O)"
  kCmdServiceRestart,        // "重新启动(&R)"
  kCmdServiceGoToProcess,    // "转到进程(&G)"
  kCmdServiceManager,        // "服务管理器(&M)..."
};

class ServicesView final : public ui::PageContent {
 public:
  // `goToProcess` shows the process on the 进程 page (the main window's doing).
  ServicesView(HWND page, HFONT font, ServicesPage& logic, ui::ListModel& model,
               std::function<void(std::uint32_t pid)> goToProcess);
  ~ServicesView() override;
  ServicesView(const ServicesView&) = delete;
  ServicesView& operator=(const ServicesView&) = delete;

  HWND lv_Services() const { return list_; }
  HWND btn_ServiceManager() const { return managerButton_; }
  HMENU PopupMenu() const { return popup_.get(); }

  // A command of the button or the context menu, as if the user chose it.
  void ExecuteCommand(UINT id);
  // The context menu's items enabled as the selection allows.
  void EnableCommands();
  // Selects the services of a process, for "转到服务(&V)" of the 进程 page.
  bool SelectServicesOf(std::uint32_t pid);

  bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) override;
  void PageShown(bool shown) override;

 private:
  void CreateControls(HFONT font);
  void BuildPopupMenu();
  void Layout();
  void ShowPopup(LPARAM screenPoint);
  void ShowSortMark();
  // The follow timer runs exactly while a command does.
  void SyncFollowTimer();

  HWND page_;
  ServicesPage& logic_;
  ui::ListModel& model_;
  std::function<void(std::uint32_t)> goToProcess_;
  HWND list_ = nullptr;
  HWND managerButton_ = nullptr;
  std::unique_ptr<ui::ListViewBinding> binding_;
  platform::win32::UniqueMenu popup_;
  bool following_ = false;  // the timer is set
};

}  // namespace services
