// Feeds arbitrary bytes to the performance-data walk as if the registry had
// returned them, both as the "Processor" object and as "Processor Information"
// (instances named by group): it must never read outside them, whatever the
// lengths, counts, offsets and names inside say, and a block it accepts must
// hold what it reported. The same bytes also go to the title-list look-up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "perf/counter_titles.h"
#include "perf/performance_data_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that the sanitizer catches a read one byte past it.
  std::vector<std::byte> block(size);
  if (size > 0) std::memcpy(block.data(), data, size);
  static const perf::ProcessorObject kProcessor;
  static const perf::ProcessorObject kInformation{{238}, {6}, true};
  perf::ProcessorCounters counters;
  for (const perf::ProcessorObject* object : {&kProcessor, &kInformation}) {
    for (int wanted : {-1, 1, 3}) {
      const perf::PerfDataResult result =
          perf::WalkProcessorCounters(block.data(), block.size(), wanted, counters, *object);
      if (result != perf::PerfDataResult::kFound) continue;
      const std::size_t expected = wanted < 0 ? static_cast<std::size_t>(counters.instanceCount)
                                              : static_cast<std::size_t>(wanted);
      if (counters.values.size() != expected || counters.instanceCount < 1) std::abort();
    }
  }
  perf::TitleIndicesNamed(block.data(), block.size(), u"Processor Information");
  return 0;
}
