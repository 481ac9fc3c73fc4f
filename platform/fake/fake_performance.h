// The fake system's counters: the native query's fixed answers (memory pages,
// processor count, idle time, per-processor times), the performance-data blocks
// with their title list, the memory status and the system cache, each able to
// fail, with a record of what was asked.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/memory_status.h"
#include "platform/native_api.h"
#include "platform/performance_data.h"

namespace platform::fake {

// Times of one processor as the native per-processor query reports them.
struct FakeProcessorTimes {
  std::int64_t idle = 0;    // 100 ns units
  std::int64_t kernel = 0;  // includes the idle time
  std::int64_t user = 0;
};

class FakePerformance : public PerformanceData, public MemoryStatusApi {
 public:
  // --- the native query's fixed answers ---
  std::uint32_t pageSize = 4096;
  std::uint32_t physicalPages = 262144;
  std::uint32_t availablePages = 131072;
  std::uint32_t committedPages = 65536;
  std::uint32_t commitLimit = 393216;
  std::uint32_t peakCommitment = 70000;
  std::uint32_t pagedPoolPages = 1000;
  std::uint32_t nonPagedPoolPages = 500;
  std::uint8_t processorCount = 2;
  bool failBasic = false, failPerformance = false;

  // CPU times: the idle time summed over all processors (performance class),
  // and per-processor times (empty: that query fails).
  std::int64_t idleTime = 0;
  std::vector<FakeProcessorTimes> processorTimes;

  // One bit per processor of processorCount.
  std::uint64_t ProcessorMask() const;
  // Every class but the process list and the image name by identifier.
  NtStatus AnswerCounterQuery(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                              std::uint32_t* returnLength) const;

  // --- performance data, processor groups and performance titles ---
  // The performance-data answer; empty: a valid header without objects.
  std::vector<std::byte> performanceData;
  std::uint32_t performanceDataStatus = kRegistrySuccess;
  // Answers for the listed queries (object indices as text); others get
  // performanceData.
  std::unordered_map<std::wstring, std::vector<std::byte>> performanceDataOf;
  // Processors over all groups; 0: GetActiveProcessorCount is missing.
  int activeProcessorCount = 0;
  // The English title list; empty: it cannot be read.
  std::vector<std::byte> counterNames;

  MemoryStatus memoryStatus{1ull << 30, 1ull << 29, 2ull << 30, 1ull << 30};
  bool failMemoryStatus = false;
  // The performance information's system cache, in pages of pageSize; empty:
  // the call fails.
  std::optional<std::uint64_t> systemCachePages = 50000;
  int systemCacheQueries = 0;

  // --- record ---
  int performanceDataQueries = 0;
  std::vector<std::wstring> performanceQueries;  // every query, in order

  // --- PerformanceData ---
  std::uint32_t Query(const std::wstring& objectIndex, void* buffer,
                      std::uint32_t& size) override;
  std::uint32_t QueryCounterNames(void* buffer, std::uint32_t& size) override;
  int ActiveProcessorCount() override { return activeProcessorCount; }
  // --- MemoryStatusApi ---
  bool QueryMemoryStatus(MemoryStatus& status) override;
  bool QuerySystemCache(std::uint64_t& bytes) override;
};

}  // namespace platform::fake
