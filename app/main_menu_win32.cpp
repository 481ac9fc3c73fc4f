// Builds the main menu with its exact captions (no shortcuts; the & letters are
// the only access keys) and takes the Applications-page commands out and back in.
#include "app/main_menu_win32.h"

#include <array>

namespace app {

namespace {

struct MenuEntry {
  UINT id;  // 0 for a separator
  const wchar_t* caption;
};

HMENU Popup(std::initializer_list<MenuEntry> entries) {
  HMENU menu = CreatePopupMenu();
  for (const MenuEntry& entry : entries) {
    if (entry.id == 0) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING, entry.id, entry.caption);
    }
  }
  return menu;
}

void AppendPopup(HMENU bar, HMENU popup, const wchar_t* caption) {
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption);
}

constexpr std::array<MenuEntry, 3> kViewStyleItems{{
    {kCmdBigIcon, L"大图标(&G)"},
    {kCmdSmallIcon, L"小图标(&M)"},
    {kCmdDetail, L"详细信息(&D)"},
}};
constexpr std::array<MenuEntry, 6> kWindowItems{{
    {kCmdTileHorizontal, L"横向平铺(&H)"},
    {kCmdTileVertical, L"纵向平铺(&V)"},
    {kCmdMinimizeWindow, L"最小化(&M)"},
    {kCmdMaximizeWindow, L"最大化(&X)"},
    {kCmdCascade, L"层叠(&C)"},
    {kCmdBringToFront, L"前置(&B)"},
}};
constexpr wchar_t kWindowMenuCaption[] = L"窗口(&W)";
constexpr UINT kWindowMenuPosition = 3;

}  // namespace

MainMenu::MainMenu() {
  bar_ = CreateMenu();
  AppendPopup(bar_,
              Popup({{kCmdNewTask, L"新建任务(运行...)(&N)"}, {kCmdExit, L"退出泽恩特(&X)"}}),
              L"文件(&F)");
  AppendPopup(bar_,
              Popup({{kCmdTopmost, L"前端显示(&A)"},
                     {kCmdAutoMinimize, L"使用时自动最小化(&M)"},
                     {kCmdHideWhenMinimized, L"最小化时隐藏(&H)"}}),
              L"选项(&O)");
  HMENU speed = Popup({{kCmdSpeedHigh, L"高(&H)"},
                       {kCmdSpeedNormal, L"标准(&N)"},
                       {kCmdSpeedLow, L"低(&L)"},
                       {kCmdPause, L"暂停(&P)"}});
  viewMenu_ = CreatePopupMenu();
  AppendMenuW(viewMenu_, MF_STRING, kCmdRefreshNow, L"立即更新(&R)");
  AppendMenuW(viewMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(speed), L"更新速度");
  AppendMenuW(viewMenu_, MF_SEPARATOR, 0, nullptr);
  for (const MenuEntry& entry : kViewStyleItems)
    AppendMenuW(viewMenu_, MF_STRING, entry.id, entry.caption);
  AppendMenuW(viewMenu_, MF_STRING, kCmdSelectColumns, L"选择列(&S)");
  AppendPopup(bar_, viewMenu_, L"查看(&V)");
  windowMenu_ = CreatePopupMenu();
  for (const MenuEntry& entry : kWindowItems)
    AppendMenuW(windowMenu_, MF_STRING, entry.id, entry.caption);
  AppendPopup(bar_, windowMenu_, kWindowMenuCaption);
  AppendPopup(bar_,
              Popup({{kCmdShutdownFirst + 0, L"待机(&B)"},
                     {kCmdShutdownFirst + 1, L"休眠(&H)"},
                     {kCmdShutdownFirst + 2, L"关闭(&U)"},
                     {kCmdShutdownFirst + 3, L"重新启动(&R)"},
                     {kCmdShutdownFirst + 4, L"注销"},
                     {kCmdShutdownFirst + 5, L"切换用户(&L)"}}),
              L"关机(U)");
  AppendPopup(bar_, Popup({{kCmdAbout, L"关于"}}), L"帮助(&H)");

  SetChecked(kCmdAutoMinimize, true);
  SetViewStyleMark(kCmdDetail);
}

MainMenu::~MainMenu() {
  // A bar never given to a window, or a "窗口" menu taken out of it, is ours to free.
  if (!taskCommandsShown_) DestroyMenu(windowMenu_);
  if (window_ == nullptr) DestroyMenu(bar_);
}

void MainMenu::AddRestartElevated() {
  InsertMenuW(bar_, kCmdExit, MF_BYCOMMAND | MF_STRING, kCmdRestartElevated,
              L"以管理员身份重新启动(&R)");
}

bool MainMenu::Checked(UINT id) const {
  const UINT state = GetMenuState(bar_, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void MainMenu::SetChecked(UINT id, bool checked) {
  CheckMenuItem(bar_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainMenu::ToggleChecked(UINT id) {
  const bool checked = !Checked(id);
  SetChecked(id, checked);
  return checked;
}

void MainMenu::ShowTaskCommands(bool visible) {
  if (visible == taskCommandsShown_) return;
  taskCommandsShown_ = visible;
  if (visible) {
    InsertMenuW(bar_, kWindowMenuPosition, MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(windowMenu_), kWindowMenuCaption);
  } else {
    // RemoveMenu keeps the submenu alive, so it can come back as it was.
    RemoveMenu(bar_, kWindowMenuPosition, MF_BYPOSITION);
  }
  RebuildTaskItems();
}

void MainMenu::ShowProcessCommands(bool visible) {
  if (visible == processCommandsShown_) return;
  processCommandsShown_ = visible;
  if (visible) {
    InsertMenuW(viewMenu_, kCmdSelectColumns,
                MF_BYCOMMAND | MF_STRING | (treeViewChecked_ ? MF_CHECKED : MF_UNCHECKED),
                kCmdTreeView, L"树状视图(&T)");
  } else {
    RemoveMenu(viewMenu_, kCmdTreeView, MF_BYCOMMAND);
  }
  if (window_ != nullptr) DrawMenuBar(window_);
}

bool MainMenu::ToggleTreeView() {
  treeViewChecked_ = !treeViewChecked_;
  SetChecked(kCmdTreeView, treeViewChecked_);
  return treeViewChecked_;
}

void MainMenu::SetTaskItems(const TaskMenuItems& items) {
  taskItems_ = items;
  RebuildTaskItems();
}

void MainMenu::SetViewStyleMark(UINT id) {
  viewStyleMark_ = id;
  for (const MenuEntry& entry : kViewStyleItems)
    CheckMenuItem(viewMenu_, entry.id,
                  MF_BYCOMMAND | (entry.id == id ? MF_CHECKED : MF_UNCHECKED));
}

void MainMenu::RebuildTaskItems() {
  const bool shown = taskCommandsShown_;
  const std::array<bool, 3> styles{taskItems_.bigIcon, taskItems_.smallIcon, taskItems_.detail};
  for (const MenuEntry& entry : kViewStyleItems) RemoveMenu(viewMenu_, entry.id, MF_BYCOMMAND);
  for (std::size_t i = 0; i < kViewStyleItems.size(); ++i) {
    if (!shown || !styles[i]) continue;
    const UINT mark = kViewStyleItems[i].id == viewStyleMark_ ? MF_CHECKED : MF_UNCHECKED;
    InsertMenuW(viewMenu_, kCmdSelectColumns, MF_BYCOMMAND | MF_STRING | mark,
                kViewStyleItems[i].id, kViewStyleItems[i].caption);
  }
  const std::array<bool, 6> windows{taskItems_.tileHorizontal, taskItems_.tileVertical,
                                    taskItems_.minimize,       taskItems_.maximize,
                                    taskItems_.cascade,        taskItems_.front};
  while (GetMenuItemCount(windowMenu_) > 0) RemoveMenu(windowMenu_, 0, MF_BYPOSITION);
  for (std::size_t i = 0; i < kWindowItems.size(); ++i) {
    if (windows[i])
      AppendMenuW(windowMenu_, MF_STRING, kWindowItems[i].id, kWindowItems[i].caption);
  }
  if (window_ != nullptr) DrawMenuBar(window_);
}

}  // namespace app
