// The main window's commands: the menu items routed to the parts, the check
// marks they keep, and the pages' requests of the window (the shell's links).
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/page_host_win32.h"
#include "app/refresh_cycle.h"

namespace app {

class TMainForm;

class MainCommands final : public ShellLinks {
 public:
  explicit MainCommands(TMainForm& form) : form_(form) {}

  // A menu item was chosen.
  void OnCommand(UINT id);
  // The Applications page's command states onto the menu.
  void SyncTaskCommands();
  void act_NewExecute();                         // the Create New Task dialog

  // --- ShellLinks ---
  void NewTask() override { act_NewExecute(); }
  void GoToProcess(std::uint32_t pid) override;  // "转到进程(&G)"
  void GoToServices(std::uint32_t pid) override;  // "转到服务(&V)"
  bool HostsServices(std::uint32_t pid) override;
  void AfterSwitch() override;                   // "使用时自动最小化(&M)"
  void TaskCommandsChanged() override { SyncTaskCommands(); }
  void RefreshPortList() override;

 private:
  void SetSpeed(UpdateSpeed speed);
  void ShowSpeedMarks();
  void N4Click();   // "前端显示(&A)"
  void N33Click();  // the About box

  TMainForm& form_;
};

}  // namespace app
