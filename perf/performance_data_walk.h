// The walk of a performance-data block down to the raw "% of CPU usage" counter
// of every processor instance: of the "Processor" object, in instance order, or
// of the "Processor Information" object, whose instances are named "group,cpu"
// and which alone holds every processor of a machine with more than 64. The walk
// never leaves the bytes it was given: a block that is truncated or does not add
// up counts as one without the object.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/layouts/performance_data_block.h"

namespace perf {

enum class PerfDataResult { kFound, kMissingObject, kMissingCounter };

// Which object the walk looks for, and how its instances are ordered.
struct ProcessorObject {
  std::vector<std::uint32_t> titles = {platform::perf_data_layout::kProcessorObject};
  // Title indices the processor-time counter may carry (the first that is found).
  std::vector<std::uint32_t> timeCounters = {platform::perf_data_layout::kProcessorTimeCounter};
  // Instances named "group,cpu", with a total per group ("group,_Total") and one
  // over all ("_Total"): the processors are taken in (group, cpu) order, the
  // group totals are skipped and "_Total" comes last. Otherwise the instances
  // are taken in their own order, the total being the last.
  bool namedByGroup = false;
};

struct ProcessorCounters {
  std::int64_t stamp = 0;  // the block's system time (PerfTime100nSec), 100 ns units since 1601
  int instanceCount = 0;   // processor instances the object reports, the total included
  // Raw counter of each instance, processors first, then the total; grows with
  // the instance's idle time in 100 ns units.
  std::vector<std::uint64_t> values;

  // Processors of an object named by group, before they are put in order.
  struct GroupedValue {
    std::uint32_t group = 0, cpu = 0;
    std::uint64_t value = 0;
  };
  std::vector<GroupedValue> grouped;
};

// Reads the counters of the first `wanted` instances (processors in order, the
// total last), or of all of them when `wanted` is negative. `out`'s vectors keep
// their capacity between calls.
PerfDataResult WalkProcessorCounters(const std::byte* block, std::size_t size, int wanted,
                                     ProcessorCounters& out,
                                     const ProcessorObject& object = ProcessorObject{});

// A SYSTEMTIME's words (year, month, weekday, day, hour, minute, second, ms) as
// 100 ns units since 1601-01-01; false for a date that does not exist.
bool SystemTimeToStamp(const std::uint16_t (&words)[8], std::int64_t& stamp);

}  // namespace perf
