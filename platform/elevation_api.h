// The program's standing under User Account Control: whether its token is
// elevated, and which executable would be started again to get one that is.
#pragma once
#include <string>

namespace platform {

class ElevationApi {
 public:
  virtual ~ElevationApi() = default;
  // False only when the token is known not to be elevated: a standard user, or an
  // administrator whose rights the system holds back until asked.
  virtual bool TokenElevated() = 0;
  // The full path of the program's own executable; empty when it cannot be learned.
  virtual std::wstring ProgramPath() = 0;
};

}  // namespace platform
