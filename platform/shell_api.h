// Handing a file or command to the system shell (Explorer, Create New Task, and
// starting the program again as administrator), and which process the shell is.
#pragma once
#include <cstdint>
#include <string>

#include "platform/action_result.h"

namespace platform {

class ShellApi {
 public:
  virtual ~ShellApi() = default;
  // True when the shell accepted the request.
  virtual bool Execute(const std::wstring& verb, const std::wstring& file,
                       const std::wstring& parameters) = 0;
  // Opens a document with its default action; refused with the system's words
  // when the shell could not (a refused consent prompt is no refusal).
  virtual ActionResult Open(const std::wstring& file) = 0;
  // Returns only once the start is complete, so that the program may end right
  // after it. False when nothing started, also when the user refused the consent
  // prompt of "runas"; any other failure the shell has shown to the user itself.
  virtual bool ExecuteConfirmed(const std::wstring& verb, const std::wstring& file) = 0;
  // The system's Windows folder ("C:\Windows"), where its own programs are
  // started from by full path; empty when the system does not say.
  virtual std::wstring WindowsFolder() = 0;
  // The process that owns the taskbar; 0 when there is none. Asks nothing of it.
  virtual std::uint32_t TaskbarProcessId() = 0;
};

}  // namespace platform
