// The fake counters' answers: the native query's fixed records written in the
// system's layouts, and the performance-data blocks (a bare header when none is
// scripted).
#include "platform/fake/fake_performance.h"

#include <algorithm>
#include <cstring>

#include "platform/fake/fake_bytes.h"
#include "platform/layouts/performance_data_block.h"
#include "platform/layouts/system_information.h"

namespace platform::fake {

std::uint64_t FakePerformance::ProcessorMask() const {
  return processorCount >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << processorCount) - 1;
}

NtStatus FakePerformance::AnswerCounterQuery(std::uint32_t infoClass, void* buffer,
                                             std::uint32_t length,
                                             std::uint32_t* returnLength) const {
  using namespace system_info_layout;
  auto* out = static_cast<std::byte*>(buffer);
  std::size_t size = 0;
  if (infoClass == kSystemProcessorPerformanceInformation) {
    const std::size_t count = std::min<std::size_t>(length / kProcessorTimesSize, processorTimes.size());
    if (count == 0) return processorTimes.empty() ? kStatusNotImplemented : kStatusInfoLengthMismatch;
    std::memset(out, 0, count * kProcessorTimesSize);
    for (std::size_t i = 0; i < count; ++i) {
      std::byte* entry = out + i * kProcessorTimesSize;
      Put(entry, kProcessorIdleTime, processorTimes[i].idle);
      Put(entry, kProcessorKernelTime, processorTimes[i].kernel);
      Put(entry, kProcessorUserTime, processorTimes[i].user);
    }
    if (returnLength) *returnLength = static_cast<std::uint32_t>(count * kProcessorTimesSize);
    return kStatusSuccess;
  }
  switch (infoClass) {
    case kSystemBasicInformation:
      if (failBasic) return kStatusNotImplemented;
      size = kBasicSize;
      break;
    case kSystemPerformanceInformation:
      if (failPerformance) return kStatusNotImplemented;
      size = kPerformanceSize;
      break;
    default:
      return kStatusNotImplemented;
  }
  if (returnLength) *returnLength = static_cast<std::uint32_t>(size);
  if (length < size) return kStatusInfoLengthMismatch;
  std::memset(out, 0, size);
  if (infoClass == kSystemBasicInformation) {
    Put(out, kBasicPageSize, pageSize);
    Put(out, kBasicPhysicalPages, physicalPages);
    Put(out, kBasicProcessorCount, processorCount);
  } else if (infoClass == kSystemPerformanceInformation) {
    Put(out, kPerfIdleTime, idleTime);
    Put(out, kPerfAvailablePages, availablePages);
    Put(out, kPerfCommittedPages, committedPages);
    Put(out, kPerfCommitLimit, commitLimit);
    Put(out, kPerfPeakCommitment, peakCommitment);
    Put(out, kPerfPagedPoolPages, pagedPoolPages);
    Put(out, kPerfNonPagedPoolPages, nonPagedPoolPages);
  }
  return kStatusSuccess;
}

std::uint32_t FakePerformance::Query(const std::wstring& objectIndex, void* buffer,
                                     std::uint32_t& size) {
  ++performanceDataQueries;
  performanceQueries.push_back(objectIndex);
  if (performanceDataStatus != kRegistrySuccess) return performanceDataStatus;
  std::vector<std::byte> empty;
  const auto listed = performanceDataOf.find(objectIndex);
  const std::vector<std::byte>* answer =
      listed != performanceDataOf.end() ? &listed->second : &performanceData;
  if (answer->empty()) {
    // What a system without the object answers: a header and nothing else.
    using namespace perf_data_layout;
    empty.assign(kBlockSize, std::byte{0});
    const wchar_t signature[] = {L'P', L'E', L'R', L'F'};
    for (int i = 0; i < 4; ++i) {
      Put<std::uint16_t>(empty.data(), kBlockSignature + 2 * i,
                         static_cast<std::uint16_t>(signature[i]));
    }
    Put<std::uint32_t>(empty.data(), kBlockTotalByteLength, kBlockSize);
    Put<std::uint32_t>(empty.data(), kBlockHeaderLength, kBlockSize);
    const std::uint16_t time[8] = {2024, 1, 1, 1, 0, 0, 0, 0};
    std::memcpy(empty.data() + kBlockSystemTime, time, sizeof time);
    answer = &empty;
  }
  if (answer->size() > size) return kRegistryMoreData;
  std::memcpy(buffer, answer->data(), answer->size());
  size = static_cast<std::uint32_t>(answer->size());
  return kRegistrySuccess;
}

std::uint32_t FakePerformance::QueryCounterNames(void* buffer, std::uint32_t& size) {
  if (counterNames.empty()) return 2;  // ERROR_FILE_NOT_FOUND
  if (counterNames.size() > size) {
    size = static_cast<std::uint32_t>(counterNames.size());
    return kRegistryMoreData;
  }
  std::memcpy(buffer, counterNames.data(), counterNames.size());
  size = static_cast<std::uint32_t>(counterNames.size());
  return kRegistrySuccess;
}

bool FakePerformance::QueryMemoryStatus(MemoryStatus& status) {
  if (failMemoryStatus) return false;
  status = memoryStatus;
  return true;
}

bool FakePerformance::QuerySystemCache(std::uint64_t& bytes) {
  ++systemCacheQueries;
  if (!systemCachePages) return false;
  bytes = *systemCachePages * pageSize;
  return true;
}

}  // namespace platform::fake
