// The main window's menu bar: its items and their command identifiers, check
// marks, and the Applications-page commands that are present only while that
// page is shown.
#pragma once
#include <windows.h>

namespace app {

// One identifier per item, so that each item can be wired on its own.
enum MainCommand : UINT {
  kCmdNewTask = 0x100,   // 文件: 新建任务(运行...)
  kCmdExit,              // 文件: 退出泽恩特
  kCmdTopmost,           // 选项: 前端显示
  kCmdAutoMinimize,      // 选项: 使用时自动最小化
  kCmdHideWhenMinimized, // 选项: 最小化时隐藏
  kCmdRefreshNow,        // 查看: 立即更新
  kCmdSpeedHigh,         // 查看 ▸ 更新速度
  kCmdSpeedNormal,
  kCmdSpeedLow,
  kCmdPause,
  kCmdBigIcon,           // 查看: the view styles of the Applications page
  kCmdSmallIcon,
  kCmdDetail,
  kCmdSelectColumns,     // 查看: 选择列
  kCmdTileHorizontal,    // 窗口
  kCmdTileVertical,
  kCmdMinimizeWindow,
  kCmdMaximizeWindow,
  kCmdCascade,
  kCmdBringToFront,
  kCmdShutdownFirst,     // 关机: + the item's tag 0..5
  kCmdShutdownLast = kCmdShutdownFirst + 5,
  kCmdAbout,             // 帮助: 关于
  kCmdRestartElevated,   // 文件: 以管理员身份重新启动, only while not elevated
  kCmdTreeView,          // 查看: 树状视图, only with the Processes page
};

// Which of the Applications page's items the bar offers while that page is shown.
struct TaskMenuItems {
  bool bigIcon = true, smallIcon = true, detail = true;  // 查看
  bool tileHorizontal = true, tileVertical = true, minimize = true, maximize = true,
       cascade = true, front = true;  // 窗口
};

class MainMenu {
 public:
  MainMenu();
  ~MainMenu();
  MainMenu(const MainMenu&) = delete;
  MainMenu& operator=(const MainMenu&) = delete;

  // The bar; the window that it is given to owns and destroys it.
  HMENU Bar() const { return bar_; }
  // Called when the window has taken the bar; from then on the window owns it.
  void AttachTo(HWND window) { window_ = window; }

  // "以管理员身份重新启动(&R)" after "新建任务(运行...)(&N)".
  void AddRestartElevated();

  bool Checked(UINT id) const;
  void SetChecked(UINT id, bool checked);
  bool ToggleChecked(UINT id);  // returns the new mark

  // The view-style items of "查看(&V)" and the whole "窗口(&W)" menu.
  void ShowTaskCommands(bool visible);
  bool TaskCommandsShown() const { return taskCommandsShown_; }
  // The single items of both, as the Applications page's selection decides.
  void SetTaskItems(const TaskMenuItems& items);
  // "树状视图(&T)" of "查看(&V)", present only while the Processes page is shown;
  // its check mark is kept while it is out.
  void ShowProcessCommands(bool visible);
  bool TreeViewChecked() const { return treeViewChecked_; }
  bool ToggleTreeView();
  // Which view-style item carries the check mark.
  void SetViewStyleMark(UINT id);

 private:
  // Takes the Applications items out and puts back those that are offered now.
  void RebuildTaskItems();

  HMENU bar_ = nullptr;
  HMENU viewMenu_ = nullptr;
  HMENU windowMenu_ = nullptr;  // owned here while it is out of the bar
  HWND window_ = nullptr;
  bool taskCommandsShown_ = true;
  TaskMenuItems taskItems_;
  UINT viewStyleMark_ = 0;
  bool processCommandsShown_ = false;
  bool treeViewChecked_ = false;  // kCmdDetail once the menu exists
};

}  // namespace app
