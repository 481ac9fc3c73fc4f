// The parts' construction from the backends, the order of one tick, the start
// of the updates and the routing of the collectors' messages.
#include "app/program_win32.h"

#include <algorithm>

#include "app/update_messages.h"
#include "ui/refresh_error.h"

namespace app {

ProcessesPart::ProcessesPart(Backends& system, RunState& run)
    : page(table, list, system.processApi, system.shell, system.dialogs, system.debugger,
           run.Closing),
      collector(system.native, system.processApi, system.processPaths, system.clock,
                {system.poster, kUpdateProcesses}, table, mainProcInfo, run.Closing,
                run.CpuInstanceCount),
      totals(system.native, {system.poster, kUpdateTotals}, mainProcInfo) {}

ApplicationsPart::ApplicationsPart(Backends& system, RunState& run)
    : page(table, list, system.windowApi, system.dialogs, run.Closing),
      collector(system.windowApi, system.processPaths, {system.poster, kUpdateWindows}, table,
                run.Closing) {}

NetworkingPart::NetworkingPart(Backends& system, RunState& run)
    : collector(system.adapterApi, system.clock, {system.poster, kUpdateAdapters}, table),
      page(table, list, run.Closing),
      portList(system.connectionApi, system.processPaths, system.dialogs, system.processApi,
               portListModel) {}

void NetworkingPart::RefreshPortList(HINSTANCE instance, HFONT font) {
  if (!portForm || !portForm->IsOpen()) {
    portForm = std::make_unique<net::TPortForm>(instance, font, portList, portListModel,
                                                [this, instance, font] {
                                                  RefreshPortList(instance, font);
                                                });
  }
  portForm->ShowInFront();
  portList.Fill();
}

PerformancePart::PerformancePart(Backends& system, RunState& run,
                                 const procs::TMainProcInfo& totals,
                                 const procs::TickCulprits& culprits)
    : sampler(system.native, system.performanceData, system.clock,
              {system.poster, kUpdateGraphs}, run.Closing),
      page(totals, sampler.PerCpuPercent(), sampler.CpuUsagePercent(), system.memoryStatus,
           {system.poster, kUpdateGraphs}, run.Closing, culprits, system.clock),
      trayIcon(system.notifyIcon, [this](int pen) -> platform::IconRef {
        return trayPictures ? trayPictures->IconFor(pen, trayIconSize) : nullptr;
      }) {}

UsersPart::UsersPart(Backends& system, RunState& run, const SystemActions& actions,
                     RefreshCycle& cycle)
    : collector(*actions.sessions, {system.poster, kUpdateSessions}, table),
      page(table, list, *actions.sessions, system.dialogs, cycle, system.uiWait, run.Closing),
      shutdownMenu(system.dialogs, system.processApi, *actions.power, *actions.sessions) {}

Program::Program(TimerControl& timer, SystemActions given, std::function<void()> closeProgram)
    : actions{given.sessions ? given.sessions : &system.sessionApi,
              given.power ? given.power : &system.powerApi,
              given.elevation ? given.elevation : &system.elevation,
              given.shell ? given.shell : &system.shell},
      cycle(timer, system.dialogs),
      run{cycle.ClosingFlag()},
      processes(system, run),
      applications(system, run),
      networking(system, run),
      performance(system, run, processes.mainProcInfo, processes.collector.Culprits()),
      users(system, run, actions, cycle),
      restartElevated(*actions.elevation, *actions.shell, std::move(closeProgram)) {
  // The order of one tick; the adapter collector comes between the windows and
  // the sessions, and the per-processor sample ends the tick.
  // "状态" reads "无响应" for the processes whose windows the Applications page found hung.
  processes.collector.SetNotRespondingSource([this](std::vector<std::uint32_t>& pids) {
    const apps::WinTable& windows = applications.table;
    for (std::size_t i = 0; i < windows.Capacity(); ++i)
      if (windows.Row(i).Wnd != 0 && !windows.Row(i).Responding)
        pids.push_back(windows.Row(i).ProcessId);
  });
  cycle.AddStep([this] { processes.collector.CollectProcesses(); });
  cycle.AddStep([this] { performance.sampler.SampleTotalCpuUsage(); });
  cycle.AddStep([this] { processes.totals.CollectSystemTotals(); });
  cycle.AddStep([this] { applications.collector.CollectWindows(); });
  cycle.AddStep([this] { networking.collector.CollectAdapters(); });
  cycle.AddStep([this] { users.collector.CollectSessions(); });
  cycle.AddStep([this] { performance.sampler.StorePerCpuPercent(run.CpuInstanceCount); });
}

void Program::SetWindow(HWND window) {
  system.dialogs.SetOwner(window);
  system.shell.SetOwner(window);
  system.debugger.SetOwner(window);
  system.poster.SetWindow(window);
  if (window == nullptr) return;
  applications.page.SetOwnWindow(platform::win32::Win32WindowApi::FromHwnd(window));
  system.notifyIcon.SetWindow(window);
}

void Program::Start() {
  try {
    run.CpuInstanceCount = performance.sampler.CpuSampleCount();
  } catch (const ui::RefreshError&) {
    // Neither source of processor figures answers: the first tick says so.
    run.CpuInstanceCount =
        std::max(2, procs::QueryProcessorCount(system.native, system.performanceData) + 1);
  }
  performance.view->CreateCpuGraphs(run.CpuInstanceCount - 1);
  cycle.act_StartExecute();
}

bool Program::HandleUpdate(UINT message) {
  switch (message) {
    case kUpdateProcesses:
      processes.page.UpdateProcessList();
      return true;
    case kUpdateWindows:
      applications.page.UpdateTaskList();
      return true;
    case kUpdateAdapters:
      networking.view->UpdateNetPage();
      return true;
    case kUpdateGraphs:
      performance.view->UpdateGraphs();
      return true;
    case kUpdateSessions:
      users.page.UpdateUsersPage();
      return true;
    default:
      return false;
  }
}

void Program::LayoutGraphs() {
  if (!cycle.TimerEnabled() || run.CpuInstanceCount == 0) return;
  performance.view->LayoutGraphs();
  networking.view->LayoutAdapterGraphs();
}

}  // namespace app
