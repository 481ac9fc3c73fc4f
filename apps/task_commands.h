// Which of the Applications page's commands are offered: the enable-and-show
// rule applied when the user presses a mouse button in the list, when the list
// gets the focus and when an item's selection changes, and the rule applied when
// the page is entered or left. The Win32 side shows the result on the buttons,
// the context menu and the main menu.
#pragma once
#include <cstddef>

namespace apps {

struct TaskCommands {
  // Commands shared by buttons and menus.
  bool killTaskEnabled = true;  // "结束任务(&E)"
  bool changeEnabled = true;    // "切换至(&S)"
  bool changeVisible = true;
  bool topVisible = true;       // "前置(&B)"
  bool bigIconVisible = true;   // the view styles in "查看(&V)"
  bool smallIconVisible = true;
  bool detailVisible = true;
  bool minimizeVisible = true;  // "最小化(&M)", "最大化(&X)"
  bool maximizeVisible = true;
  bool arrangeVisible = true;   // "层叠(&C)", "横向平铺(&H)", "纵向平铺(&V)"
  bool goProcVisible = true;    // "转到进程(&G)"
  // Context-menu items whose visibility is also set on their own.
  bool changeItemVisible = true;
  bool frontItemVisible = true;
  bool killItemVisible = true;
};

enum class TaskEvent {
  kMouseDown,   // any mouse button pressed in the list
  kEnter,       // the list received the focus
  kSelectItem,  // an item was selected or deselected
};

// `firstSelected`: some item is selected; `selectedCount`: how many.
void UpdateTaskCommands(TaskCommands& commands, TaskEvent event, bool firstSelected,
                        std::size_t selectedCount);
// The page was entered (true) or left (false).
void ShowTaskCommands(TaskCommands& commands, bool visible);

}  // namespace apps
