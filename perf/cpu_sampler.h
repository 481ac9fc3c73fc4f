// The CPU sampler: the total usage in whole percent from the native idle time,
// and the usage of each processor from the performance data's "Processor
// Information" object (every processor group), or its "Processor" object (at
// most 64 processors; all that older systems and Wine have), or, where neither
// answers, from the native per-processor times. Intervals are timed by the
// unbiased clock: idle time does not grow while the machine sleeps, and the wall
// clock jumps by the length of a sleep and whenever it is set.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "perf/performance_data_walk.h"
#include "platform/clock.h"
#include "platform/layouts/system_information.h"
#include "platform/native_api.h"
#include "platform/performance_data.h"
#include "ui/update_notice.h"

namespace perf {

// A usage fraction in whole percent, halves going to the even neighbour.
int UsagePercent(double fraction);

class CpuSampler {
 public:
  CpuSampler(platform::NativeApi& native, platform::PerformanceData& performanceData,
             platform::Clock& clock, ui::UpdateNotice notice, const bool& closing);

  // Total usage: stores it and posts the graph update; the first call only
  // records the times and returns 0. A failed query returns 0 and posts nothing.
  int SampleTotalCpuUsage();
  const int& CpuUsagePercent() const { return cpuUsagePercent_; }

  // Processor instances (the processors and the total), fixed by the first sample.
  int CpuSampleCount();
  // One sample of every instance; nothing while the program closes. Raises a
  // RefreshError when neither source answers.
  void TakeCpuSample();
  // Usage of one instance between the last two samples, 1.0 = fully busy.
  double CpuSampleUsage(int index);

  // The end of a tick: one sample, then PerCpuPercent for every processor. An
  // interval the performance data's wall-clock stamps do not measure (the machine
  // slept, or the clock was set) leaves the figures as they were.
  void StorePerCpuPercent(int instanceCount);
  const std::vector<int>& PerCpuPercent() const { return perCpuPercent_; }

  // Which source the per-processor figures come from (for tests and the report).
  bool UsesProcessorTimes() const { return source_ == Source::kProcessorTimes; }

 private:
  enum class Source { kNone, kPerformanceData, kProcessorTimes };
  enum class Object { kUndecided, kProcessorInformation, kProcessor };

  int ProcessorsInAllGroups();
  PerfDataResult ReadPerformanceData();
  PerfDataResult ReadObject(const std::wstring& query, const ProcessorObject& object);
  void LookUpProcessorInformation();
  bool ReadProcessorTimes();
  void Store(Source source);
  template <std::size_t N>
  bool QueryFixed(std::uint32_t infoClass, std::array<std::byte, N>& out);

  platform::NativeApi& native_;
  platform::PerformanceData& performanceData_;
  platform::Clock& clock_;
  ui::UpdateNotice notice_;
  const bool& closing_;

  // Total usage.
  std::array<std::byte, platform::system_info_layout::kBasicSize> basic_{};
  std::array<std::byte, platform::system_info_layout::kPerformanceSize> performance_{};
  std::int64_t previousIdle_ = 0;
  std::int64_t previousTime_ = 0;  // unbiased
  int cpuUsagePercent_ = 0;

  // Per-processor usage: for each instance an idle counter and the time base it
  // is measured against (the block's stamp, or the processor's kernel + user time).
  int instanceCount_ = -1;
  Source source_ = Source::kNone;
  // The object that answered first; the other is not asked again.
  Object object_ = Object::kUndecided;
  bool titlesLookedUp_ = false;
  bool titlesNameNoProcessor_ = false;  // the list was read and names neither object
  std::wstring informationQuery_;  // its title indices; empty: the system has none
  ProcessorObject informationObject_{{}, {platform::perf_data_layout::kProcessorTimeCounter}, true};
  ProcessorObject processorObject_;
  std::vector<std::byte> perfBuffer_;   // grows, never shrinks
  std::vector<std::byte> timesBuffer_;  // one entry per processor
  ProcessorCounters counters_;
  std::vector<std::int64_t> idleNow_, baseNow_, idleBefore_, baseBefore_;
  std::int64_t awakeNow_ = 0, awakeBefore_ = 0;  // the unbiased clock at each sample
  bool intervalSkipped_ = false;
  std::vector<int> perCpuPercent_;
};

}  // namespace perf
