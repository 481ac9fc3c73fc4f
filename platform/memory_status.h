// The memory figures of the whole system in bytes, as 64-bit numbers (the old
// 32-bit call stops at 4 GB), and the size of the system cache.
#pragma once
#include <cstdint>

namespace platform {

struct MemoryStatus {
  std::uint64_t totalPhys = 0;
  std::uint64_t availPhys = 0;
  std::uint64_t totalPageFile = 0;  // the commit limit
  std::uint64_t availPageFile = 0;
};

class MemoryStatusApi {
 public:
  virtual ~MemoryStatusApi() = default;
  // False when the system gives no figures.
  virtual bool QueryMemoryStatus(MemoryStatus& status) = 0;
  // The system cache in bytes: the standby list and the system working set, as
  // the performance information counts them. False when the system gives no
  // figure.
  virtual bool QuerySystemCache(std::uint64_t& bytes) = 0;
};

}  // namespace platform
