// The walk of a performance-data block down to the raw "% of CPU usage" counter
// of every instance of the "Processor" object. The walk never leaves the bytes
// it was given: a block that is truncated or does not add up counts as one
// without the object.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace perf {

// Byte offsets of the records in a performance-data block (the same for 32-bit
// and 64-bit programs).
namespace perf_layout {
inline constexpr std::size_t kBlockHeaderLength = 24;
inline constexpr std::size_t kBlockNumObjectTypes = 28;
inline constexpr std::size_t kBlockSystemTime = 36;  // SYSTEMTIME, 8 words
inline constexpr std::size_t kBlockMinimumSize = kBlockSystemTime + 16;

inline constexpr std::size_t kObjectTotalByteLength = 0;
inline constexpr std::size_t kObjectDefinitionLength = 4;
inline constexpr std::size_t kObjectHeaderLength = 8;
inline constexpr std::size_t kObjectNameTitleIndex = 12;
inline constexpr std::size_t kObjectNumCounters = 32;
inline constexpr std::size_t kObjectNumInstances = 40;
inline constexpr std::size_t kObjectSize = 64;

inline constexpr std::size_t kCounterByteLength = 0;
inline constexpr std::size_t kCounterNameTitleIndex = 4;
inline constexpr std::size_t kCounterOffset = 36;
inline constexpr std::size_t kCounterSize = 40;

inline constexpr std::size_t kInstanceByteLength = 0;
inline constexpr std::size_t kInstanceSize = 24;
inline constexpr std::size_t kCounterBlockByteLength = 0;

inline constexpr std::uint32_t kProcessorObject = 238;
inline constexpr std::uint32_t kProcessorTimeCounter = 6;
}  // namespace perf_layout

enum class PerfDataResult { kFound, kMissingObject, kMissingCounter };

struct ProcessorCounters {
  std::int64_t stamp = 0;  // the block's system time, 100 ns units since 1601
  int instanceCount = 0;   // instances the object reports
  // Raw counter of each instance, in instance order (processors, then the total);
  // grows with the instance's idle time in 100 ns units.
  std::vector<std::uint64_t> values;
};

// Reads the counters of the first `wanted` instances, or of all of them when
// `wanted` is negative. `out.values` keeps its capacity between calls.
PerfDataResult WalkProcessorCounters(const std::byte* block, std::size_t size, int wanted,
                                     ProcessorCounters& out);

// A SYSTEMTIME's words (year, month, weekday, day, hour, minute, second, ms) as
// 100 ns units since 1601-01-01; false for a date that does not exist.
bool SystemTimeToStamp(const std::uint16_t (&words)[8], std::int64_t& stamp);

}  // namespace perf
