// The system's performance data (the registry's performance branch), read as one
// raw block; the sampler walks the block itself.
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
};

}  // namespace platform
