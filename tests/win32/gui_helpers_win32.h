// Helpers of the Windows-side tests that drive real windows: handling waiting
// messages, waiting for a condition while handling them, real mouse input,
// reading texts back, a child program that is ended whatever happens, an action
// run from inside a modal loop, and whether the program's token has a privilege
// enabled.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/handle_win32.h"

namespace testing_win32 {

// Handles what is waiting, without blocking; a quit request is swallowed.
inline void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Pumps until `done` holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

inline std::wstring ListText(HWND list, int item, int column) {
  wchar_t text[260] = {};
  ListView_GetItemText(list, item, column, text, 260);
  return text;
}

// Real mouse input: the pointer moved to a screen point, with the button
// flags given (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP), and what it caused handled.
inline void MouseAt(POINT screen, DWORD buttons = 0) {
  // Under Wine the X pointer goes there too, or the display's next event would
  // bring the cursor back to where the X pointer stayed.
  SetCursorPos(screen.x, screen.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &input, sizeof(input));
  PumpUntil([] { return false; }, 100);
}

// The width of an icon's pictures; 0 when it is no icon.
inline int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  return bitmap.bmWidth;
}

// A program from the system folder, by default with its window shown (not
// activated); ended when it goes, if it still runs.
class ChildProgram {
 public:
  explicit ChildProgram(const wchar_t* program, int show = SW_SHOWNOACTIVATE) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + system + L"\\" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
      process_.Reset(info.hProcess);
      platform::win32::UniqueHandle thread(info.hThread);
      pid_ = info.dwProcessId;
      WaitForInputIdle(info.hProcess, 5000);
    }
  }
  ~ChildProgram() { End(); }
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  void End() {
    if (Running()) {
      TerminateProcess(process_.Get(), 1);
      WaitForSingleObject(process_.Get(), 5000);
    }
  }
  bool Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
  }
  // Waits for the program to end by itself, handling this thread's messages meanwhile.
  bool WaitForExit(int timeoutMs) const {
    return PumpUntil([this] { return !Running(); }, timeoutMs);
  }
  DWORD Pid() const { return pid_; }

 private:
  platform::win32::UniqueHandle process_;
  DWORD pid_ = 0;
};

// Runs `action` once, `delayMs` from now, from whichever message loop runs then
// (a modal dialog's, typically).
inline void RunSoon(std::function<void()> action, int delayMs = 100) {
  static std::function<void()> pending;
  pending = std::move(action);
  SetTimer(nullptr, 0, static_cast<UINT>(delayMs), [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto run = std::move(pending);
    pending = nullptr;
    if (run) run();
  });
}

// Whether the program's token has `name` enabled now.
inline bool PrivilegeEnabled(const wchar_t* name) {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
  const platform::win32::UniqueHandle token(raw);
  LUID luid{};
  if (!LookupPrivilegeValueW(nullptr, name, &luid)) return false;
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenPrivileges, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  if (size == 0 || !GetTokenInformation(token.Get(), TokenPrivileges, buffer.data(), size, &size))
    return false;
  const auto& held = *reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  for (DWORD i = 0; i < held.PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& p = held.Privileges[i];
    if (p.Luid.LowPart == luid.LowPart && p.Luid.HighPart == luid.HighPart)
      return (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
  }
  return false;
}

}  // namespace testing_win32
