// The registered debugger: read from the AeDebug key, started as a command line.
#include "platform/win32/win32_system.h"

#include <vector>

#include "platform/win32/handle_win32.h"

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

bool Win32Debugger::StartCommand(const std::wstring& commandLine) {
  std::wstring writable = commandLine;  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  return true;
}

}  // namespace platform::win32
