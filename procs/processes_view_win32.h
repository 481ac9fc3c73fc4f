// The Processes page as the user sees it: the list lv_Proc, the bottom panel with
// "显示所有用户的进程(&S)", the window finder, the filter box and "结束进程(&E)", and
// the context menu PopupMenu1. The page logic (ProcessesPage) decides; this
// class only shows and forwards.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/win32/owned_handles_win32.h"
#include "procs/processes_page.h"
#include "procs/window_finder_win32.h"
#include "ui/list_model.h"
#include "ui/list_view_win32.h"
#include "ui/page_win32.h"

namespace procs {

// Command identifiers of the page's button and context menu.
enum ProcessesCommand : UINT {
  kCmdKillProcess = 0x200,  // "结束进程(&E)", menu item and button
  kCmdDebug,
  kCmdKillTree,
  kCmdAffinity,
  kCmdFindTarget,
  kCmdNetworkState,
  kCmdAllUsers,             // the check box
  kCmdFilter,               // the filter box
  kCmdSuspend,
  kCmdResume,
  kCmdGoToServices,         // "转到服务(&V)"
  kCmdWindowFinder,         // the crosshair: no command, it is dragged
  kCmdPriorityFirst = 0x210,  // + the item's tag, 0..5
  kCmdPriorityLast = kCmdPriorityFirst + 5,
};

class ProcessesView final : public ui::PageContent {
 public:
  // `cpuInstanceCount`: the processors plus one, as the main window keeps it.
  ProcessesView(HWND page, HFONT font, ProcessesPage& logic, ui::ListModel& model,
                const int& cpuInstanceCount);
  ~ProcessesView() override;
  ProcessesView(const ProcessesView&) = delete;
  ProcessesView& operator=(const ProcessesView&) = delete;

  HWND lv_Proc() const { return list_; }
  HMENU PopupMenu1() const { return popup_.get(); }
  HWND FilterBox() const { return filterBox_; }
  HWND AllUsersBox() const { return allUsers_; }
  const WindowFinder& Finder() const { return *finder_; }
  // Ctrl+F: the cursor goes to the filter box.
  void FocusFilter();

  // A command of the button or the context menu, as if the user chose it.
  void ExecuteCommand(UINT id);
  // Selects the process alone and scrolls it into view, first clearing the
  // filter text and showing every user's processes where either hides it;
  // false when the process is not in the list even then.
  bool ShowProcess(std::uint32_t pid);
  // The user's selection changed: enable "网络连接状态(&O)", mark the priority.
  void lv_ProcSelectItem();
  // "树状视图(&T)": the list as a tree, or flat again.
  void SetTreeView(bool on);
  // A click on a column header: sorts by that column, or reverses.
  void lv_ProcColumnClick(int column);

  bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) override;
  void PageShown(bool shown) override { binding_->SetShown(shown); }

  // "网络连接状态(&O)": opens the port list, which the main window owns.
  std::function<void()> N12Click;
  // "转到服务(&V)", offered for a process that runs services: the 服务 page with
  // them selected, through the main window.
  std::function<bool(std::uint32_t pid)> HostsServices;
  std::function<void(std::uint32_t pid)> GoToServices;

 private:
  void CreateControls(HFONT font);
  void BuildPopupMenu();
  void Layout();
  void ShowPopup(LPARAM screenPoint);
  void N42Click(int tag);
  void N41Click();
  void EnableNetworkState();
  // The headers of the page's columns, with the sort arrow.
  void ShowColumns();
  // The window finder's pick: listed and selected, or a beep when it cannot be.
  void ShowFoundProcess(std::uint32_t pid);
  // The tree's expanders and the grey of the rows listed only for a match below.
  LRESULT CustomDrawList(NMLVCUSTOMDRAW& draw);
  // ▸ or ▾ in the image's place of a row with children.
  void DrawExpander(HDC dc, int item);
  // A click on a row's expander folds or opens it.
  void ClickList(const NMITEMACTIVATE& click);
  static LRESULT CALLBACK TreeKeysProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);

  HWND page_;
  HFONT font_;
  const int& cpuInstanceCount_;
  ProcessesPage& logic_;
  ui::ListModel& model_;
  HWND list_ = nullptr;
  HWND allUsers_ = nullptr;   // ckb_AllProc
  HWND filterLabel_ = nullptr;
  HWND filterBox_ = nullptr;
  HWND killButton_ = nullptr; // BitBtn4
  std::unique_ptr<WindowFinder> finder_;
  std::unique_ptr<ui::ListViewBinding> binding_;
  // Empty images, one small-icon wide: the unit of the tree's indent and the
  // place of the expander. Given to the list only in the tree view.
  platform::win32::UniqueImageList indentImages_;
  platform::win32::UniqueMenu popup_;
  HMENU priorityMenu_ = nullptr;  // owned by popup_
};

}  // namespace procs
