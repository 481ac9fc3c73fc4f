// The debugger the system has registered for programs (the AeDebug "Debugger"
// value), and starting it on a process.
#pragma once
#include <optional>
#include <string>

namespace platform {

class DebuggerApi {
 public:
  virtual ~DebuggerApi() = default;
  // The registered command line, with its placeholders; empty when none is registered.
  virtual std::optional<std::wstring> RegisteredDebugger() = 0;
  // Starts a program with its parameters through the shell, so that one that
  // needs elevation can ask for it; true when it started.
  virtual bool StartCommand(const std::wstring& program, const std::wstring& parameters) = 0;
};

}  // namespace platform
