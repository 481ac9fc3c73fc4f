// What each step of one tick costs against the real Win32 backend, under Wine or
// on Windows. First every collector alone, many times over, through backends
// that count the calls it makes; then the main window's own ticks, with the time
// of each update message's handler and of the painting that follows, once for
// each page shown, with the messages the list views got in a tick; then the
// notification icon and the status bar. The Processes list shows 20 rows.
// Wall-clock time is what counts: a synchronous call to the window system or to
// Wine's server is on it. With --wineserver PID, the server's CPU time is read
// from /proc through drive Z: (Wine only; 10 ms ticks, so only sums over many
// calls mean something).
//
// Usage: zentrik_tick_cost.exe [--ticks N] [--idle N] [--wineserver PID]
//   --idle N  starts N processes that only sleep (zentrik_idle.exe, beside this
//             program), for a larger process list
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "app/update_messages.h"
#include "platform/win32/handle_win32.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/performance_system_win32.h"
#include "platform/win32/service_api_win32.h"
#include "platform/win32/system_library_win32.h"
#include "platform/win32/win32_system.h"
#include "tools/bench/counting_backends_win32.h"
#include "ui/refresh_error.h"

namespace {

using platform::win32::UniqueHandle;

constexpr wchar_t kIdleSemaphore[] = L"ZentrikIdleStarted";  // as tools/wine/idle.cpp
constexpr int kWarmUpTicks = 3;
constexpr int kRowsOnScreen = 20;

double NowUs() {
  static const double perUs = [] {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / perUs;
}

// CPU time of Wine's server: utime + stime of /proc/PID/stat, read again from
// the start of the one open file each time (no new handle, so no server call).
class ServerTime {
 public:
  explicit ServerTime(unsigned long pid) {
    if (pid == 0) return;
    const std::wstring path = L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat";
    file_.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    if (file_ && Us() < 0) file_.Reset();
  }
  bool Available() const { return file_.Valid(); }

  // Microseconds so far; negative when unreadable.
  double Us() {
    if (!file_) return -1;
    char text[1024];
    DWORD got = 0;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file_.Get(), start, nullptr, FILE_BEGIN) ||
        !ReadFile(file_.Get(), text, sizeof(text) - 1, &got, nullptr) || got == 0)
      return -1;
    text[got] = '\0';
    // The fields after the name in parentheses: state is the first, utime the 12th.
    const char* rest = std::strrchr(text, ')');
    if (rest == nullptr) return -1;
    unsigned long long field[13] = {};
    int n = std::sscanf(rest + 2, "%*c %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu",
                        &field[1], &field[2], &field[3], &field[4], &field[5], &field[6], &field[7],
                        &field[8], &field[9], &field[10], &field[11], &field[12]);
    if (n != 12) return -1;
    return static_cast<double>(field[11] + field[12]) * 10'000.0;  // USER_HZ is 100
  }

 private:
  UniqueHandle file_;
};

// One measured step: a wall time per run, the server's time and the backend
// calls summed over the runs.
struct Step {
  std::string name;
  std::vector<double> wallUs;
  double serverUs = 0;
  std::map<std::string, std::int64_t> calls;

  double Min() const {
    return wallUs.empty() ? 0 : *std::min_element(wallUs.begin(), wallUs.end());
  }
  double Median() const {
    if (wallUs.empty()) return 0;
    std::vector<double> sorted = wallUs;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
  double Mean() const {
    return wallUs.empty() ? 0
                          : std::accumulate(wallUs.begin(), wallUs.end(), 0.0) /
                                static_cast<double>(wallUs.size());
  }
  double ServerPerRun() const {
    return wallUs.empty() ? 0 : serverUs / static_cast<double>(wallUs.size());
  }
};

// Times `run` `ticks` times after a few unmeasured runs; the message queue is
// emptied between runs, as between two ticks.
class StepTimer {
 public:
  StepTimer(int ticks, ServerTime& server) : ticks_(ticks), server_(server) {}

  static void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  Step Measure(const std::string& name, const std::function<void()>& run,
               bench::CallCounts* counts = nullptr) {
    for (int i = 0; i < kWarmUpTicks; ++i) {
      run();
      Pump();
    }
    Step step{name, {}, 0, {}};
    if (counts) counts->Clear();
    for (int i = 0; i < ticks_; ++i) {
      const double server = server_.Us();
      const double start = NowUs();
      run();
      step.wallUs.push_back(NowUs() - start);
      step.serverUs += server_.Us() - server;
      Pump();
    }
    if (counts) step.calls = counts->All();
    return step;
  }

  int Ticks() const { return ticks_; }
  ServerTime& Server() { return server_; }

 private:
  int ticks_;
  ServerTime& server_;
};

class NullPoster final : public platform::MessagePoster {
 public:
  void Post(std::uint32_t) override {}
};

// The collectors on a system of their own: the real backends behind counting ones.
std::vector<Step> MeasureCollectors(StepTimer& timer) {
  bench::CallCounts counts;
  platform::win32::Win32NativeApi realNative;
  platform::win32::Win32ProcessApi realProcesses;
  platform::win32::Win32WindowApi realWindows;
  platform::win32::Win32AdapterApi realAdapters;
  platform::win32::Win32SessionApi realSessions;
  platform::win32::Win32PerformanceData realPerformance;
  platform::win32::Win32ServiceApi realServices;
  bench::CountingNativeApi native{realNative, counts};
  bench::CountingProcessApi processes{realProcesses, counts};
  bench::CountingWindowApi windows{realWindows, counts};
  bench::CountingAdapterApi adapters{realAdapters, counts};
  bench::CountingSessionApi sessions{realSessions, counts};
  bench::CountingPerformanceData performance{realPerformance, counts};
  bench::CountingServiceApi serviceApi{realServices, counts};
  platform::win32::Win32Clock clock;
  NullPoster poster;
  const bool closing = false;

  procs::ProcessPathLookup paths{processes, native, clock};
  perf::CpuSampler sampler{native, performance, clock, {poster, app::kUpdateGraphs}, closing};
  int cpuInstanceCount = 2;
  try {
    cpuInstanceCount = sampler.CpuSampleCount();
  } catch (const ui::RefreshError&) {
  }
  procs::ProcessTable processTable;
  procs::TMainProcInfo totals;
  procs::ProcessCollector processCollector{
      native, processes, paths, clock, {poster, app::kUpdateProcesses}, processTable, totals, closing,
      cpuInstanceCount};
  procs::SystemTotalsCollector totalsCollector{native, {poster, app::kUpdateTotals}, totals};
  apps::WinTable winTable;
  apps::WindowCollector windowCollector{windows, paths, {poster, app::kUpdateWindows}, winTable,
                                        closing};
  net::TAdapterStatuses adapterTable;
  net::AdapterCollector adapterCollector{adapters, clock, {poster, app::kUpdateAdapters}, adapterTable};
  users::SessionTable sessionTable;
  users::SessionCollector sessionCollector{sessions, {poster, app::kUpdateSessions}, sessionTable};
  services::ServiceTable serviceTable;
  services::ServiceCollector serviceCollector{serviceApi, clock, {poster, app::kUpdateServices},
                                              serviceTable};

  std::vector<Step> steps;
  const auto measure = [&](const std::string& name, const std::function<void()>& run) {
    try {
      steps.push_back(timer.Measure(name, run, &counts));
    } catch (const ui::RefreshError&) {
      steps.push_back(Step{name + " (raised an error)", {}, 0, {}});
    }
  };
  measure("CollectProcesses", [&] { processCollector.CollectProcesses(); });
  measure("SampleTotalCpuUsage", [&] { sampler.SampleTotalCpuUsage(); });
  measure("CollectSystemTotals", [&] { totalsCollector.CollectSystemTotals(); });
  measure("CollectWindows", [&] { windowCollector.CollectWindows(); });
  measure("CollectAdapters", [&] { adapterCollector.CollectAdapters(); });
  measure("CollectSessions", [&] { sessionCollector.CollectSessions(); });
  measure("CollectServices (page hidden)", [&] { serviceCollector.CollectServices(); });
  serviceCollector.SetShown(true);
  serviceCollector.ReadServices();  // the configurations, read as the page is first shown
  measure("CollectServices (page shown)", [&] { serviceCollector.CollectServices(); });
  measure("StorePerCpuPercent", [&] { sampler.StorePerCpuPercent(cpuInstanceCount); });
  return steps;
}

// The messages every list view of the window gets, by name: what a tick asks of
// the controls, their painting included (the cells they draw are asked of the
// program by notifications, not counted here).
class ListMessageCounter {
 public:
  explicit ListMessageCounter(HWND window) {
    EnumChildWindows(window, Attach, reinterpret_cast<LPARAM>(this));
  }
  ~ListMessageCounter() {
    for (HWND list : lists_) RemoveWindowSubclass(list, Count, kSubclass);
  }
  ListMessageCounter(const ListMessageCounter&) = delete;
  ListMessageCounter& operator=(const ListMessageCounter&) = delete;
  bench::CallCounts& Counts() { return counts_; }

 private:
  static constexpr UINT_PTR kSubclass = 0x5A4C;
  static BOOL CALLBACK Attach(HWND child, LPARAM self) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, WC_LISTVIEWW) == 0 &&
        SetWindowSubclass(child, Count, kSubclass, static_cast<DWORD_PTR>(self)))
      reinterpret_cast<ListMessageCounter*>(self)->lists_.push_back(child);
    return TRUE;
  }
  static LRESULT CALLBACK Count(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR self) {
    reinterpret_cast<ListMessageCounter*>(self)->counts_.Add(NameOf(message));
    return DefSubclassProc(list, message, wParam, lParam);
  }
  static std::string NameOf(UINT message) {
    static const std::map<UINT, const char*> names = {
        {LVM_SETITEMTEXTW, "LVM_SETITEMTEXT"}, {LVM_SETITEMW, "LVM_SETITEM"},
        {LVM_INSERTITEMW, "LVM_INSERTITEM"},   {LVM_DELETEITEM, "LVM_DELETEITEM"},
        {LVM_DELETEALLITEMS, "LVM_DELETEALLITEMS"}, {LVM_SETITEMSTATE, "LVM_SETITEMSTATE"},
        {LVM_SETITEMCOUNT, "LVM_SETITEMCOUNT"}, {LVM_GETTOPINDEX, "LVM_GETTOPINDEX"},
        {LVM_GETCOUNTPERPAGE, "LVM_GETCOUNTPERPAGE"}, {LVM_GETSUBITEMRECT, "LVM_GETSUBITEMRECT"},
        {LVM_REDRAWITEMS, "LVM_REDRAWITEMS"},   {LVM_ENSUREVISIBLE, "LVM_ENSUREVISIBLE"},
        {LVM_GETNEXTITEM, "LVM_GETNEXTITEM"},   {LVM_GETITEMCOUNT, "LVM_GETITEMCOUNT"},
        {LVM_GETITEMW, "LVM_GETITEM"},         {LVM_GETITEMTEXTW, "LVM_GETITEMTEXT"},
        {WM_SETREDRAW, "WM_SETREDRAW"},       {WM_PAINT, "WM_PAINT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},     {WM_NCPAINT, "WM_NCPAINT"},
    };
    const auto found = names.find(message);
    if (found != names.end()) return std::string("list ") + found->second;
    char other[32];
    std::snprintf(other, sizeof(other), "list message 0x%04X", message);
    return other;
  }

  std::vector<HWND> lists_;
  bench::CallCounts counts_;
};

// Makes the Processes list `rows` rows high, as far as the screen allows.
int ShowRowsOnProcessList(app::TMainForm& form, int rows) {
  HWND list = form.ProcessesView().lv_Proc();
  RECT row{};
  if (!ListView_GetItemRect(list, 0, &row, LVIR_BOUNDS) || row.bottom <= row.top)
    return ListView_GetCountPerPage(list);
  RECT frame{};
  GetWindowRect(form.Handle(), &frame);
  const int grow = (rows - ListView_GetCountPerPage(list)) * (row.bottom - row.top);
  SetWindowPos(form.Handle(), nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top + grow, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  StepTimer::Pump();
  return ListView_GetCountPerPage(list);
}

// The rows of the window's tick: the cycle, each update message, the painting,
// the rest; the first and the last are keyed by numbers no message has.
constexpr UINT kRefreshRow = 0xFFFF0001, kOtherRow = 0xFFFF0002;
const std::vector<std::pair<UINT, std::string>> kTickRows = {
    {kRefreshRow, "RefreshAll (the window's collectors)"},
    {app::kUpdateProcesses, "2128 UpdateProcessList"},
    {app::kUpdateGraphs, "2130 UpdateGraphs"},
    {app::kUpdateTotals, "2127 UpdateTotals (figures, meters, status, tray)"},
    {app::kUpdateWindows, "2129 UpdateTaskList"},
    {app::kUpdateAdapters, "2133 UpdateNetPage"},
    {app::kUpdateSessions, "2135 UpdateUsersPage"},
    {app::kUpdateServices, "2136 UpdateServicesPage"},
    {WM_PAINT, "painting (WM_PAINT, every window)"},
    {kOtherRow, "other messages"},
};

// The window's ticks with one page shown: RefreshAll, then each message the tick
// left in the queue, dispatched and timed one by one. Returns one step per row,
// and the whole tick last.
// With `spacedTicks`, that many ticks a second apart instead, as the timer gives
// them, so that the figures have changed since the last.
std::vector<Step> MeasureWindowTicks(app::TMainForm& form, StepTimer& timer, int spacedTicks = 0) {
  std::map<UINT, Step> rows;
  for (const auto& [message, name] : kTickRows) rows[message].name = name;
  Step whole{"whole tick (calls: messages to the list views)", {}, 0, {}};
  ListMessageCounter lists(form.Handle());
  ServerTime& server = timer.Server();
  const int ticks = spacedTicks > 0 ? spacedTicks : timer.Ticks();
  for (int i = -kWarmUpTicks; i < ticks; ++i) {
    const bool measured = i >= 0;
    if (i == 0) lists.Counts().Clear();
    if (spacedTicks > 0) {
      const double until = NowUs() + 1e6;
      while (NowUs() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        StepTimer::Pump();
      }
    }
    std::map<UINT, double> wall;
    const double tickStart = NowUs(), tickServer = server.Us();
    const auto timed = [&](UINT row, const std::function<void()>& run) {
      const double s = server.Us(), start = NowUs();
      run();
      wall[row] += NowUs() - start;
      if (measured) rows[row].serverUs += server.Us() - s;
    };
    timed(kRefreshRow, [&] {
      try {
        form.Cycle().RefreshAll();
      } catch (const ui::RefreshError&) {
      }
    });
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      UINT row = message.message;
      if (!rows.count(row) || (row != WM_PAINT && message.hwnd != form.Handle())) row = kOtherRow;
      timed(row, [&] {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      });
    }
    if (!measured) continue;
    whole.wallUs.push_back(NowUs() - tickStart);
    whole.serverUs += server.Us() - tickServer;
    for (auto& [row, step] : rows) step.wallUs.push_back(wall[row]);
  }
  whole.calls = lists.Counts().All();
  std::vector<Step> steps;
  for (const auto& [message, name] : kTickRows) steps.push_back(std::move(rows[message]));
  steps.push_back(std::move(whole));
  return steps;
}

// Ticks as the timer gives them, a second apart, so that the figures have
// changed: the whole tick, and the messages the list views got.
Step MeasureSpacedTicks(app::TMainForm& form, ServerTime& server, int ticks) {
  Step step{"one tick, a second after the last", {}, 0, {}};
  ListMessageCounter lists(form.Handle());
  for (int i = 0; i < ticks; ++i) {
    const double until = NowUs() + 1e6;
    while (NowUs() < until) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      StepTimer::Pump();
    }
    lists.Counts().Clear();
    const double start = NowUs(), serverStart = server.Us();
    try {
      form.Cycle().RefreshAll();
    } catch (const ui::RefreshError&) {
    }
    StepTimer::Pump();
    step.wallUs.push_back(NowUs() - start);
    step.serverUs += server.Us() - serverStart;
    for (const auto& [call, count] : lists.Counts().All()) step.calls[call] += count;
  }
  return step;
}

std::string CallsText(const Step& step) {
  std::string text;
  char number[32];
  for (const auto& [call, count] : step.calls) {
    std::snprintf(number, sizeof(number), " %.3g",
                  static_cast<double>(count) / static_cast<double>(step.wallUs.size()));
    text += (text.empty() ? "" : ", ") + call + number;
  }
  return text;
}

// The least time is what the step costs when nothing else wants the processor;
// the median and the mean tell how the machine's load and the rare slow runs add.
void PrintSteps(const char* title, const std::vector<Step>& steps, bool withServer) {
  std::printf("\n%-50s %7s %9s %7s %s\n", title, "min us", "median us", "mean us",
              withServer ? "server us  calls per run" : "calls per run");
  for (const Step& step : steps) {
    std::printf("%-50s %7.0f %9.0f %7.0f ", step.name.c_str(), step.Min(), step.Median(),
                step.Mean());
    if (withServer) std::printf("%9.0f  ", step.ServerPerRun());
    std::printf("%s\n", CallsText(step).c_str());
  }
}

// Starts `count` idle processes, each in the job, and waits until every one runs.
bool StartIdleProcesses(int count, HANDLE job) {
  UniqueHandle started{CreateSemaphoreW(nullptr, 0, count, kIdleSemaphore)};
  if (!started) return false;
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return false;
  std::wstring idle = self;
  idle.resize(idle.find_last_of(L'\\') + 1);
  idle += L"zentrik_idle.exe";
  for (int i = 0; i < count; ++i) {
    std::wstring commandLine = L"\"" + idle + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(idle.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS | CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
      return false;
    UniqueHandle processHandle{process.hProcess}, thread{process.hThread};
    AssignProcessToJobObject(job, processHandle.Get());
    ResumeThread(thread.Get());
  }
  for (int i = 0; i < count; ++i)
    if (WaitForSingleObject(started.Get(), 30'000) != WAIT_OBJECT_0) return false;
  return true;
}

int Run(int ticks, int idle, unsigned long serverPid) {
  // The idle processes end with the job's last handle, whatever happens here.
  UniqueHandle job{CreateJobObjectW(nullptr, nullptr)};
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
  if (idle > 0 && !StartIdleProcesses(idle, job.Get())) {
    std::fprintf(stderr, "could not start %d idle processes (zentrik_idle.exe)\n", idle);
    return 1;
  }

  ServerTime server{serverPid};
  if (serverPid != 0 && !server.Available())
    std::fprintf(stderr, "cannot read Z:\\proc\\%lu\\stat; no server times\n", serverPid);
  StepTimer timer{ticks, server};

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                      ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  app::TMainForm form;
  if (!form.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL)) {
    std::fprintf(stderr, "the main window could not be created\n");
    return 1;
  }
  StepTimer::Pump();  // laid out and painted; then the benchmark gives the ticks
  form.Cycle().N16Click();
  form.SelectPage(app::TMainForm::kProcessesPage);
  try {
    form.Cycle().RefreshAll();  // rows to measure
  } catch (const ui::RefreshError&) {
  }
  StepTimer::Pump();
  const int rowsShown = ShowRowsOnProcessList(form, kRowsOnScreen);

  std::printf(
      "Tick cost against the real Win32 backend: %d runs per step, %d idle processes, "
      "%d processor instances, %d rows on screen in the Processes list%s\n",
      ticks, idle, form.Run().CpuInstanceCount, rowsShown,
      server.Available() ? ", wineserver CPU time included" : "");
  const std::vector<Step> collectors = MeasureCollectors(timer);
  PrintSteps("collectors alone, each on its own tables", collectors, server.Available());

  const char* pageNames[app::TMainForm::kPageCount] = {
      "Applications page", "Processes page", "Performance page", "Networking page",
      "Users page",        "Services page",  "Startup page"};
  for (int page = 0; page < app::TMainForm::kPageCount; ++page) {
    form.SelectPage(page);
    StepTimer::Pump();
    const std::string title = std::string("the window's tick, ") + pageNames[page] + " shown";
    PrintSteps(title.c_str(), MeasureWindowTicks(form, timer), server.Available());
  }
  form.SelectPage(app::TMainForm::kProcessesPage);
  StepTimer::Pump();
  PrintSteps("the timer's tick, Processes page shown (calls: list view messages)",
             {MeasureSpacedTicks(form, server, 5)}, server.Available());
  for (const int page : {app::TMainForm::kApplicationsPage, app::TMainForm::kProcessesPage}) {
    form.SelectPage(page);
    StepTimer::Pump();
    const std::string title = std::string("ticks a second apart, ") + pageNames[page] + " shown";
    PrintSteps(title.c_str(), MeasureWindowTicks(form, timer, 20), server.Available());
  }
  form.SelectPage(app::TMainForm::kApplicationsPage);
  StepTimer::Pump();

  std::vector<Step> extras;
  int percent = 0;
  extras.push_back(timer.Measure("tray icon with a new picture (UpdateTrayIcon)", [&] {
    percent = percent == 90 ? 10 : 90;
    form.TrayIcon().UpdateTrayIcon(percent);
  }));
  // The window's own icons follow the tray picture.
  const HWND window = GetAncestor(form.StatusBar1(), GA_ROOT);
  const HICON icons[2] = {LoadIconW(nullptr, IDI_APPLICATION), LoadIconW(nullptr, IDI_WINLOGO)};
  int which = 0;
  extras.push_back(timer.Measure("window icon, a new small picture (WM_SETICON)", [&] {
    which ^= 1;
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons[which]));
  }));
  extras.push_back(timer.Measure("window icon, a new large picture (WM_SETICON)", [&] {
    which ^= 1;
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons[which]));
  }));
  int text = 0;
  extras.push_back(timer.Measure("status bar, one panel's text changed", [&] {
    const std::wstring panel = L"进程数: " + std::to_wstring(100 + (++text % 2));
    SendMessageW(form.StatusBar1(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(panel.c_str()));
  }));
  const HWND bar = form.StatusBar1();
  auto setTwo = [&] {
    ++text;
    const std::wstring cpu = L"CPU 使用：" + std::to_wstring(10 + text % 2) + L"%";
    const std::wstring memory = L"内存使用:" + std::to_wstring(400 + text % 2) + L"M/24105M";
    SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(cpu.c_str()));
    SendMessageW(bar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(memory.c_str()));
  };
  extras.push_back(timer.Measure("status bar, two panels, each painted", setTwo));
  extras.push_back(timer.Measure("status bar, two panels, held, whole bar", [&] {
    SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
    setTwo();
    SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
  }));
  extras.push_back(timer.Measure("status bar, two panels, held, their rectangles", [&] {
    SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
    setTwo();
    SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
    for (int part = 1; part <= 2; ++part) {
      RECT r{};
      SendMessageW(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
      InvalidateRect(bar, &r, FALSE);
    }
    UpdateWindow(bar);
  }));
  extras.push_back(timer.Measure("status bar, nothing changed, painted whole", [&] {
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
  }));
  {
    // The snapshot call alone: what CollectProcesses cannot go below.
    platform::win32::Win32NativeApi native;
    std::vector<unsigned char> snapshot(4 << 20);
    extras.push_back(timer.Measure("NtQuerySystemInformation(5) alone", [&] {
      std::uint32_t returned = 0;
      native.QuerySystemInformation(5, snapshot.data(),
                                    static_cast<std::uint32_t>(snapshot.size()), &returned);
    }));
  }
  {
    using platform::win32::BindFunction;
    using TableFn = DWORD(WINAPI*)(PMIB_IF_TABLE2*);
    using FreeFn = void(WINAPI*)(PVOID);
    using EntryFn = DWORD(WINAPI*)(PMIB_IF_ROW2);
    using CountFn = DWORD(WINAPI*)(PDWORD);
    const platform::win32::UniqueLibrary ip = platform::win32::LoadSystemLibrary(L"iphlpapi.dll");
    auto table = BindFunction<TableFn>(ip.get(), "GetIfTable2");
    auto release = BindFunction<FreeFn>(ip.get(), "FreeMibTable");
    auto entry = BindFunction<EntryFn>(ip.get(), "GetIfEntry2");
    auto interfaces = BindFunction<CountFn>(ip.get(), "GetNumberOfInterfaces");
    MIB_IF_TABLE2* rows = nullptr;
    NET_IFINDEX index = 1;
    if (table && table(&rows) == NO_ERROR) {
      for (ULONG i = 0; i < rows->NumEntries; ++i)
        if (rows->Table[i].Type != IF_TYPE_SOFTWARE_LOOPBACK) index = rows->Table[i].InterfaceIndex;
      release(rows);
    }
    extras.push_back(timer.Measure("GetIfTable2 (every interface)", [&] {
      MIB_IF_TABLE2* t = nullptr;
      if (table(&t) == NO_ERROR) release(t);
    }));
    extras.push_back(timer.Measure("GetIfEntry2 (one interface)", [&] {
      MIB_IF_ROW2 row{};
      row.InterfaceIndex = index;
      entry(&row);
    }));
    extras.push_back(timer.Measure("GetNumberOfInterfaces", [&] {
      DWORD count = 0;
      interfaces(&count);
    }));
  }
  PrintSteps("extras", extras, server.Available());
  std::fflush(stdout);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int ticks = 200, idle = 0;
  unsigned long serverPid = 0;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--ticks" && hasValue) {
      ticks = std::max(1, _wtoi(argv[++i]));
    } else if (arg == L"--idle" && hasValue) {
      idle = std::max(0, _wtoi(argv[++i]));
    } else if (arg == L"--wineserver" && hasValue) {
      serverPid = std::wcstoul(argv[++i], nullptr, 10);
    } else {
      std::fprintf(stderr,
                   "usage: zentrik_tick_cost.exe [--ticks N] [--idle N] [--wineserver PID]\n");
      return 2;
    }
  }
  // UTF-8 text as it is, with Unix line ends.
  _setmode(_fileno(stdout), _O_BINARY);
  return Run(ticks, idle, serverPid);
}
