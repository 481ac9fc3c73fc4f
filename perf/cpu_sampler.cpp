// The CPU sampler's two measurements. Buffers are sized at the first sample and
// reused, so a steady tick allocates nothing.
#include "perf/cpu_sampler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "perf/counter_titles.h"
#include "ui/refresh_error.h"

namespace perf {
namespace {

using namespace platform::system_info_layout;

constexpr std::uint32_t kBufferStep = 4096;
constexpr std::uint32_t kBufferLimit = 64u << 20;  // a system that keeps asking for more
// Small at first: Wine's list is a few bytes, and a large first buffer would stay
// in the working set; Windows' list (a few hundred KB) takes a few more asks once.
constexpr std::uint32_t kTitleListFirstSize = 16u << 10;
constexpr wchar_t kProcessorQuery[] = L"238";

template <typename T, std::size_t N>
T ReadAt(const std::array<std::byte, N>& data, std::size_t offset) {
  T value{};
  std::memcpy(&value, data.data() + offset, sizeof value);
  return value;
}

std::int64_t ReadI64(const std::byte* at) {
  std::int64_t value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

int UsagePercent(double fraction) {
  // The default rounding mode rounds halves to the even neighbour.
  return static_cast<int>(std::nearbyint(fraction * 100.0));
}

CpuSampler::CpuSampler(platform::NativeApi& native, platform::PerformanceData& performanceData,
                       platform::Clock& clock, ui::UpdateNotice notice, const bool& closing)
    : native_(native),
      performanceData_(performanceData),
      clock_(clock),
      notice_(notice),
      closing_(closing) {}

template <std::size_t N>
bool CpuSampler::QueryFixed(std::uint32_t infoClass, std::array<std::byte, N>& out) {
  return native_.QuerySystemInformation(infoClass, out.data(), static_cast<std::uint32_t>(N),
                                        nullptr) == platform::kStatusSuccess;
}

int CpuSampler::SampleTotalCpuUsage() {
  if (!QueryFixed(platform::kSystemBasicInformation, basic_) ||
      !QueryFixed(platform::kSystemPerformanceInformation, performance_))
    return 0;
  const auto idle = ReadAt<std::int64_t>(performance_, kPerfIdleTime);
  const std::int64_t now = clock_.UnbiasedTime();
  int result = 0;
  if (previousIdle_ != 0) {
    const double idleDelta = static_cast<double>(idle) - static_cast<double>(previousIdle_);
    const double elapsed = static_cast<double>(now) - static_cast<double>(previousTime_);
    const double f = elapsed != 0 ? idleDelta / elapsed : idleDelta;
    // The idle time is summed over every processor group.
    const int processors = ProcessorsInAllGroups();
    double usage = processors != 0 ? 100.0 - f * 100.0 / processors : f;
    if (!std::isfinite(usage)) usage = 0;
    // The idle time can run a little ahead of the clock; the meters stop at 100.
    result = std::clamp(static_cast<int>(std::floor(std::clamp(usage, -1.0, 101.0))), 0, 100);
    cpuUsagePercent_ = result;
  }
  previousIdle_ = idle;
  previousTime_ = now;
  notice_.Post();
  return result;
}

int CpuSampler::ProcessorsInAllGroups() {
  const int all = performanceData_.ActiveProcessorCount();
  return all > 0 ? all : ReadAt<std::uint8_t>(basic_, kBasicProcessorCount);
}

int CpuSampler::CpuSampleCount() {
  if (instanceCount_ < 0) TakeCpuSample();
  return instanceCount_;
}

void CpuSampler::TakeCpuSample() {
  if (closing_) return;
  PerfDataResult perfData = PerfDataResult::kMissingObject;
  // Once the performance data has failed, the native times serve for the rest of
  // the run; the performance data is asked again only if they fail too.
  if (source_ != Source::kProcessorTimes) {
    perfData = ReadPerformanceData();
    if (perfData == PerfDataResult::kFound) return Store(Source::kPerformanceData);
  }
  if (ReadProcessorTimes()) return Store(Source::kProcessorTimes);
  if (source_ == Source::kProcessorTimes) {
    perfData = ReadPerformanceData();
    if (perfData == PerfDataResult::kFound) return Store(Source::kPerformanceData);
  }
  throw ui::RefreshError(perfData == PerfDataResult::kMissingCounter
                              ? L"Unable to locate the \"% of CPU usage\" performance counter"
                              : L"Unable to locate the \"Processor\" performance object");
}

PerfDataResult CpuSampler::ReadPerformanceData() {
  if (!titlesLookedUp_) LookUpProcessorInformation();
  // A title list that names no processor object (Wine's) says the data has none:
  // asking would only load the system's performance providers for nothing.
  if (titlesNameNoProcessor_) return PerfDataResult::kMissingObject;
  // Until one object has answered, "Processor Information" is asked first; the
  // one that answers serves for the rest of the run.
  if (object_ != Object::kProcessor && !informationQuery_.empty()) {
    const PerfDataResult result = ReadObject(informationQuery_, informationObject_);
    if (result == PerfDataResult::kFound) object_ = Object::kProcessorInformation;
    if (object_ == Object::kProcessorInformation) return result;
  }
  const PerfDataResult result = ReadObject(kProcessorQuery, processorObject_);
  if (result == PerfDataResult::kFound) object_ = Object::kProcessor;
  return result;
}

PerfDataResult CpuSampler::ReadObject(const std::wstring& query, const ProcessorObject& object) {
  if (perfBuffer_.empty()) perfBuffer_.resize(8192);
  std::uint32_t size = static_cast<std::uint32_t>(perfBuffer_.size());
  std::uint32_t status = performanceData_.Query(query, perfBuffer_.data(), size);
  while (status == platform::kRegistryMoreData) {
    if (perfBuffer_.size() + kBufferStep > kBufferLimit) return PerfDataResult::kMissingObject;
    perfBuffer_.resize(perfBuffer_.size() + kBufferStep);
    size = static_cast<std::uint32_t>(perfBuffer_.size());
    status = performanceData_.Query(query, perfBuffer_.data(), size);
  }
  if (status != platform::kRegistrySuccess) return PerfDataResult::kMissingObject;
  return WalkProcessorCounters(perfBuffer_.data(), std::min<std::size_t>(size, perfBuffer_.size()),
                               instanceCount_, counters_, object);
}

// The title of "Processor Information" differs between systems, and so may the
// title of its processor-time counter: both are looked up once by name.
void CpuSampler::LookUpProcessorInformation() {
  titlesLookedUp_ = true;
  std::vector<std::byte> list(kTitleListFirstSize);
  std::uint32_t size = kTitleListFirstSize;
  std::uint32_t status = performanceData_.QueryCounterNames(list.data(), size);
  while (status == platform::kRegistryMoreData) {
    const std::size_t next = std::max<std::size_t>(size, 2 * list.size());
    if (next > kBufferLimit) return;
    list.resize(next);
    size = static_cast<std::uint32_t>(next);
    status = performanceData_.QueryCounterNames(list.data(), size);
  }
  if (status != platform::kRegistrySuccess) return;
  const std::size_t bytes = std::min<std::size_t>(size, list.size());
  informationObject_.titles = TitleIndicesNamed(list.data(), bytes, u"Processor Information");
  for (std::uint32_t title : TitleIndicesNamed(list.data(), bytes, u"% Processor Time"))
    informationObject_.timeCounters.push_back(title);
  // The registry takes several objects as indices separated by spaces.
  for (std::uint32_t title : informationObject_.titles)
    informationQuery_ += (informationQuery_.empty() ? L"" : L" ") + std::to_wstring(title);
  titlesNameNoProcessor_ = informationObject_.titles.empty() &&
                           TitleIndicesNamed(list.data(), bytes, u"Processor").empty();
}

// The native per-processor times stand in for the performance data: the total
// instance after the processors is their sum. They cover the processors of this
// program's group, which the basic information counts.
bool CpuSampler::ReadProcessorTimes() {
  if (!QueryFixed(platform::kSystemBasicInformation, basic_)) return false;
  const int processors = ReadAt<std::uint8_t>(basic_, kBasicProcessorCount);
  if (processors == 0) return false;
  const std::size_t wanted = static_cast<std::size_t>(processors) * kProcessorTimesSize;
  if (timesBuffer_.size() < wanted) timesBuffer_.resize(wanted);
  std::uint32_t returned = 0;
  if (native_.QuerySystemInformation(platform::kSystemProcessorPerformanceInformation,
                                     timesBuffer_.data(), static_cast<std::uint32_t>(wanted),
                                     &returned) != platform::kStatusSuccess)
    return false;
  const int listed = static_cast<int>(std::min<std::size_t>(returned, wanted) / kProcessorTimesSize);
  if (listed == 0) return false;
  const int instances = instanceCount_ < 0 ? listed + 1 : instanceCount_;
  counters_.instanceCount = listed + 1;
  counters_.values.assign(static_cast<std::size_t>(instances) * 2, 0);
  std::uint64_t idleSum = 0, busySum = 0;
  for (int i = 0; i < listed; ++i) {
    const std::byte* entry = timesBuffer_.data() + static_cast<std::size_t>(i) * kProcessorTimesSize;
    const auto idle = static_cast<std::uint64_t>(ReadI64(entry + kProcessorIdleTime));
    const auto busy = static_cast<std::uint64_t>(ReadI64(entry + kProcessorKernelTime)) +
                      static_cast<std::uint64_t>(ReadI64(entry + kProcessorUserTime));
    idleSum += idle;
    busySum += busy;
    if (i < instances - 1) {
      counters_.values[2 * static_cast<std::size_t>(i)] = idle;
      counters_.values[2 * static_cast<std::size_t>(i) + 1] = busy;
    }
  }
  counters_.values[2 * static_cast<std::size_t>(instances - 1)] = idleSum;
  counters_.values[2 * static_cast<std::size_t>(instances - 1) + 1] = busySum;
  return true;
}

void CpuSampler::Store(Source source) {
  if (instanceCount_ < 0) {
    instanceCount_ = counters_.instanceCount;
    for (auto* v : {&idleNow_, &baseNow_, &idleBefore_, &baseBefore_})
      v->assign(static_cast<std::size_t>(instanceCount_), 0);
  }
  const bool sourceChanged = source_ != Source::kNone && source_ != source;
  std::swap(idleNow_, idleBefore_);
  std::swap(baseNow_, baseBefore_);
  awakeBefore_ = awakeNow_;
  awakeNow_ = clock_.UnbiasedTime();
  for (std::size_t i = 0; i < idleNow_.size(); ++i) {
    if (source == Source::kPerformanceData) {
      idleNow_[i] = static_cast<std::int64_t>(counters_.values[i]);
      baseNow_[i] = counters_.stamp;
    } else {
      idleNow_[i] = static_cast<std::int64_t>(counters_.values[2 * i]);
      baseNow_[i] = static_cast<std::int64_t>(counters_.values[2 * i + 1]);
    }
  }
  // Counters of two sources do not subtract: this interval reads as idle.
  if (sourceChanged) {
    idleBefore_ = idleNow_;
    baseBefore_ = baseNow_;
  }
  // The performance data's stamps are wall-clock times; an interval they make
  // much longer or shorter than the machine was awake is no measure (the idle
  // counters stood still while it slept). The next one measures from here.
  intervalSkipped_ = false;
  if (source == Source::kPerformanceData && !sourceChanged && !baseNow_.empty()) {
    const std::int64_t wall = baseNow_[0] - baseBefore_[0];
    const std::int64_t awake = awakeNow_ - awakeBefore_;
    intervalSkipped_ = std::abs(wall - awake) > awake / 2;
  }
  source_ = source;
}

double CpuSampler::CpuSampleUsage(int index) {
  if (instanceCount_ < 0) TakeCpuSample();
  if (index < 0 || index >= instanceCount_) throw ui::RefreshError(L"CPU index out of bounds");
  const auto i = static_cast<std::size_t>(index);
  const std::int64_t base = baseNow_[i] - baseBefore_[i];
  if (base == 0) return 0.0;
  const std::int64_t idle = idleNow_[i] - idleBefore_[i];
  return 1.0 - static_cast<double>(idle) / static_cast<double>(base);
}

void CpuSampler::StorePerCpuPercent(int instanceCount) {
  TakeCpuSample();
  if (closing_ || intervalSkipped_ || instanceCount < 2 || instanceCount_ < 2) return;
  const auto processors = static_cast<std::size_t>(std::min(instanceCount, instanceCount_) - 1);
  if (perCpuPercent_.size() < processors) perCpuPercent_.resize(processors, 0);
  for (std::size_t i = 0; i < processors; ++i)
    perCpuPercent_[i] = UsagePercent(CpuSampleUsage(static_cast<int>(i)));
}

}  // namespace perf
