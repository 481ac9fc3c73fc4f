// A scriptable system for tests: processes that start and end between ticks, opens
// that are refused, queries that fail, windows that come, go and stop answering,
// a clock that moves only when told, and a record of every message box, shell
// call, posted message and window command.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/message_poster.h"
#include "platform/native_api.h"
#include "platform/process_api.h"
#include "platform/shell_api.h"
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
  std::wstring modulePath;   // empty: the module path cannot be read
  std::wstring imagePath;    // empty: the image path cannot be read
  std::wstring tokenUser;    // empty: the token cannot be read
  std::wstring sessionUser;  // empty: the session route fails
  std::uint32_t priorityClass = kNormalPriority;
  bool refuseQuery = false;       // full query rights refused
  bool refuseLimited = false;     // limited query right refused as well
  bool refuseTerminate = false;
  bool refuseSetInformation = false;
  bool vanishesOnOpen = false;    // ends between the snapshot and the first open
  std::vector<std::wstring> modules;  // module paths in load order; empty: just modulePath
  bool refuseModules = false;     // its modules cannot be listed
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
};

struct FakeWindowCommand {
  std::wstring what;  // "show", "foreground", "force", "close", "cascade", "tileH", "tileV"
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

class FakeSystem : public NativeApi,
                   public ProcessApi,
                   public Clock,
                   public ShellApi,
                   public Dialogs,
                   public MessagePoster,
                   public WindowApi {
 public:
  // --- scripting ---
  FakeProcess& AddProcess(std::uint32_t pid, const std::wstring& name);
  void RemoveProcess(std::uint32_t pid);
  FakeProcess* Find(std::uint32_t pid);
  std::deque<FakeProcess>& Processes() { return processes_; }
  void Advance(std::int64_t ms) { nowMs += ms; }
  // Windows in top-to-bottom order.
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

  bool answerYes = true;
  bool shellAccepts = true;

  // --- record ---
  std::vector<FakeBox> boxes;
  std::vector<FakeShellCall> shellCalls;
  std::vector<std::uint32_t> posted;
  std::vector<std::wstring> privilegesEnabled;
  std::vector<std::uint32_t> terminated;
  int snapshotQueries = 0;
  int opens = 0;
  std::vector<FakeWindowCommand> windowCommands;
  int iconRequests = 0;     // class icons and icon messages together
  int iconMessages = 0;     // icon requests sent to a window
  int moduleListings = 0;
  int programIconReads = 0;
  std::vector<std::pair<std::wstring, IconHandle>> programIcons;  // path -> icon of both sizes
  int answerTests = 0;      // waiting hung tests
  std::int64_t waitedMs = 0;  // time the hung tests and icon requests waited
  std::vector<WindowHandle> probes;  // probes out, not yet answered or forgotten
  WindowHandle desktop = 0x10010;
  bool systemArranges = true;  // false: Cascade and Tile arrange nothing
  ScreenRect workArea{0, 0, 1000, 700};

  // --- NativeApi ---
  NtStatus QuerySystemInformation(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                                  std::uint32_t* returnLength) override;
  // --- ProcessApi ---
  std::unique_ptr<OpenedProcess> Open(std::uint32_t pid, ProcessAccess access,
                                      OpenError* error = nullptr) override;
  std::optional<std::wstring> UserNameBySessionSid(std::uint32_t pid,
                                                   std::int64_t createTime) override;
  bool EnablePrivilege(const std::wstring& name) override;
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
  bool VisitModules(std::uint32_t pid,
                    const std::function<bool(std::wstring_view path)>& stop) override;
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
  void PostClose(WindowHandle window) override;
  bool Cascade(const std::vector<WindowHandle>& windows) override;
  bool Tile(const std::vector<WindowHandle>& windows, bool horizontal) override;
  ScreenRect WorkArea() override { return workArea; }
  ScreenRect Bounds(WindowHandle window) override;
  void Move(WindowHandle window, const ScreenRect& place) override;

 private:
  NtStatus WriteFixed(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                      std::uint32_t* returnLength) const;
  std::deque<FakeProcess> processes_;
  std::deque<FakeWindow> windows_;
  std::size_t lastWindow_ = 0;  // where FindFakeWindow found the last window
};

}  // namespace platform::fake
