// The registered debugger: read from the AeDebug key, started through the shell.
#include "platform/win32/win32_system.h"

#include <objbase.h>
#include <shellapi.h>

#include <vector>

namespace platform::win32 {

namespace {
constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
}  // namespace

std::optional<std::wstring> Win32Debugger::RegisteredDebugger() {
  // The value may change between the two calls; a few rounds are plenty.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kAeDebugKey, L"Debugger", RRF_RT_REG_SZ, nullptr,
                     nullptr, &bytes) != ERROR_SUCCESS ||
        bytes == 0 || bytes > 65536) {
      return std::nullopt;
    }
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = RegGetValueW(HKEY_LOCAL_MACHINE, kAeDebugKey, L"Debugger",
                                        RRF_RT_REG_SZ, nullptr, text.data(), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    std::wstring command(text.data());
    if (command.empty()) return std::nullopt;
    return command;
  }
  return std::nullopt;
}

bool Win32Debugger::StartCommand(const std::wstring& program, const std::wstring& parameters) {
  // The shell may hand the start to COM objects; CreateProcessW could not ask
  // for the elevation a debugger's manifest may demand.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // No error box of the shell's own: the command reports failure to its caller.
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner_;
  info.lpFile = program.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  const bool started = ShellExecuteExW(&info) != FALSE;
  if (SUCCEEDED(com)) CoUninitialize();
  return started;
}

}  // namespace platform::win32
