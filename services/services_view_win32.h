// The 服务 page as the user sees it: the list lv_Services and its context menu
// with "转到进程(&G)". The page logic (ServicesPage) decides; this class shows
// and forwards.
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

// Command identifiers of the page's context menu.
enum ServicesCommand : UINT {
  kCmdServiceGoToProcess = 0x703,  // "转到进程(&G)"
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
  HMENU PopupMenu() const { return popup_.get(); }

  // A command of the context menu, as if the user chose it.
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

  HWND page_;
  ServicesPage& logic_;
  ui::ListModel& model_;
  std::function<void(std::uint32_t)> goToProcess_;
  HWND list_ = nullptr;
  std::unique_ptr<ui::ListViewBinding> binding_;
  platform::win32::UniqueMenu popup_;
};

}  // namespace services
