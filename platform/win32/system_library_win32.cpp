// The one way this program loads a DLL that is not always mapped.
#include "platform/win32/system_library_win32.h"

#include <string>

namespace platform::win32 {

namespace {

HMODULE Kernel32() { return GetModuleHandleW(L"kernel32.dll"); }

// The LOAD_LIBRARY_SEARCH_ flags came with Windows 8, and with update KB2533623
// for Windows 7, together with AddDllDirectory: where that is exported they work.
bool SearchFlagsSupported() {
  static const bool supported = BindFunction<FARPROC>(Kernel32(), "AddDllDirectory") != nullptr;
  return supported;
}

}  // namespace

void RestrictDllSearchToSystemFolder() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault =
      BindFunction<SetDefaultDllDirectoriesFn>(Kernel32(), "SetDefaultDllDirectories");
  if (setDefault != nullptr) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

UniqueLibrary LoadSystemLibrary(const wchar_t* name) {
  if (SearchFlagsSupported())
    return UniqueLibrary(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  // Elsewhere by its full path, its own imports looked for beside it first.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return UniqueLibrary(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace platform::win32
