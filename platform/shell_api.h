// Handing a file or command to the system shell (Explorer, Create New Task).
#pragma once
#include <string>

namespace platform {

class ShellApi {
 public:
  virtual ~ShellApi() = default;
  // True when the shell accepted the request.
  virtual bool Execute(const std::wstring& verb, const std::wstring& file,
                       const std::wstring& parameters) = 0;
};

}  // namespace platform
