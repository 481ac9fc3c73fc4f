// A scriptable system for tests: processes that start and end between ticks, opens
// that are refused, queries that fail, windows that come, go and stop answering,
// a clock that moves only when told, terminal sessions, and a record of every
// message box, shell call, posted message, window command and system action
// (log-off, lock, power, exit) — none of which reaches the machine.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/clock.h"
#include "platform/debugger_api.h"
#include "platform/dialogs.h"
#include "platform/elevation_api.h"
#include "platform/fake/fake_network.h"
#include "platform/memory_status.h"
#include "platform/message_poster.h"
#include "platform/native_api.h"
#include "platform/notify_icon.h"
#include "platform/performance_data.h"
#include "platform/power_api.h"
#include "platform/process_api.h"
#include "platform/session_api.h"
#include "platform/shell_api.h"
#include "platform/ui_wait.h"
#include "platform/window_api.h"

namespace platform::fake {

struct FakeProcess {
  std::uint32_t pid = 0;
  std::uint32_t parentPid = 0;
  std::wstring name;
  std::int64_t createTime = 0;
  std::int64_t kernelTime = 0;  // 100 ns units
  std::int64_t userTime = 0;
  std::uint32_t threads = 1;
  std::uint32_t handles = 10;
  std::uint32_t sessionId = 1;
  std::uint64_t workingSet = 4 << 20;
  std::uint64_t peakWorkingSet = 0;  // written as at least the working set
  std::uint64_t virtualSize = 64 << 20;
  std::uint64_t pagedPool = 0, nonPagedPool = 0;
  std::uint32_t pageFaults = 0;
  std::int32_t basePriority = 8;
  std::uint64_t readOperations = 0, writeOperations = 0, otherOperations = 0;
  std::uint64_t readBytes = 0, writeBytes = 0, otherBytes = 0;
  std::uint32_t userObjects = 0, gdiObjects = 0;
  bool refuseGuiObjects = false;
  std::uint64_t affinity = 0;  // 0: every processor
  std::wstring imagePath;    // empty: the image path cannot be read
  std::wstring tokenUser;    // empty: the token cannot be read
  std::wstring sessionUser;  // empty: the session route fails
  std::uint32_t priorityClass = kNormalPriority;
  bool refuseLimited = false;     // even the limited query right is refused
  bool refuseTerminate = false;
  bool refuseSetInformation = false;  // also refuses a new affinity
  bool vanishesOnOpen = false;    // ends between the snapshot and the first open

  // --- the image name by identifier (no handle needed) ---
  std::wstring ntImagePath;  // "\Device\HarddiskVolume3\…"; empty: that query fails too
};

struct FakeWindow {
  WindowHandle handle = 0;
  std::wstring title;
  std::uint32_t pid = 0;
  bool visible = true;
  WindowHandle owner = 0;
  std::uint32_t exStyle = 0;
  int showState = kShowNormal;
  bool answers = true;        // handles messages in time
  bool hungBySystem = false;  // the system already counts it hung: no wait at all
  bool vanished = false;      // gone between enumeration and query: placement and pid fail
  IconHandle classIcon = 0;
  IconHandle classIconSmall = 0;
  IconHandle ownIcon = 0;     // what it answers to the icon request
  ScreenRect bounds{100, 100, 500, 400};
  std::wstring className;     // empty: a program's own class
  WindowHandle parent = 0;    // a child window inside `parent`, not a top-level one
  bool cloaked = false;       // kept out of sight by the window manager
  WindowHandle ghostOf = 0;   // for a ghost: the hung window it stands in for, if known
  bool refusesClose = false;  // its program runs elevated: WM_CLOSE is refused
};

struct FakeWindowCommand {
  std::wstring what;  // "show", "foreground", "force", "close", "move"
  std::vector<WindowHandle> windows;
  int showState = 0;
};

struct FakeBox {
  std::wstring caption;
  std::wstring text;
  BoxIcon icon = BoxIcon::kNone;
  bool question = false;
};

struct FakeShellCall {
  std::wstring verb, file, parameters;
};

// Times of one processor as the native per-processor query reports them.
struct FakeProcessorTimes {
  std::int64_t idle = 0;    // 100 ns units
  std::int64_t kernel = 0;  // includes the idle time
  std::int64_t user = 0;
};

struct FakeTrayCall {
  enum Kind { kAdd, kModify, kRemove } kind;
  IconRef icon = nullptr;
  std::wstring tip;
};

struct FakeSession {
  std::uint32_t id = 0;
  std::wstring windowStation;
  std::uint32_t state = kSessionActive;
  std::wstring userName;  // empty: the session has no user
  int emptyAnswers = 0;   // the user-name query answers empty this many times first
};

struct FakeSentMessage {
  std::uint32_t sessionId = 0;
  std::wstring title, text;
};

class FakeSystem : public NativeApi,
                   public ProcessApi,
                   public Clock,
                   public ShellApi,
                   public Dialogs,
                   public MessagePoster,
                   public WindowApi,
                   public PerformanceData,
                   public MemoryStatusApi,
                   public NotifyIcon,
                   public SessionApi,
                   public PowerApi,
                   public UiWait,
                   public DebuggerApi,
                   public ElevationApi,
                   public FakeNetwork {
 public:
  // --- scripting ---
  FakeProcess& AddProcess(std::uint32_t pid, const std::wstring& name);
  void RemoveProcess(std::uint32_t pid);
  FakeProcess* Find(std::uint32_t pid);
  std::deque<FakeProcess>& Processes() { return processes_; }
  void Advance(std::int64_t ms) { nowMs += ms; }
  // Windows in top-to-bottom order; child windows (with a parent) are listed
  // only inside their parent.
  FakeWindow& AddWindow(WindowHandle handle, const std::wstring& title, std::uint32_t pid);
  void RemoveWindow(WindowHandle handle);
  FakeWindow* FindFakeWindow(WindowHandle handle);
  std::deque<FakeWindow>& Windows() { return windows_; }

  // Writes the process list in the system's layout; returns the bytes it needs
  // (nothing is written when that is more than `size`).
  std::uint32_t WriteSnapshot(std::byte* buffer, std::uint32_t size) const;

  std::int64_t nowMs = 100000;
  // Replaces the process-list answer when set.
  std::function<NtStatus(void*, std::uint32_t, std::uint32_t*)> processQueryOverride;

  std::uint32_t pageSize = 4096;
  std::uint32_t physicalPages = 262144;
  std::uint32_t availablePages = 131072;
  std::uint32_t committedPages = 65536;
  std::uint32_t commitLimit = 393216;
  std::uint32_t peakCommitment = 70000;
  std::uint32_t pagedPoolPages = 1000;
  std::uint32_t nonPagedPoolPages = 500;
  std::uint64_t fileCacheBytes = 64 << 20;
  std::uint8_t processorCount = 2;
  bool failBasic = false, failPerformance = false, failFileCache = false;

  // CPU times: the idle time summed over all processors (performance class),
  // the system time (time-of-day class), and per-processor times (empty: that
  // query fails).
  std::int64_t idleTime = 0;
  std::int64_t systemTime = 0;
  bool failTimeOfDay = false;
  std::vector<FakeProcessorTimes> processorTimes;
  // The performance-data answer; empty: a valid header without objects.
  std::vector<std::byte> performanceData;
  std::uint32_t performanceDataStatus = kRegistrySuccess;
  MemoryStatus memoryStatus{1ull << 30, 1ull << 29, 2ull << 30, 1ull << 30};
  bool failMemoryStatus = false;
  bool notifyAreaRefuses = false;

  bool answerYes = true;
  bool shellAccepts = true;
  std::wstring currentUser = L"tester";  // empty: it cannot be learned
  std::wstring debugger;                 // empty: none registered
  std::uint64_t SystemAffinity() const;  // one bit per processor

  std::vector<FakeSession> sessions;
  bool failSessionEnumeration = false;
  bool systemActionsSucceed = true;  // log-off, lock, message, power and exit
  // Runs inside PumpThenSleep, to look at the program while it waits.
  std::function<void()> onWait;

  // Sessions and power: the console, and the words of a refused lock, power or exit.
  std::uint32_t consoleSessionId = 0;
  std::wstring refusalText = L"拒绝访问。";

  // --- record ---
  std::vector<FakeBox> boxes;
  std::vector<FakeShellCall> shellCalls;
  std::vector<std::uint32_t> posted;
  std::vector<std::wstring> privilegesEnabled;
  std::vector<std::uint32_t> terminated;
  std::vector<FakeShellCall> startedCommands;  // the debugger's program and parameters
  int snapshotQueries = 0;
  int opens = 0;
  std::vector<FakeWindowCommand> windowCommands;
  int iconRequests = 0;     // class icons and icon messages together
  int iconMessages = 0;     // icon requests sent to a window
  int programIconReads = 0;
  std::vector<std::pair<std::wstring, IconHandle>> programIcons;  // path -> icon of both sizes
  int answerTests = 0;      // waiting hung tests
  std::int64_t waitedMs = 0;  // time the hung tests and icon requests waited
  std::vector<WindowHandle> probes;  // probes out, not yet answered or forgotten
  WindowHandle desktop = 0x10010;
  ScreenRect workArea{0, 0, 1000, 700};
  int guiQueries = 0;
  int performanceDataQueries = 0;
  std::vector<FakeTrayCall> trayCalls;
  int userNameQueries = 0;
  // In order: "privilege <name>", "logoff <id>", "lock", "message <id>",
  // "standby", "hibernate", "exit <flags> <reason>".
  std::vector<std::wstring> systemActions;
  std::vector<FakeSentMessage> sentMessages;
  std::vector<int> waits;

  // --- NativeApi ---
  NtStatus QuerySystemInformation(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                                  std::uint32_t* returnLength) override;
  // --- ProcessApi ---
  std::unique_ptr<OpenedProcess> Open(std::uint32_t pid, ProcessAccess access,
                                      OpenError* error = nullptr) override;
  std::optional<std::wstring> UserNameBySessionSid(std::uint32_t pid,
                                                   std::int64_t createTime) override;
  bool EnablePrivilege(const std::wstring& name) override;
  std::optional<GuiObjectCounts> GuiObjects(std::uint32_t pid) override;
  std::optional<std::wstring> CurrentUserName() override;
  // --- DebuggerApi ---
  std::optional<std::wstring> RegisteredDebugger() override;
  bool StartCommand(const std::wstring& program, const std::wstring& parameters) override;
  // --- Clock ---
  std::int64_t NowMs() override { return nowMs; }
  // --- ShellApi ---
  bool Execute(const std::wstring& verb, const std::wstring& file,
               const std::wstring& parameters) override;
  // --- Dialogs ---
  bool AskYesNo(const std::wstring& caption, const std::wstring& text, BoxIcon icon) override;
  void ShowMessage(const std::wstring& caption, const std::wstring& text, BoxIcon icon) override;
  // --- MessagePoster ---
  void Post(std::uint32_t message) override { posted.push_back(message); }
  // --- WindowApi ---
  void TopWindows(std::vector<WindowHandle>& out) override;
  bool IsVisible(WindowHandle window) override;
  WindowHandle Owner(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  WindowHandle Desktop() override { return desktop; }
  void Title(WindowHandle window, std::wstring& out) override;
  int ShowStateOf(WindowHandle window) override;
  std::uint32_t ProcessIdOf(WindowHandle window) override;
  bool IsCloaked(WindowHandle window) override;
  void ClassName(WindowHandle window, std::wstring& out) override;
  void ChildWindows(WindowHandle parent, std::vector<WindowHandle>& out) override;
  WindowHandle HungWindowOf(WindowHandle ghost) override;
  bool Responds(WindowHandle window, int timeoutMs) override;
  void StartProbe(WindowHandle window) override;
  bool ProbeAnswered(WindowHandle window) override;
  void ForgetProbe(WindowHandle window) override;
  IconHandle ClassIcon(WindowHandle window, bool small) override;
  IconHandle AskIcon(WindowHandle window, int timeoutMs) override;
  void WithProgramIcons(const std::wstring& path,
                        const std::function<void(IconHandle, IconHandle)>& use) override;
  void Show(WindowHandle window, int showState) override;
  bool SetForeground(WindowHandle window) override;
  bool ForceForeground(WindowHandle window) override;
  bool PostClose(WindowHandle window) override;
  ScreenRect WorkArea() override { return workArea; }
  ScreenRect Bounds(WindowHandle window) override;
  void Move(WindowHandle window, const ScreenRect& place) override;
  // --- PerformanceData ---
  std::uint32_t Query(const std::wstring& objectIndex, void* buffer,
                      std::uint32_t& size) override;
  // --- MemoryStatusApi ---
  bool QueryMemoryStatus(MemoryStatus& status) override;
  // --- NotifyIcon ---
  bool AddIcon(IconRef icon, const std::wstring& tip) override;
  bool ModifyIcon(IconRef icon, const std::wstring& tip) override;
  bool RemoveIcon() override;
  // --- SessionApi ---
  bool EnumerateSessions(std::vector<SessionEntry>& out) override;
  std::wstring QueryUserName(std::uint32_t sessionId) override;
  std::uint32_t ActiveConsoleSessionId() override { return consoleSessionId; }
  bool LogoffSession(std::uint32_t sessionId) override;
  bool SendSessionMessage(std::uint32_t sessionId, const std::wstring& title,
                          const std::wstring& text) override;
  ActionResult LockWorkStation() override;
  // --- PowerApi ---
  ActionResult Suspend(SleepKind kind) override;
  ActionResult RequestExit(std::uint32_t flags, std::uint32_t reason) override;
  // --- UiWait ---
  void PumpThenSleep(int milliseconds) override;

  // --- ElevationApi, and the shell's confirmed start (fake_elevation.cpp) ---
  bool tokenElevated = true;  // as under Wine: nothing to offer
  std::wstring programPath = L"C:\\Program Files\\Zentrik\\zentrik.exe";
  bool consentGiven = true;   // false: the user says no to the consent prompt
  bool TokenElevated() override { return tokenElevated; }
  std::wstring ProgramPath() override { return programPath; }
  // Recorded in shellCalls, with no parameters.
  bool ExecuteConfirmed(const std::wstring& verb, const std::wstring& file) override;
  // --- processor groups and performance titles ---
  // Processors over all groups; 0: GetActiveProcessorCount is missing.
  int activeProcessorCount = 0;
  // The English title list; empty: it cannot be read.
  std::vector<std::byte> counterNames;
  // Answers for the listed queries (object indices as text); others get
  // performanceData.
  std::unordered_map<std::wstring, std::vector<std::byte>> performanceDataOf;
  std::vector<std::wstring> performanceQueries;  // every query, in order
  std::uint32_t QueryCounterNames(void* buffer, std::uint32_t& size) override;
  int ActiveProcessorCount() override { return activeProcessorCount; }

  // --- process paths: the drive letters' devices, the image-name-by-identifier query ---
  std::vector<DriveDevice> driveDevices;
  int driveDeviceReads = 0;
  int imageNameQueries = 0;
  void DriveDevices(std::vector<DriveDevice>& out) override;

 private:
  // Done, or refused with refusalText when systemActionsSucceed is false.
  ActionResult SystemActionResult() const;
  NtStatus AnswerImageNameQuery(void* buffer, std::uint32_t length);
  NtStatus WriteFixed(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                      std::uint32_t* returnLength) const;
  std::deque<FakeProcess> processes_;
  std::deque<FakeWindow> windows_;
  std::size_t lastWindow_ = 0;  // where FindFakeWindow found the last window
  // Where each process stands, made again after processes come or go.
  std::unordered_map<std::uint32_t, std::size_t> index_;
  bool indexStale_ = true;
};

}  // namespace platform::fake
