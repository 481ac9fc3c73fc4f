// The program's own token and executable, for the restart as administrator.
#pragma once
#include "platform/elevation_api.h"

namespace platform::win32 {

// GetTokenInformation(TokenElevation) on the process token; GetModuleFileNameW.
class Win32Elevation : public ElevationApi {
 public:
  bool TokenElevated() override;
  std::wstring ProgramPath() override;
};

}  // namespace platform::win32
