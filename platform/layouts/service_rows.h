// The rows of the service enumeration as the 64-bit system writes them
// (ENUM_SERVICE_STATUS_PROCESSW): two string addresses, then the status. The
// strings lie in the same buffer, after the rows. Decoded here without trusting
// the count or the addresses; the fake system writes with the same offsets.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/service_api.h"

namespace platform::service_rows {

inline constexpr std::size_t kServiceName = 0;  // address of the name
inline constexpr std::size_t kDisplayName = 8;  // address of the display name
inline constexpr std::size_t kServiceType = 16;
inline constexpr std::size_t kCurrentState = 20;
inline constexpr std::size_t kControlsAccepted = 24;
inline constexpr std::size_t kWin32ExitCode = 28;
inline constexpr std::size_t kServiceSpecificExitCode = 32;
inline constexpr std::size_t kCheckPoint = 36;
inline constexpr std::size_t kWaitHint = 40;
inline constexpr std::size_t kProcessId = 44;
inline constexpr std::size_t kServiceFlags = 48;
inline constexpr std::size_t kRowSize = 56;

template <typename T>
T ReadAt(const std::byte* at, std::size_t offset) {
  T value;
  std::memcpy(&value, at + offset, sizeof value);
  return value;
}

// The string at `address` when it starts inside buffer[0, size) and ends there
// with its terminator; false, and `out` left as it was, when it does not.
inline bool ReadString(const std::byte* buffer, std::size_t size, std::uint64_t base,
                       std::uint64_t address, std::wstring& out) {
  if (address < base || address - base >= size) return false;
  const std::size_t start = static_cast<std::size_t>(address - base);
  std::size_t end = start;
  while (size - end >= 2 && ReadAt<std::uint16_t>(buffer, end) != 0) end += 2;
  if (size - end < 2) return false;
  out.resize((end - start) / 2);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<wchar_t>(ReadAt<std::uint16_t>(buffer, start + 2 * i));
  return true;
}

// Decodes the first `count` rows of buffer[0, size), whose addresses count from
// `base` (the buffer's own address for the system's answers), into out[used...],
// reusing the entries already there. A row whose name or display name does not
// lie whole inside the buffer, or that has no name, is dropped, and so are rows
// past what the buffer can hold. Returns the number of entries in use.
inline std::size_t DecodeServiceRows(const std::byte* buffer, std::size_t size, std::uint64_t base,
                                     std::uint32_t count, std::vector<ServiceEntry>& out,
                                     std::size_t used) {
  const std::size_t rows = std::min<std::size_t>(count, size / kRowSize);
  for (std::size_t r = 0; r < rows; ++r) {
    const std::byte* row = buffer + r * kRowSize;
    if (used == out.size()) out.emplace_back();
    ServiceEntry& entry = out[used];
    if (!ReadString(buffer, size, base, ReadAt<std::uint64_t>(row, kServiceName), entry.name) ||
        entry.name.empty() ||
        !ReadString(buffer, size, base, ReadAt<std::uint64_t>(row, kDisplayName),
                    entry.displayName))
      continue;
    ServiceStatus& status = entry.status;
    status.serviceType = ReadAt<std::uint32_t>(row, kServiceType);
    status.state = ReadAt<std::uint32_t>(row, kCurrentState);
    status.controlsAccepted = ReadAt<std::uint32_t>(row, kControlsAccepted);
    status.exitCode = ReadAt<std::uint32_t>(row, kWin32ExitCode);
    status.checkPoint = ReadAt<std::uint32_t>(row, kCheckPoint);
    status.waitHintMs = ReadAt<std::uint32_t>(row, kWaitHint);
    status.processId = ReadAt<std::uint32_t>(row, kProcessId);
    ++used;
  }
  return used;
}

}  // namespace platform::service_rows
