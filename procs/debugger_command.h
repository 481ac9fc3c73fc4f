// The command that starts the registered debugger on a process.
#pragma once
#include <cstdint>
#include <string>

namespace procs {

// The registered command with its first number placeholder (%ld, %d, %lu, %u)
// replaced by the process identifier, and every later one (the crash event) and
// every %p (the address of the crash's debug information) by 0: a running
// process has neither. A command without a placeholder gets the identifier appended.
std::wstring DebuggerCommandFor(const std::wstring& registered, std::uint32_t pid);

// A command line cut into the program and its parameters, as the shell wants them.
struct CommandParts {
  std::wstring program;
  std::wstring parameters;
};

// The program is the quoted first part; unquoted, the text up to the first blank,
// except that a path ("C:\Program Files\…") goes on to its first ".exe".
CommandParts SplitCommandLine(const std::wstring& commandLine);

}  // namespace procs
