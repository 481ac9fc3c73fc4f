// Feeds arbitrary bytes to the performance-data walk as if the registry had
// returned them: it must never read outside them, whatever the lengths, counts
// and offsets inside say, and a block it accepts must hold what it reported.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "perf/performance_data_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that the sanitizer catches a read one byte past it.
  std::vector<std::byte> block(size);
  if (size > 0) std::memcpy(block.data(), data, size);
  perf::ProcessorCounters counters;
  for (int wanted : {-1, 1, 3}) {
    const perf::PerfDataResult result =
        perf::WalkProcessorCounters(block.data(), block.size(), wanted, counters);
    if (result != perf::PerfDataResult::kFound) continue;
    const std::size_t expected = wanted < 0 ? static_cast<std::size_t>(counters.instanceCount)
                                            : static_cast<std::size_t>(wanted);
    if (counters.values.size() != expected || counters.instanceCount < 1) std::abort();
  }
  return 0;
}
