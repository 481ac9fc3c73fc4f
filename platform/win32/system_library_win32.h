// Loading a DLL that only some features need, when they are first used.
#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/owned_handles_win32.h"

namespace platform::win32 {

// `name` from the system folder only, never from beside the program or the
// current folder; null when it is missing.
inline UniqueLibrary LoadSystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return UniqueLibrary(LoadLibraryW(path.c_str()));
}

}  // namespace platform::win32
