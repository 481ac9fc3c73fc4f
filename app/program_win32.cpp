// The parts' construction from the backends, the order of one tick, the start
// of the updates and the routing of the collectors' messages.
#include "app/program_win32.h"

#include <algorithm>

#include "app/update_messages.h"
#include "ui/refresh_error.h"

namespace app {

ProcessesPart::ProcessesPart(Backends& system, RunState& run)
    : run(run),
      page(table, list, system.processApi, system.shell, system.dialogs, system.debugger,
           run.Closing),
      collector(system.native, system.processApi, system.processPaths, system.clock,
                {system.poster, kUpdateProcesses}, table, mainProcInfo, run.Closing,
                run.CpuInstanceCount),
      totals(system.tickFigures, {system.poster, kUpdateTotals}, mainProcInfo) {}

void ProcessesPart::MakeView(const PageHost& host) {
  view = std::make_unique<procs::ProcessesView>(host.page, host.font, page, list,
                                                run.CpuInstanceCount);
  ShellLinks& shell = host.shell;
  view->N12Click = [&shell] { shell.RefreshPortList(); };
  view->HostsServices = [&shell](std::uint32_t pid) { return shell.HostsServices(pid); };
  view->GoToServices = [&shell](std::uint32_t pid) { shell.GoToServices(pid); };
}

ApplicationsPart::ApplicationsPart(Backends& system, RunState& run)
    : page(table, list, system.windowApi, system.dialogs, run.Closing),
      collector(system.windowApi, system.processPaths, {system.poster, kUpdateWindows}, table,
                run.Closing) {}

void ApplicationsPart::MakeView(const PageHost& host) {
  ShellLinks& shell = host.shell;
  apps::ApplicationsViewHooks hooks;
  hooks.newTask = [&shell] { shell.NewTask(); };
  hooks.goToProcess = [&shell](std::uint32_t pid) { shell.GoToProcess(pid); };
  hooks.switched = [&shell] { shell.AfterSwitch(); };
  hooks.commandsChanged = [&shell] { shell.TaskCommandsChanged(); };
  view = std::make_unique<apps::ApplicationsView>(host.page, host.font, page, list,
                                                  std::move(hooks));
}

NetworkingPart::NetworkingPart(Backends& system, RunState& run)
    : collector(system.adapterApi, system.clock, {system.poster, kUpdateAdapters}, table),
      page(table, list, run.Closing),
      portList(system.connectionApi, system.processPaths, system.dialogs, system.processApi,
               portListModel) {}

void NetworkingPart::MakeView(const PageHost& host) {
  view = std::make_unique<net::NetworkingView>(host.page, host.font, page, list, collector);
}

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
    : sampler(system.tickFigures, system.performanceData, system.clock,
              {system.poster, kUpdateGraphs}, run.Closing),
      page(totals, sampler.PerCpuPercent(), sampler.CpuUsagePercent(), system.memoryStatus,
           {system.poster, kUpdateGraphs}, run.Closing, culprits, system.clock),
      trayIcon(system.notifyIcon, [this](int pen) -> platform::IconRef {
        return trayPictures ? trayPictures->IconFor(pen, trayIconSize) : nullptr;
      }) {}

void PerformancePart::MakeView(const PageHost& host) {
  view = std::make_unique<perf::PerformanceView>(host.page, host.font, page, host.statusBar);
}

UsersPart::UsersPart(Backends& system, RunState& run, const SystemActions& actions,
                     RefreshCycle& cycle)
    : collector(*actions.sessions, {system.poster, kUpdateSessions}, table),
      page(table, list, *actions.sessions, system.dialogs, cycle, system.uiWait, run.Closing),
      shutdownMenu(system.dialogs, system.processApi, *actions.power, *actions.sessions) {}

void UsersPart::MakeView(const PageHost& host) {
  view = std::make_unique<users::UsersView>(host.page, host.font, page, list);
}

ServicesPart::ServicesPart(Backends& system, RunState& run, const SystemActions& actions)
    : collector(system.serviceApi, system.clock, {system.poster, kUpdateServices}, table),
      page(table, collector, list, system.serviceApi, system.dialogs, system.shell,
           *actions.elevation, system.clock, run.Closing) {}

void ServicesPart::MakeView(const PageHost& host) {
  view = std::make_unique<services::ServicesView>(
      host.page, host.font, page, list,
      [&shell = host.shell](std::uint32_t pid) { shell.GoToProcess(pid); });
}

StartupPart::StartupPart(Backends& system, RunState& run, const SystemActions& actions)
    : collector(*actions.startup, system.processApi, system.clock,
                {system.poster, kUpdateStartup}, table),
      page(table, collector, list, *actions.startup, system.shell, system.dialogs,
           *actions.elevation, run.Closing) {}

void StartupPart::MakeView(const PageHost& host) {
  view = std::make_unique<startup::StartupView>(host.page, host.font, page, list);
}

Program::Program(TimerControl& timer, SystemActions given, std::function<void()> closeProgram)
    : actions{given.sessions ? given.sessions : &system.sessionApi,
              given.power ? given.power : &system.powerApi,
              given.elevation ? given.elevation : &system.elevation,
              given.shell ? given.shell : &system.shell,
              given.startup ? given.startup : &system.startupApi},
      cycle(timer, system.dialogs),
      run{cycle.ClosingFlag()},
      processes(system, run),
      applications(system, run),
      networking(system, run),
      performance(system, run, processes.mainProcInfo, processes.collector.Culprits()),
      users(system, run, actions, cycle),
      services(system, run, actions),
      startup(system, run, actions),
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
  cycle.AddStep([this] { system.tickFigures.NewTick(); });
  cycle.AddStep([this] { processes.collector.CollectProcesses(); });
  cycle.AddStep([this] { performance.sampler.SampleTotalCpuUsage(); });
  cycle.AddStep([this] { processes.totals.CollectSystemTotals(); });
  cycle.AddStep([this] { CollectWindowsIfShown(); });
  cycle.AddStep([this] { networking.collector.Tick(networking.page.GraphsShown()); });
  cycle.AddStep([this] { CollectSessionsIfShown(); });
  cycle.AddStep([this] { services.collector.CollectServices(); });  // only while shown
  cycle.AddStep([this] { startup.collector.CollectStartup(); });  // shown, every 5 s
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

namespace {

// Whether the page holding `control` is the one shown; true before the pages exist.
bool PageShownOf(HWND control) {
  return control == nullptr || (GetWindowLongW(GetParent(control), GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

bool Program::WindowsShown() const {
  if (PageShownOf(applications.view ? applications.view->lv_Task() : nullptr)) return true;
  const std::vector<procs::ProcessColumn>& columns = processes.page.Columns();
  return std::any_of(columns.begin(), columns.end(), [](const procs::ProcessColumn& column) {
    return column.kind == procs::ColumnKind::kState;
  });
}

void Program::CollectWindowsIfShown() {
  windowsBehind_ = !WindowsShown();
  if (!windowsBehind_) applications.collector.CollectWindows();
}

// Each look at the sessions is a call to the session service: only while the
// 用户 page shows them.
bool Program::SessionsShown() const {
  return PageShownOf(users.view ? users.view->lv_Users() : nullptr);
}

void Program::CollectSessionsIfShown() {
  sessionsBehind_ = !SessionsShown();
  if (!sessionsBehind_) users.collector.CollectSessions();
}

void Program::CatchUpShownPages() {
  if (windowsBehind_ && WindowsShown()) CollectWindowsIfShown();
  if (sessionsBehind_ && SessionsShown()) CollectSessionsIfShown();
  if (networking.page.GraphsShown()) networking.collector.CatchUp();
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
    case kUpdateServices:
      services.page.UpdateServicesPage();
      return true;
    case kUpdateStartup:
      startup.view->UpdateStartupPage();
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
