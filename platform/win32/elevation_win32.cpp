// Whether the process token is elevated, and where the program's executable is.
#include "platform/win32/elevation_win32.h"

#include <windows.h>

#include "platform/win32/handle_win32.h"

namespace platform::win32 {

bool Win32Elevation::TokenElevated() {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return true;
  UniqueHandle token(rawToken);
  TOKEN_ELEVATION elevation{};
  DWORD length = 0;
  // A token that cannot be asked offers nothing: the program goes on as it is.
  if (!GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof(elevation), &length))
    return true;
  return elevation.TokenIsElevated != 0;
}

std::wstring Win32Elevation::ProgramPath() {
  // The path may be longer than MAX_PATH; a full buffer means it was cut.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace platform::win32
