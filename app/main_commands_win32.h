// The main window's commands: the menu items routed to the parts, the check
// marks they keep, and the Applications page's requests of the window.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/refresh_cycle.h"

namespace app {

class TMainForm;

class MainCommands {
 public:
  explicit MainCommands(TMainForm& form) : form_(form) {}

  // A menu item was chosen.
  void OnCommand(UINT id);
  // The Applications page's command states onto the menu.
  void SyncTaskCommands();
  void act_NewExecute();                // the Create New Task dialog
  void GoToProcess(std::uint32_t pid);  // "转到进程(&G)"
  void AfterSwitch();                   // "使用时自动最小化(&M)"

 private:
  void SetSpeed(UpdateSpeed speed);
  void ShowSpeedMarks();
  void N4Click();   // "前端显示(&A)"
  void N33Click();  // the About box

  TMainForm& form_;
};

}  // namespace app
