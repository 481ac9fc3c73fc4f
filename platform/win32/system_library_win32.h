// DLLs outside the system's known set are loaded from the system folder only,
// never from beside the program or the current folder, and their functions are
// bound by name, so that the program imports nothing a planted file could stand in for.
#pragma once
#include <windows.h>

#include "platform/win32/owned_handles_win32.h"

namespace platform::win32 {

// From here on the process looks for the DLLs it loads by name, and for theirs,
// in the system folder only. Called first thing at start; does nothing on a
// system without the call (Windows 7 without update KB2533623).
void RestrictDllSearchToSystemFolder();

// `name`, and the DLLs it needs, from the system folder only; null when it is missing.
UniqueLibrary LoadSystemLibrary(const wchar_t* name);

// The function `name` exports from `library`, as an Fn; null when either is missing.
template <typename Fn>
Fn BindFunction(HMODULE library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace platform::win32
