// The program a startup command runs, read the way the system reads a command
// line: a quoted path, or an unquoted one cut at the first blank unless a longer
// prefix ending in ".exe" makes it a path with blanks ("C:\Program Files\a.exe").
// rundll32 runs a DLL: the DLL named before the comma is the program.
#pragma once
#include <string>

namespace startup {

// The program's full path (a drive path or a UNC path); empty when the command
// names none, or only a bare name that the system would look for.
std::wstring ProgramPathOf(const std::wstring& command);

}  // namespace startup
