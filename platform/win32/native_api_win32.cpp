// NtQuerySystemInformation taken by name from the ntdll.dll every process already
// has loaded; the call itself is passed through untouched.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

Win32NativeApi::Win32NativeApi() {
  // ntdll.dll is mapped into every process, so no reference needs to be held.
  if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
    query_ = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
  }
}

NtStatus Win32NativeApi::QuerySystemInformation(std::uint32_t infoClass, void* buffer,
                                                std::uint32_t length,
                                                std::uint32_t* returnLength) {
  if (query_ == nullptr) return kStatusNotImplemented;
  ULONG written = 0;
  const LONG status = query_(infoClass, buffer, length, &written);
  if (returnLength != nullptr) *returnLength = written;
  return static_cast<NtStatus>(status);
}

}  // namespace platform::win32
