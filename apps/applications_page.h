// The Applications page's logic: keeps the list in step with the window table at
// every update (items stay in place, gone windows leave, new ones are appended),
// keeps one icon place per window, decides which commands are offered, and
// carries out the window commands on the selected items.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "apps/image_slots.h"
#include "apps/task_commands.h"
#include "apps/win_table.h"
#include "platform/dialogs.h"
#include "platform/window_api.h"
#include "ui/list_model.h"

namespace apps {

// Cells of an item, by column: the caption, then the sub-items. Only the first
// two are shown; the commands read the others back.
enum TaskColumn : std::size_t {
  kColTask = 0, kColStatus, kColHandle, kColShowCmd, kColExePath, kTaskColumnCount
};

// The page's large and small image lists, kept by the Win32 view.
class TaskImageLists {
 public:
  virtual ~TaskImageLists() = default;
  // Writes a window's icons into place `slot` of both lists; a slot one past the
  // end is appended. False when the lists would not take the icons.
  virtual bool Put(int slot, platform::IconHandle large, platform::IconHandle small) = 0;
};

class ApplicationsPage {
 public:
  ApplicationsPage(WinTable& table, ui::ListModel& list, platform::WindowApi& windows,
                   platform::Dialogs& dialogs, const bool& closing);

  static const std::vector<ui::ListColumn>& Columns();
  // Without image lists no icon is fetched.
  void SetImageLists(TaskImageLists* lists) { images_ = lists; }
  // The main window, which "最小化(&M)" hands the foreground to.
  void SetOwnWindow(platform::WindowHandle window) { ownWindow_ = window; }

  // Handler of the windows update.
  void UpdateTaskList();
  // The image lists were made anew, empty (at another icon size): every
  // listed window's icons are fetched into them again.
  void RefetchIcons();

  // Window commands on the first selected item; false when there was none to act on.
  bool act_ChangeExecute();   // "切换至(&S)" and double click
  bool act_TopExecute();      // "前置(&B)"
  bool act_MinExecute();      // "最小化(&M)"
  bool act_MaxExecute();      // "最大化(&X)"
  bool act_KillTaskExecute(); // "结束任务(&E)"; a refusal is shown as "访问被拒绝"
  // Arrangements of every selected window.
  void act_CasExecute();      // "层叠(&C)"
  void act_HExecute();        // "横向平铺(&H)"
  void act_VExecute();        // "纵向平铺(&V)"
  // "转到进程(&G)": the process of the first selected window, when that window
  // is still in the table.
  std::optional<std::uint32_t> ProcessOfSelected();

  // The command rules, run by the view at its events.
  void lv_TaskMouseDown();
  void lv_TaskEnter();
  void lv_TaskSelectItem();
  void ShowTaskCommands(bool visible);
  const TaskCommands& Commands() const { return commands_; }

  const ImageSlots& Slots() const { return slots_; }

 private:
  ui::ListItem MakeItem(const TWinInfo& row);
  // Fetches the window's icons into the item's place (taking one if needed);
  // returns the image index, -1 when there is no icon.
  int RefreshIcons(int imageIndex, const TWinInfo& row);
  int StoreIcons(int imageIndex, platform::IconHandle large, platform::IconHandle small);
  void ReleaseImage(std::size_t index);
  // Handle and recorded show state of the first selected item; null handle when none.
  platform::WindowHandle Selected(int& showState) const;
  const std::vector<platform::WindowHandle>& SelectedWindows();

  WinTable& table_;
  ui::ListModel& list_;
  platform::WindowApi& windows_;
  platform::Dialogs& dialogs_;
  const bool& closing_;
  TaskImageLists* images_ = nullptr;
  platform::WindowHandle ownWindow_ = 0;
  ImageSlots slots_;
  TaskCommands commands_;
  std::wstring scratch_;
  std::vector<platform::WindowHandle> selected_;
};

}  // namespace apps
