// The monotonic clocks: GetTickCount64 and the unbiased interrupt time follow no
// wall-clock change; the unbiased one also stands still while the machine sleeps.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

Win32Clock::Win32Clock() {
  // kernel32.dll is mapped into every process, so no reference needs to be held.
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    unbiasedTime_ = reinterpret_cast<UnbiasedTimeFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "QueryUnbiasedInterruptTime")));
  }
}

std::int64_t Win32Clock::NowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

std::int64_t Win32Clock::UnbiasedTime() {
  ULONGLONG time = 0;
  if (unbiasedTime_ != nullptr && unbiasedTime_(&time)) return static_cast<std::int64_t>(time);
  return static_cast<std::int64_t>(GetTickCount64()) * 10'000;
}

int Win32Clock::LocalSecondsOfDay() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
}

std::int64_t Win32Clock::SystemTime() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                                   now.dwLowDateTime);
}

}  // namespace platform::win32
