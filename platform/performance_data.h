// The system's performance data (the registry's performance branch), read as one
// raw block; the sampler walks the block itself. Also the English names of the
// objects and counters, and how many processors the system has in all.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

inline constexpr std::uint32_t kRegistrySuccess = 0;
inline constexpr std::uint32_t kRegistryMoreData = 234;  // the buffer is too small

class PerformanceData {
 public:
  virtual ~PerformanceData() = default;
  // Reads the data of the object with this title index (as decimal text) into
  // `buffer`; `size` holds the buffer's size on entry and the bytes written on
  // success. Returns the registry's result code.
  virtual std::uint32_t Query(const std::wstring& objectIndex, void* buffer,
                              std::uint32_t& size) = 0;
  // Reads the English title list: UTF-16 strings in pairs, index then name,
  // ending with an empty string. `size` as for Query; on kRegistryMoreData it
  // may hold the size needed.
  virtual std::uint32_t QueryCounterNames(void* buffer, std::uint32_t& size) = 0;
  // Logical processors over all processor groups; 0 when the system cannot tell
  // (the call is missing before Windows 7).
  virtual int ActiveProcessorCount() = 0;
};

}  // namespace platform
