// Builds performance-data blocks byte for byte as the system lays them out: a
// header, objects with counter definitions, and instances with counter blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/layouts/performance_data_block.h"

namespace testing_support {

struct PerfObjectContent {
  std::uint32_t titleIndex = platform::perf_data_layout::kProcessorObject;
  std::vector<std::uint32_t> counterTitles = {1, platform::perf_data_layout::kProcessorTimeCounter};
  std::vector<std::uint64_t> instanceValues;  // the processor-time counter per instance
  std::uint32_t valueCounter = platform::perf_data_layout::kProcessorTimeCounter;  // which one that is
};

class PerfDataBuilder {
 public:
  std::uint16_t time[8] = {2024, 1, 1, 1, 0, 0, 0, 0};  // 2024-01-01 00:00:00.000
  // The same time in 100 ns units; 0: left out, as a provider may.
  std::int64_t perfTime100nSec = kTime20240101;
  static constexpr std::int64_t kTime20240101 = 133485408000000000;

  // `names` go to the instances in order; without them the instances have none.
  PerfDataBuilder& Add(PerfObjectContent object, std::vector<std::u16string> names = {}) {
    objects_.push_back(std::move(object));
    names_.push_back(std::move(names));
    return *this;
  }

  std::vector<std::byte> Build() const {
    using namespace platform::perf_data_layout;
    std::vector<std::byte> out(kBlockSize);
    Put<std::uint32_t>(out, kBlockHeaderLength, kBlockSize);
    Put<std::uint32_t>(out, kBlockNumObjectTypes, static_cast<std::uint32_t>(objects_.size()));
    std::memcpy(out.data() + kBlockSystemTime, time, sizeof time);
    Put<std::int64_t>(out, kBlockPerfTime100nSec, perfTime100nSec);
    for (std::size_t o = 0; o < objects_.size(); ++o) {
      const PerfObjectContent& object = objects_[o];
      const std::vector<std::u16string>& names = names_[o];
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
      for (std::size_t i = 0; i < object.instanceValues.size(); ++i) {
        const std::uint64_t value = object.instanceValues[i];
        // The name follows the instance's header, padded to 8 bytes (8 zero
        // bytes for an instance without one).
        const std::u16string name = i < names.size() ? names[i] : u"";
        const std::size_t nameBytes = name.empty() ? 0 : 2 * (name.size() + 1);
        const std::size_t header = kInstanceSize + (nameBytes == 0 ? 8 : (nameBytes + 7) / 8 * 8);
        const std::size_t instance = out.size();
        out.resize(instance + header + blockLength);
        Put<std::uint32_t>(out, instance + kInstanceByteLength, static_cast<std::uint32_t>(header));
        if (nameBytes != 0) {
          Put<std::uint32_t>(out, instance + kInstanceNameOffset, kInstanceSize);
          Put<std::uint32_t>(out, instance + kInstanceNameLength, static_cast<std::uint32_t>(nameBytes));
          std::memcpy(out.data() + instance + kInstanceSize, name.data(), 2 * name.size());
        }
        const std::size_t block = instance + header;
        Put<std::uint32_t>(out, block + kCounterBlockByteLength, static_cast<std::uint32_t>(blockLength));
        for (std::size_t k = 0; k < counters; ++k)
          if (object.counterTitles[k] == object.valueCounter) Put<std::uint64_t>(out, block + 8 + 8 * k, value);
      }
      Put<std::uint32_t>(out, start + kObjectTotalByteLength, static_cast<std::uint32_t>(out.size() - start));
    }
    Put<std::uint32_t>(out, kBlockTotalByteLength, static_cast<std::uint32_t>(out.size()));
    return out;
  }

  template <typename T>
  static void Put(std::vector<std::byte>& out, std::size_t at, T value) {
    std::memcpy(out.data() + at, &value, sizeof value);
  }

 private:
  std::vector<PerfObjectContent> objects_;
  std::vector<std::vector<std::u16string>> names_;
};

// One "Processor" object with these counter values, processors first, total last.
inline std::vector<std::byte> ProcessorBlock(std::vector<std::uint64_t> values,
                                             std::uint16_t second = 0) {
  PerfDataBuilder builder;
  builder.time[6] = second;
  builder.perfTime100nSec += second * std::int64_t{10'000'000};
  builder.Add({platform::perf_data_layout::kProcessorObject, {1, platform::perf_data_layout::kProcessorTimeCounter},
               std::move(values)});
  return builder.Build();
}

// The English title list as the system gives it: index and name, in pairs.
inline std::vector<std::byte> TitleList(
    const std::vector<std::pair<std::uint32_t, std::u16string>>& titles) {
  std::u16string text;
  for (const auto& [index, name] : titles) {
    for (char c : std::to_string(index)) text.push_back(static_cast<char16_t>(c));
    text.push_back(u'\0');
    text += name;
    text.push_back(u'\0');
  }
  text.push_back(u'\0');
  std::vector<std::byte> out(2 * text.size());
  std::memcpy(out.data(), text.data(), out.size());
  return out;
}

// A "Processor Information" object with this title for `groups` groups of
// `perGroup` processors, listed as the system may list them: groups from the
// last, processors from the highest, each group's total first, "_Total" at the
// very end. Processor (g, c) reads valueOf(g, c); the group totals read 0.
template <typename ValueOf>
std::vector<std::byte> ProcessorInformationBlock(std::uint32_t title, int groups, int perGroup,
                                                 ValueOf valueOf, std::uint64_t total,
                                                 std::uint32_t timeCounter = 6,
                                                 std::uint16_t second = 0) {
  PerfObjectContent object{title, {1, timeCounter}, {}, timeCounter};
  std::vector<std::u16string> names;
  const auto number = [](int n) {
    std::u16string text;
    for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
    return text;
  };
  for (int g = groups - 1; g >= 0; --g) {
    names.push_back(number(g) + u",_Total");
    object.instanceValues.push_back(0);
    for (int c = perGroup - 1; c >= 0; --c) {
      names.push_back(number(g) + u"," + number(c));
      object.instanceValues.push_back(valueOf(g, c));
    }
  }
  names.push_back(u"_Total");
  object.instanceValues.push_back(total);
  PerfDataBuilder builder;
  builder.time[6] = second;
  builder.perfTime100nSec += second * std::int64_t{10'000'000};
  builder.Add(std::move(object), std::move(names));
  return builder.Build();
}

}  // namespace testing_support
