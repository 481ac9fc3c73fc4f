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
  windowMenu_ = Popup({{kCmdTileHorizontal, L"横向平铺(&H)"},
                       {kCmdTileVertical, L"纵向平铺(&V)"},
                       {kCmdMinimizeWindow, L"最小化(&M)"},
                       {kCmdMaximizeWindow, L"最大化(&X)"},
                       {kCmdCascade, L"层叠(&C)"},
                       {kCmdBringToFront, L"前置(&B)"}});
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
}

MainMenu::~MainMenu() {
  // A bar never given to a window, or a "窗口" menu taken out of it, is ours to free.
  if (!taskCommandsShown_) DestroyMenu(windowMenu_);
  if (window_ == nullptr) DestroyMenu(bar_);
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
  if (visible) {
    for (std::size_t i = 0; i < kViewStyleItems.size(); ++i) {
      InsertMenuW(viewMenu_, kCmdSelectColumns, MF_BYCOMMAND | MF_STRING | viewStyleStates_[i],
                  kViewStyleItems[i].id, kViewStyleItems[i].caption);
    }
    InsertMenuW(bar_, kWindowMenuPosition, MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(windowMenu_), kWindowMenuCaption);
  } else {
    for (std::size_t i = 0; i < kViewStyleItems.size(); ++i) {
      viewStyleStates_[i] =
          GetMenuState(viewMenu_, kViewStyleItems[i].id, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED);
      RemoveMenu(viewMenu_, kViewStyleItems[i].id, MF_BYCOMMAND);
    }
    // RemoveMenu keeps the submenu alive, so it can come back as it was.
    RemoveMenu(bar_, kWindowMenuPosition, MF_BYPOSITION);
  }
  taskCommandsShown_ = visible;
  if (window_ != nullptr) DrawMenuBar(window_);
}

}  // namespace app
