// The monotonic millisecond clock: GetTickCount64 does not follow wall-clock changes.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

std::int64_t Win32Clock::NowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

}  // namespace platform::win32
