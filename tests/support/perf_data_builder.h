// Builds performance-data blocks byte for byte as the system lays them out: a
// header, objects with counter definitions, and instances with counter blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "perf/performance_data_walk.h"

namespace testing_support {

struct PerfObjectContent {
  std::uint32_t titleIndex = perf::perf_layout::kProcessorObject;
  std::vector<std::uint32_t> counterTitles = {1, perf::perf_layout::kProcessorTimeCounter};
  std::vector<std::uint64_t> instanceValues;  // the processor-time counter per instance
};

class PerfDataBuilder {
 public:
  std::uint16_t time[8] = {2024, 1, 1, 1, 0, 0, 0, 0};  // 2024-01-01 00:00:00.000

  PerfDataBuilder& Add(PerfObjectContent object) {
    objects_.push_back(std::move(object));
    return *this;
  }

  std::vector<std::byte> Build() const {
    using namespace perf::perf_layout;
    constexpr std::size_t kHeader = 88, kName = 8;  // instance names: "0" padded to 8 bytes
    std::vector<std::byte> out(kHeader);
    Put<std::uint32_t>(out, kBlockHeaderLength, kHeader);
    Put<std::uint32_t>(out, kBlockNumObjectTypes, static_cast<std::uint32_t>(objects_.size()));
    std::memcpy(out.data() + kBlockSystemTime, time, sizeof time);
    for (const PerfObjectContent& object : objects_) {
      const std::size_t start = out.size();
      const std::size_t counters = object.counterTitles.size();
      const std::size_t definition = kObjectSize + counters * kCounterSize;
      out.resize(start + definition);
      Put<std::uint32_t>(out, start + kObjectDefinitionLength, static_cast<std::uint32_t>(definition));
      Put<std::uint32_t>(out, start + kObjectHeaderLength, kObjectSize);
      Put<std::uint32_t>(out, start + kObjectNameTitleIndex, object.titleIndex);
      Put<std::uint32_t>(out, start + kObjectNumCounters, static_cast<std::uint32_t>(counters));
      Put<std::int32_t>(out, start + kObjectNumInstances,
                        static_cast<std::int32_t>(object.instanceValues.size()));
      // Counter k lives at 8 + 8k in each counter block.
      for (std::size_t k = 0; k < counters; ++k) {
        const std::size_t c = start + kObjectSize + k * kCounterSize;
        Put<std::uint32_t>(out, c + kCounterByteLength, kCounterSize);
        Put<std::uint32_t>(out, c + kCounterNameTitleIndex, object.counterTitles[k]);
        Put<std::uint32_t>(out, c + kCounterOffset, static_cast<std::uint32_t>(8 + 8 * k));
      }
      const std::size_t blockLength = 8 + 8 * counters;
      for (std::uint64_t value : object.instanceValues) {
        const std::size_t instance = out.size();
        out.resize(instance + kInstanceSize + kName + blockLength);
        Put<std::uint32_t>(out, instance + kInstanceByteLength, kInstanceSize + kName);
        const std::size_t block = instance + kInstanceSize + kName;
        Put<std::uint32_t>(out, block + kCounterBlockByteLength, static_cast<std::uint32_t>(blockLength));
        for (std::size_t k = 0; k < counters; ++k)
          if (object.counterTitles[k] == kProcessorTimeCounter) Put<std::uint64_t>(out, block + 8 + 8 * k, value);
      }
      Put<std::uint32_t>(out, start + kObjectTotalByteLength, static_cast<std::uint32_t>(out.size() - start));
    }
    Put<std::uint32_t>(out, 20, static_cast<std::uint32_t>(out.size()));
    return out;
  }

  template <typename T>
  static void Put(std::vector<std::byte>& out, std::size_t at, T value) {
    std::memcpy(out.data() + at, &value, sizeof value);
  }

 private:
  std::vector<PerfObjectContent> objects_;
};

// One "Processor" object with these counter values, processors first, total last.
inline std::vector<std::byte> ProcessorBlock(std::vector<std::uint64_t> values,
                                             std::uint16_t second = 0) {
  PerfDataBuilder builder;
  builder.time[6] = second;
  builder.Add({perf::perf_layout::kProcessorObject, {1, perf::perf_layout::kProcessorTimeCounter},
               std::move(values)});
  return builder.Build();
}

}  // namespace testing_support
