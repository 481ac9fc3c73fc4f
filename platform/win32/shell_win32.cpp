// Handing files and commands to the shell on behalf of the main window, and
// where the system's own programs are; finding the shell's process by its taskbar.
#include "platform/win32/win32_system.h"

#include <shellapi.h>

#include "platform/win32/system_error_win32.h"

namespace platform::win32 {

namespace {
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }
}  // namespace

bool Win32Shell::Execute(const std::wstring& verb, const std::wstring& file,
                         const std::wstring& parameters) {
  // An empty verb means the file's default action.
  HINSTANCE result = ShellExecuteW(owner_, OrNull(verb), file.c_str(), OrNull(parameters),
                                   nullptr, SW_SHOWNORMAL);
  // Values up to 32 are error codes, anything above means the shell took it.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

ActionResult Win32Shell::Open(const std::wstring& file) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;  // the failure is shown in the program's own box
  info.hwnd = owner_;
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info)) return ActionResult::Done();
  if (GetLastError() == ERROR_CANCELLED) return ActionResult::Done();  // the user said no
  return ResultOfCall(FALSE);
}

bool Win32Shell::ExecuteConfirmed(const std::wstring& verb, const std::wstring& file) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // No asynchronous start that would die with this process; errors other than a
  // refused consent prompt are shown by the shell (no SEE_MASK_FLAG_NO_UI).
  info.fMask = SEE_MASK_NOASYNC;
  info.hwnd = owner_;  // the consent prompt belongs to the main window
  info.lpVerb = OrNull(verb);
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  // FALSE with ERROR_CANCELLED when the user said no to the prompt.
  return ShellExecuteExW(&info) != FALSE;
}

std::wstring Win32Shell::WindowsFolder() {
  // The shared folder: on a terminal server GetWindowsDirectoryW can name a
  // private one per user, which holds no explorer.exe.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder, length);
}

std::uint32_t Win32Shell::TaskbarProcessId() {
  // Found by class alone: with no title to match, FindWindowW sends the window
  // nothing, so a taskbar that does not answer cannot hold this thread.
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  DWORD pid = 0;
  if (taskbar != nullptr) GetWindowThreadProcessId(taskbar, &pid);
  return pid;
}

}  // namespace platform::win32
