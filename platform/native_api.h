// The native system-information query, the one door through which the collectors
// read process lists, memory counters and processor times. Buffers keep the
// layout the 64-bit system writes (the classes and layouts are in
// layouts/system_information.h); the collectors decode them themselves.
#pragma once
#include <cstdint>

namespace platform {

using NtStatus = std::uint32_t;
inline constexpr NtStatus kStatusSuccess = 0;
inline constexpr NtStatus kStatusInfoLengthMismatch = 0xC0000004;
inline constexpr NtStatus kStatusNotImplemented = 0xC0000002;

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
