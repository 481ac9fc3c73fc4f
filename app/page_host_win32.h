// What the main window hands a part when it makes the part's page view: the
// page to fill, the program's font, the status bar, and the shell's links,
// through which a page carries the user to another page or to a window the
// main window owns without knowing either.
#pragma once
#include <windows.h>

#include <cstdint>

namespace app {

class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  virtual void NewTask() = 0;                       // the Create New Task dialog
  virtual void GoToProcess(std::uint32_t pid) = 0;  // the 进程 page, that process selected
  virtual void GoToServices(std::uint32_t pid) = 0;  // the 服务 page, its services selected
  virtual bool HostsServices(std::uint32_t pid) = 0;  // whether it runs any service
  virtual void AfterSwitch() = 0;                   // "使用时自动最小化(&M)"
  virtual void TaskCommandsChanged() = 0;           // the Applications page's command states
  virtual void RefreshPortList() = 0;               // "网络连接状态(&O)"
};

struct PageHost {
  HWND page;
  HFONT font;
  HWND statusBar;
  ShellLinks& shell;
};

}  // namespace app
