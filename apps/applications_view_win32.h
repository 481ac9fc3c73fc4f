// The Applications page as the user sees it: the list lv_Task with its two image
// lists and three view styles, the buttons "结束任务(&E)", "切换至(&S)" and
// "新任务(&N)...", and the context menu pmp_Task. The page logic decides; this
// class shows its decisions and forwards the user's commands.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "apps/applications_page.h"
#include "platform/win32/owned_handles_win32.h"
#include "ui/list_model.h"
#include "ui/list_view_win32.h"
#include "ui/page_win32.h"

namespace apps {

// Command identifiers of the page's buttons and context menu.
enum ApplicationsCommand : UINT {
  kCmdTaskKill = 0x300,  // "结束任务(&E)", button and menu item
  kCmdTaskSwitch,        // "切换至(&S)", button, menu item and double click
  kCmdTaskNew,           // "新任务(&N)..." and "新建任务(运行...)(&R)"
  kCmdTaskBigIcon,
  kCmdTaskSmallIcon,
  kCmdTaskDetail,
  kCmdTaskFront,
  kCmdTaskMinimize,
  kCmdTaskMaximize,
  kCmdTaskCascade,
  kCmdTaskTileHorizontal,
  kCmdTaskTileVertical,
  kCmdTaskGoProcess,
};

enum class TaskView { kLargeIcons, kSmallIcons, kReport };

// What the page needs from the main window.
struct ApplicationsViewHooks {
  std::function<void()> newTask;                            // the Create New Task dialog
  std::function<void(std::uint32_t pid)> goToProcess;       // select it on the Processes page
  std::function<void()> switched;                           // "切换至" brought a window up
  std::function<void()> commandsChanged;                    // the command states changed
};

class ApplicationsView final : public ui::PageContent, public TaskImageLists {
 public:
  ApplicationsView(HWND page, HFONT font, ApplicationsPage& logic, ui::ListModel& model,
                   ApplicationsViewHooks hooks);
  ~ApplicationsView() override;
  ApplicationsView(const ApplicationsView&) = delete;
  ApplicationsView& operator=(const ApplicationsView&) = delete;

  HWND lv_Task() const { return list_; }
  HWND Button(UINT id) const;
  TaskView View() const { return view_; }
  HIMAGELIST LargeImages() const { return large_.get(); }
  HIMAGELIST SmallImages() const { return small_.get(); }

  // The context menu with the items the command states offer now.
  platform::win32::UniqueMenu BuildPopupMenu() const;
  // A command of a button, the context menu or the main menu, as if the user chose it.
  void ExecuteCommand(UINT id);
  // Shows the command states on the buttons and tells the main window.
  void ApplyCommands();
  // The window moved to a screen of another DPI: the image lists are made again
  // at that DPI's icon sizes and the icons fetched into them.
  void DpiChanged(int dpi);

  bool Put(int slot, platform::IconHandle large, platform::IconHandle small) override;
  bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) override;

 private:
  void CreateControls(HFONT font);
  void MakeImageLists(int dpi);
  void Layout();
  void FitTaskColumn();
  void SetView(TaskView view);
  void OnListNotify(const NMHDR& header);
  void ShowPopup(LPARAM screenPoint);

  HWND page_;
  ApplicationsPage& logic_;
  ui::ListModel& model_;
  ApplicationsViewHooks hooks_;
  HWND list_ = nullptr;
  HWND killButton_ = nullptr;    // btn_KillTask
  HWND switchButton_ = nullptr;  // BitBtn2
  HWND newButton_ = nullptr;     // BitBtn3
  platform::win32::UniqueImageList large_;        // ImageList_b
  platform::win32::UniqueImageList small_;        // ImageList_S
  std::unique_ptr<ui::ListViewBinding> binding_;
  TaskView view_ = TaskView::kReport;
};

}  // namespace apps
