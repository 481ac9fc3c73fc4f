// The command that starts the registered debugger on a process.
#pragma once
#include <cstdint>
#include <string>

namespace procs {

// The registered command with its first number placeholder (%ld, %d, %lu, %u)
// replaced by the process identifier and any later one (the crash event) by 0.
// A command without a placeholder gets the identifier appended.
std::wstring DebuggerCommandFor(const std::wstring& registered, std::uint32_t pid);

}  // namespace procs
