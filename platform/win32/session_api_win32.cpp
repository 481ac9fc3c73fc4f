// The terminal-session calls on the local server, from wtsapi32.dll in the
// system folder. Every buffer the system hands out goes back to WTSFreeMemory,
// whether or not the call succeeded.
#include "platform/win32/system_error_win32.h"
#include "platform/win32/system_library_win32.h"
#include "platform/win32/win32_system.h"

#include <cwchar>
#include <memory>

namespace platform::win32 {

namespace {

template <typename T>
using WtsBuffer = std::unique_ptr<T, decltype(&::WTSFreeMemory)>;

// A text of at most `bytes` bytes, ending at its first NUL; null gives empty.
void AssignBounded(std::wstring& out, const wchar_t* text, std::size_t bytes) {
  if (text == nullptr) {
    out.clear();
    return;
  }
  out.assign(text, wcsnlen(text, bytes / sizeof(wchar_t)));
}

}  // namespace

// The library is loaded when a session is first asked about (the 用户 page
// shown, a command on it), not at start: most runs never ask.
void Win32SessionApi::Bind() {
  if (bound_) return;
  bound_ = true;
  wtsapi_ = LoadSystemLibrary(L"wtsapi32.dll");
  const HMODULE library = wtsapi_.get();
  enumerateSessions_ = BindFunction<decltype(enumerateSessions_)>(library, "WTSEnumerateSessionsW");
  querySessionInformation_ =
      BindFunction<decltype(querySessionInformation_)>(library, "WTSQuerySessionInformationW");
  logoffSession_ = BindFunction<decltype(logoffSession_)>(library, "WTSLogoffSession");
  sendMessage_ = BindFunction<decltype(sendMessage_)>(library, "WTSSendMessageW");
  freeMemory_ = BindFunction<decltype(freeMemory_)>(library, "WTSFreeMemory");
  // A buffer that could not be given back would leak at every tick.
  if (freeMemory_ == nullptr) {
    enumerateSessions_ = nullptr;
    querySessionInformation_ = nullptr;
  }
}

bool Win32SessionApi::EnumerateSessions(std::vector<SessionEntry>& sessions) {
  Bind();
  WTS_SESSION_INFOW* raw = nullptr;
  DWORD count = 0;
  const BOOL ok = enumerateSessions_ != nullptr &&
                  enumerateSessions_(WTS_CURRENT_SERVER_HANDLE, 0, 1, &raw, &count);
  WtsBuffer<WTS_SESSION_INFOW> info(raw, freeMemory_);
  if (!ok) {
    sessions.clear();
    return false;
  }
  if (info == nullptr) count = 0;  // Wine answers "no sessions" without an array
  // Existing entries are reused, so a steady set of sessions allocates nothing.
  sessions.resize(count);
  for (DWORD i = 0; i < count; ++i) {
    const WTS_SESSION_INFOW& from = info.get()[i];
    sessions[i].sessionId = from.SessionId;
    sessions[i].state = static_cast<std::uint32_t>(from.State);
    if (from.pWinStationName != nullptr) {
      sessions[i].windowStation.assign(from.pWinStationName);
    } else {
      sessions[i].windowStation.clear();
    }
  }
  return true;
}

std::wstring Win32SessionApi::QueryUserName(std::uint32_t sessionId) {
  Bind();
  LPWSTR raw = nullptr;
  DWORD bytes = 0;
  const BOOL ok = querySessionInformation_ != nullptr &&
                  querySessionInformation_(WTS_CURRENT_SERVER_HANDLE, sessionId, WTSUserName,
                                           &raw, &bytes);
  WtsBuffer<wchar_t> buffer(raw, freeMemory_);
  std::wstring name;
  // A lone NUL (2 bytes) is a session without a user.
  if (ok && bytes > sizeof(wchar_t)) AssignBounded(name, buffer.get(), bytes);
  return name;
}

std::uint32_t Win32SessionApi::ActiveConsoleSessionId() {
  // Bound once; kernel32 stays loaded for the life of the process. Where the call
  // is missing, the console is session 0 as it was before the services had theirs.
  using ConsoleSessionFn = DWORD(WINAPI*)();
  static const auto consoleSession = BindFunction<ConsoleSessionFn>(
      GetModuleHandleW(L"kernel32.dll"), "WTSGetActiveConsoleSessionId");
  return consoleSession != nullptr ? consoleSession() : 0;
}

bool Win32SessionApi::LogoffSession(std::uint32_t sessionId) {
  Bind();
  return logoffSession_ != nullptr &&
         logoffSession_(WTS_CURRENT_SERVER_HANDLE, sessionId, FALSE) != FALSE;
}

bool Win32SessionApi::SendSessionMessage(std::uint32_t sessionId, const std::wstring& title,
                                         const std::wstring& text) {
  Bind();
  std::wstring titleCopy = title, textCopy = text;  // the call takes writable strings
  DWORD response = 0;
  return sendMessage_ != nullptr &&
         sendMessage_(WTS_CURRENT_SERVER_HANDLE, sessionId, titleCopy.data(),
                      static_cast<DWORD>(titleCopy.size() * sizeof(wchar_t)), textCopy.data(),
                      static_cast<DWORD>(textCopy.size() * sizeof(wchar_t)),
                      MB_OK | MB_ICONINFORMATION, 0, &response, FALSE) != FALSE;
}

ActionResult Win32SessionApi::LockWorkStation() { return ResultOfCall(::LockWorkStation()); }

}  // namespace platform::win32
