// The native system-information query, the one door through which the collectors
// read process lists, memory counters and processor times. Buffers keep the
// layout the 64-bit system writes; the collectors decode them themselves.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

using NtStatus = std::uint32_t;
inline constexpr NtStatus kStatusSuccess = 0;
inline constexpr NtStatus kStatusInfoLengthMismatch = 0xC0000004;
inline constexpr NtStatus kStatusNotImplemented = 0xC0000002;

enum SystemInfoClass : std::uint32_t {
  kSystemBasicInformation = 0,
  kSystemPerformanceInformation = 2,
  kSystemProcessInformation = 5,
  kSystemProcessorPerformanceInformation = 8,
  kSystemFileCacheInformation = 21,
  kSystemProcessIdInformation = 88,
};

// The record of the image-name-by-identifier query (SYSTEM_PROCESS_ID_INFORMATION,
// 64-bit): the identifier as a HANDLE, then a UNICODE_STRING whose buffer the
// caller supplies with its MaximumLength. The call fills Length (bytes, without
// a terminator); when the buffer is too small it answers a length mismatch with
// the bytes needed in MaximumLength. No process handle is needed.
namespace process_id_layout {
inline constexpr std::size_t kProcessId = 0;
inline constexpr std::size_t kNameLength = 8;
inline constexpr std::size_t kNameMaximumLength = 10;
inline constexpr std::size_t kNameBuffer = 16;  // address of the caller's buffer
inline constexpr std::size_t kSize = 24;
}  // namespace process_id_layout

class NativeApi {
 public:
  virtual ~NativeApi() = default;
  // Fills at most `length` bytes of `buffer`; `returnLength` (may be null) gets
  // the bytes written, or the bytes needed when the answer is a length mismatch.
  virtual NtStatus QuerySystemInformation(std::uint32_t infoClass, void* buffer,
                                          std::uint32_t length,
                                          std::uint32_t* returnLength) = 0;
};

}  // namespace platform
