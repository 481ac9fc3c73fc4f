// The real system behind the platform interfaces. Each class is a thin layer over
// the calls it names; the main window creates one of each and hands them out.
#pragma once
#include <windows.h>
#include <wtsapi32.h>

#include <memory>
#include <vector>

#include "platform/clock.h"
#include "platform/debugger_api.h"
#include "platform/dialogs.h"
#include "platform/message_poster.h"
#include "platform/native_api.h"
#include "platform/power_api.h"
#include "platform/process_api.h"
#include "platform/session_api.h"
#include "platform/shell_api.h"
#include "platform/ui_wait.h"
#include "platform/window_api.h"
#include "platform/win32/owned_handles_win32.h"

namespace platform::win32 {

// NtQuerySystemInformation, bound by name from ntdll.dll.
class Win32NativeApi : public NativeApi {
 public:
  Win32NativeApi();
  NtStatus QuerySystemInformation(std::uint32_t infoClass, void* buffer,
                                  std::uint32_t length,
                                  std::uint32_t* returnLength) override;

 private:
  using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  QueryFn query_ = nullptr;
};

class AccountNames;  // SID -> account name cache, process_user_win32.h

// OpenProcess and friends; WinStationGetProcessSid bound by name from winsta.dll,
// the version texts' calls from version.dll.
class Win32ProcessApi : public ProcessApi {
 public:
  Win32ProcessApi();
  ~Win32ProcessApi() override;
  Win32ProcessApi(const Win32ProcessApi&) = delete;  // owns DLL references
  Win32ProcessApi& operator=(const Win32ProcessApi&) = delete;
  std::unique_ptr<OpenedProcess> Open(std::uint32_t pid, ProcessAccess access,
                                      OpenError* error) override;
  std::optional<std::wstring> UserNameBySessionSid(std::uint32_t pid,
                                                   std::int64_t createTime) override;
  bool EnablePrivilege(const std::wstring& name) override;
  std::optional<GuiObjectCounts> GuiObjects(std::uint32_t pid) override;
  std::optional<std::wstring> CurrentUserName() override;
  void DriveDevices(std::vector<DriveDevice>& out) override;
  bool IsRemoteDrive(wchar_t letter) override;
  FileVersionTexts VersionTexts(const std::wstring& path) override;

  // BOOLEAN WINAPI WinStationGetProcessSid(HANDLE hServer, DWORD ProcessId,
  //     FILETIME ProcessStartTime, PVOID pProcessUserSid, PDWORD dwSidSize);
  // The start time goes by value: passed by address, its bits would be read as
  // the time and no process would ever match.
  using GetSidFn = BOOLEAN(WINAPI*)(HANDLE, DWORD, FILETIME, PVOID, PDWORD);

 private:
  UniqueLibrary winsta_;
  GetSidFn getProcessSid_ = nullptr;
  UniqueLibrary version_;  // null when a call is missing: no version texts
  decltype(&::GetFileVersionInfoSizeW) getVersionInfoSize_ = nullptr;
  decltype(&::GetFileVersionInfoW) getVersionInfo_ = nullptr;
  decltype(&::VerQueryValueW) queryVersionValue_ = nullptr;
  // Shared with the opened processes, whose token look-ups use the same names.
  std::shared_ptr<AccountNames> accountNames_;
};

// The AeDebug "Debugger" value under HKEY_LOCAL_MACHINE; ShellExecuteExW, owned
// by a window so that an elevation prompt comes up in front of it.
class Win32Debugger : public DebuggerApi {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  std::optional<std::wstring> RegisteredDebugger() override;
  bool StartCommand(const std::wstring& program, const std::wstring& parameters) override;

 private:
  HWND owner_ = nullptr;
};

// GetTickCount64, and QueryUnbiasedInterruptTime bound by name (Windows 7 on;
// where it is missing the tick count stands in).
class Win32Clock : public Clock {
 public:
  Win32Clock();
  std::int64_t NowMs() override;
  std::int64_t UnbiasedTime() override;
  int LocalSecondsOfDay() override;  // GetLocalTime
  std::int64_t SystemTime() override;  // GetSystemTimeAsFileTime

 private:
  using UnbiasedTimeFn = BOOL(WINAPI*)(PULONGLONG);
  UnbiasedTimeFn unbiasedTime_ = nullptr;
};

// ShellExecuteW and ShellExecuteExW, owned by a window; GetSystemWindowsDirectoryW; the
// taskbar's window found by its class.
class Win32Shell : public ShellApi {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  bool Execute(const std::wstring& verb, const std::wstring& file,
               const std::wstring& parameters) override;
  ActionResult Open(const std::wstring& file) override;
  bool ExecuteConfirmed(const std::wstring& verb, const std::wstring& file) override;
  std::wstring WindowsFolder() override;
  std::uint32_t TaskbarProcessId() override;

 private:
  HWND owner_ = nullptr;
};

// MessageBoxW, owned by a window.
class Win32Dialogs : public Dialogs {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  BoxAnswer AskYesNo(const std::wstring& caption, const std::wstring& text,
                     BoxIcon icon) override;
  void ShowMessage(const std::wstring& caption, const std::wstring& text,
                   BoxIcon icon) override;

 private:
  HWND owner_ = nullptr;
};

// PostMessageW to the main window with both parameters 0. While a tick runs the
// messages are held and handed to the window in the order posted as the tick
// ends, where the queue would have delivered them next: a trip through the
// queue costs two server calls each under Wine.
class WindowPoster : public MessagePoster {
 public:
  void SetWindow(HWND window) { window_ = window; }
  void Post(std::uint32_t message) override;
  void Hold() { holding_ = true; }
  void Release();

 private:
  HWND window_ = nullptr;
  bool holding_ = false;
  std::vector<std::uint32_t> held_;
};

// Top-level windows through user32, with DwmGetWindowAttribute (dwmapi.dll) and
// HungWindowFromGhostWindow (user32) bound by name; module walks through the
// tool-help snapshot.
class Win32WindowApi : public WindowApi {
 public:
  Win32WindowApi();
  Win32WindowApi(const Win32WindowApi&) = delete;  // owns the dwmapi.dll reference
  Win32WindowApi& operator=(const Win32WindowApi&) = delete;

  void TopWindows(std::vector<WindowHandle>& out) override;
  bool IsVisible(WindowHandle window) override;
  WindowHandle Owner(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  WindowHandle Desktop() override;
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
  ScreenRect WorkArea() override;
  ScreenRect Bounds(WindowHandle window) override;
  void Move(WindowHandle window, const ScreenRect& place) override;

  static HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
  }
  static WindowHandle FromHwnd(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
  }

 private:
  using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
  using HungWindowFn = HWND(WINAPI*)(HWND);
  UniqueLibrary dwmapi_;
  GetAttributeFn getWindowAttribute_ = nullptr;  // null: no window counts as cloaked
  HungWindowFn hungWindowFromGhost_ = nullptr;   // null: a ghost names no hung window
};

// The wtsapi32 session calls on the local server, bound by name, LockWorkStation,
// and WTSGetActiveConsoleSessionId bound by name from kernel32.dll.
class Win32SessionApi : public SessionApi {
 public:
  bool EnumerateSessions(std::vector<SessionEntry>& sessions) override;
  std::wstring QueryUserName(std::uint32_t sessionId) override;
  std::uint32_t ActiveConsoleSessionId() override;
  bool LogoffSession(std::uint32_t sessionId) override;
  bool SendSessionMessage(std::uint32_t sessionId, const std::wstring& title,
                          const std::wstring& text) override;
  ActionResult LockWorkStation() override;

 private:
  void Bind();
  bool bound_ = false;
  UniqueLibrary wtsapi_;  // null when a call is missing: no sessions
  decltype(&::WTSEnumerateSessionsW) enumerateSessions_ = nullptr;
  decltype(&::WTSQuerySessionInformationW) querySessionInformation_ = nullptr;
  decltype(&::WTSLogoffSession) logoffSession_ = nullptr;
  decltype(&::WTSSendMessageW) sendMessage_ = nullptr;
  decltype(&::WTSFreeMemory) freeMemory_ = nullptr;
};

// SetSuspendState bound by name from powrprof.dll (SetSystemPowerState without
// it), and ExitWindowsEx.
class Win32PowerApi : public PowerApi {
 public:
  ActionResult Suspend(SleepKind kind) override;
  ActionResult RequestExit(std::uint32_t flags, std::uint32_t reason) override;
};

// A pass over the thread's waiting messages, then Sleep.
class Win32UiWait : public UiWait {
 public:
  void PumpThenSleep(int milliseconds) override;
};

}  // namespace platform::win32
