// The fake system's side that faces the user: a clock that moves only when told,
// message boxes answered from the script, the shell, the registered debugger,
// posted messages, the notification area, the waits of the UI thread and the
// token's elevation, each recorded instead of shown or started.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/debugger_api.h"
#include "platform/dialogs.h"
#include "platform/elevation_api.h"
#include "platform/message_poster.h"
#include "platform/notify_icon.h"
#include "platform/shell_api.h"
#include "platform/ui_wait.h"

namespace platform::fake {

struct FakeBox {
  std::wstring caption;
  std::wstring text;
  BoxIcon icon = BoxIcon::kNone;
  bool question = false;
};

struct FakeShellCall {
  std::wstring verb, file, parameters;
};

struct FakeTrayCall {
  enum Kind { kAdd, kModify, kRemove } kind;
  IconRef icon = nullptr;
  std::wstring tip;
};

class FakeUi : public Clock,
               public Dialogs,
               public ShellApi,
               public DebuggerApi,
               public MessagePoster,
               public NotifyIcon,
               public UiWait,
               public ElevationApi {
 public:
  // --- scripting ---
  std::int64_t nowMs = 100000;
  void Advance(std::int64_t ms) { nowMs += ms; }
  // Time the machine spent asleep: NowMs counts it, UnbiasedTime does not.
  std::int64_t asleepMs = 0;
  void Sleep(std::int64_t ms) {
    nowMs += ms;
    asleepMs += ms;
  }
  bool answerYes = true;
  bool boxesFail = false;  // no Yes/No box can be shown
  std::uint32_t taskbarProcessId = 0;
  bool shellAccepts = true;
  std::wstring shellRefusal = L"找不到应用程序";
  std::wstring debugger;  // empty: none registered
  bool notifyAreaRefuses = false;
  bool taskbarHung = false;  // the taskbar does not answer
  // Runs inside PumpThenSleep, to look at the program while it waits.
  std::function<void()> onWait;
  bool tokenElevated = true;  // as under Wine: nothing to offer
  std::wstring programPath = L"C:\\Program Files\\Zentrik\\zentrik.exe";
  bool consentGiven = true;   // false: the user says no to the consent prompt
  std::wstring windowsFolder = L"C:\\Windows";

  // --- record ---
  std::vector<FakeBox> boxes;
  std::vector<FakeShellCall> shellCalls;
  std::vector<FakeShellCall> startedCommands;  // the debugger's program and parameters
  std::vector<std::uint32_t> posted;
  std::vector<FakeTrayCall> trayCalls;
  std::vector<int> waits;

  // --- Clock ---
  std::int64_t NowMs() override { return nowMs; }
  std::int64_t UnbiasedTime() override { return (nowMs - asleepMs) * 10'000; }
  // The wall clock reads NowMs from midnight on.
  int LocalSecondsOfDay() override { return static_cast<int>(nowMs / 1000 % 86400); }
  // A second past NowMs: a fake process started now is stamped with its
  // identifier added to NowMs.
  std::int64_t SystemTime() override { return (nowMs + 1000) * 10'000; }
  // --- Dialogs ---
  BoxAnswer AskYesNo(const std::wstring& caption, const std::wstring& text, BoxIcon icon) override;
  void ShowMessage(const std::wstring& caption, const std::wstring& text, BoxIcon icon) override;
  // --- ShellApi ---
  bool Execute(const std::wstring& verb, const std::wstring& file,
               const std::wstring& parameters) override;
  // Recorded in shellCalls with the verb "open"; refused with shellRefusal.
  ActionResult Open(const std::wstring& file) override;
  // Recorded in shellCalls, with no parameters.
  bool ExecuteConfirmed(const std::wstring& verb, const std::wstring& file) override;
  std::wstring WindowsFolder() override { return windowsFolder; }
  std::uint32_t TaskbarProcessId() override { return taskbarProcessId; }
  // --- DebuggerApi ---
  std::optional<std::wstring> RegisteredDebugger() override;
  bool StartCommand(const std::wstring& program, const std::wstring& parameters) override;
  // --- MessagePoster ---
  void Post(std::uint32_t message) override { posted.push_back(message); }
  // --- NotifyIcon ---
  bool AddIcon(IconRef icon, const std::wstring& tip) override;
  bool ModifyIcon(IconRef icon, const std::wstring& tip) override;
  bool RemoveIcon() override;
  bool ShellAnswers() override { return !taskbarHung; }
  // --- UiWait ---
  void PumpThenSleep(int milliseconds) override;
  // --- ElevationApi ---
  bool TokenElevated() override { return tokenElevated; }
  std::wstring ProgramPath() override { return programPath; }
};

}  // namespace platform::fake
