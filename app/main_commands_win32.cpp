// The routing of the main menu's items and the menu's marks.
#include "app/main_commands_win32.h"

#include "app/about_form_win32.h"
#include "app/main_window_win32.h"
#include "app/open_form_win32.h"
#include "procs/column_chooser_win32.h"

namespace app {

void MainCommands::OnCommand(UINT id) {
  Program& program = form_.Parts();
  if (id >= kCmdShutdownFirst && id <= kCmdShutdownLast) {
    program.users.shutdownMenu.N27Click(static_cast<int>(id - kCmdShutdownFirst));
    return;
  }
  const auto task = [&program](UINT command) {
    program.applications.view->ExecuteCommand(command);
  };
  switch (id) {
    case kCmdNewTask:
      act_NewExecute();
      break;
    case kCmdExit:
      PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
      break;
    case kCmdRestartElevated:
      program.restartElevated.Execute();
      break;
    case kCmdAbout:
      N33Click();
      break;
    case kCmdBigIcon: task(apps::kCmdTaskBigIcon); break;
    case kCmdSmallIcon: task(apps::kCmdTaskSmallIcon); break;
    case kCmdDetail: task(apps::kCmdTaskDetail); break;
    case kCmdTileHorizontal: task(apps::kCmdTaskTileHorizontal); break;
    case kCmdTileVertical: task(apps::kCmdTaskTileVertical); break;
    case kCmdMinimizeWindow: task(apps::kCmdTaskMinimize); break;
    case kCmdMaximizeWindow: task(apps::kCmdTaskMaximize); break;
    case kCmdCascade: task(apps::kCmdTaskCascade); break;
    case kCmdBringToFront: task(apps::kCmdTaskFront); break;
    case kCmdTopmost:
      N4Click();
      break;
    case kCmdAutoMinimize:
    case kCmdHideWhenMinimized:  // N6Click: the mark is read on minimise
      form_.Menu().ToggleChecked(id);
      break;
    case kCmdRefreshNow:
      program.cycle.N7Click();
      break;
    case kCmdSpeedHigh:
      SetSpeed(UpdateSpeed::kHigh);
      break;
    case kCmdSpeedNormal:
      SetSpeed(UpdateSpeed::kNormal);
      break;
    case kCmdSpeedLow:
      SetSpeed(UpdateSpeed::kLow);
      break;
    case kCmdPause:
      program.cycle.N16Click();
      ShowSpeedMarks();
      break;
    case kCmdTreeView:
      if (program.processes.view) program.processes.view->SetTreeView(form_.Menu().ToggleTreeView());
      break;
    case kCmdSelectColumns:  // N10Click
      procs::TViewForm(program.processes.page, program.cycle)
          .ShowModal(form_.Handle(), form_.Font());
      program.CatchUpShownPages();  // "状态" may have been chosen
      break;
    default:
      break;
  }
}

void MainCommands::SetSpeed(UpdateSpeed speed) {
  form_.Parts().cycle.SetSpeed(speed);
  ShowSpeedMarks();
}

void MainCommands::ShowSpeedMarks() {
  const RefreshCycle& cycle = form_.Parts().cycle;
  MainMenu& menu = form_.Menu();
  menu.SetChecked(kCmdSpeedHigh, cycle.Speed() == UpdateSpeed::kHigh);
  menu.SetChecked(kCmdSpeedNormal, cycle.Speed() == UpdateSpeed::kNormal);
  menu.SetChecked(kCmdSpeedLow, cycle.Speed() == UpdateSpeed::kLow);
  menu.SetChecked(kCmdPause, cycle.Paused());
}

void MainCommands::N4Click() {
  const bool topmost = form_.Menu().ToggleChecked(kCmdTopmost);
  SetWindowPos(form_.Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}

void MainCommands::SyncTaskCommands() {
  const ApplicationsPart& part = form_.Parts().applications;
  const apps::TaskCommands& c = part.page.Commands();
  TaskMenuItems items;
  items.bigIcon = c.bigIconVisible;
  items.smallIcon = c.smallIconVisible;
  items.detail = c.detailVisible;
  items.tileHorizontal = items.tileVertical = items.cascade = c.arrangeVisible;
  items.minimize = c.minimizeVisible;
  items.maximize = c.maximizeVisible;
  items.front = c.topVisible;
  form_.Menu().SetTaskItems(items);
  const apps::TaskView view = part.view->View();
  form_.Menu().SetViewStyleMark(view == apps::TaskView::kLargeIcons   ? kCmdBigIcon
                                : view == apps::TaskView::kSmallIcons ? kCmdSmallIcon
                                                                      : kCmdDetail);
}

void MainCommands::act_NewExecute() {
  TOpenForm form(form_.Parts().system.shell);
  if (form.Create(form_.Handle(), form_.Font())) form.ShowModal();
}

void MainCommands::N33Click() {
  TAboutForm form;
  if (form.Create(form_.Handle(), form_.Font())) form.ShowModal();
}

void MainCommands::GoToProcess(std::uint32_t pid) {
  ProcessesPart& part = form_.Parts().processes;
  // Not on the Processes list even unfiltered: the page stays as it is.
  if (!part.view->ShowProcess(pid)) return;
  form_.SelectPage(TMainForm::kProcessesPage);
  SetFocus(part.view->lv_Proc());
}

void MainCommands::GoToServices(std::uint32_t pid) {
  form_.SelectPage(TMainForm::kServicesPage);  // the list is read as the page is shown
  form_.Parts().services.view->SelectServicesOf(pid);
}

bool MainCommands::HostsServices(std::uint32_t pid) {
  return form_.Parts().services.page.HostsServices(pid);
}

void MainCommands::RefreshPortList() { form_.RefreshPortList(); }

void MainCommands::AfterSwitch() {
  // The user went to another window: this one gets out of the way, as an
  // ordinary minimise (which "最小化时隐藏" may turn into hiding).
  if (form_.Menu().Checked(kCmdAutoMinimize))
    SendMessageW(form_.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

}  // namespace app
