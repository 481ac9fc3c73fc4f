// A process's command line: the query of Windows 8.1 and later, or else read
// from the process's parameters in its memory.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace platform::win32 {

// `process` needs the limited query right; the fallback opens the process again
// with the rights to read its memory. Empty when neither way works.
std::optional<std::wstring> ProcessCommandLine(HANDLE process);

}  // namespace platform::win32
