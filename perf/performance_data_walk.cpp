// Performance-data walk: objects, then the counter definitions of the processor
// object, then its instances with their counter blocks (and, for an object named
// by group, their names); every read is checked against the end of the part it
// belongs to.
#include "perf/performance_data_walk.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace perf {
namespace {

using namespace platform::perf_data_layout;

// A view of [begin, end) inside the block; reads outside it fail.
class Span {
 public:
  Span(const std::byte* data, std::size_t begin, std::size_t end)
      : data_(data), begin_(begin), end_(end) {}
  bool Has(std::size_t at, std::size_t bytes) const {
    return at >= begin_ && at <= end_ && bytes <= end_ - at;
  }
  template <typename T>
  bool Read(std::size_t at, T& value) const {
    if (!Has(at, sizeof value)) return false;
    std::memcpy(&value, data_ + at, sizeof value);
    return true;
  }
  std::size_t End() const { return end_; }

 private:
  const std::byte* data_;
  std::size_t begin_, end_;
};

// Days from 1601-01-01 to the given date (proleptic Gregorian calendar).
std::int64_t DaysSince1601(int year, int month, int day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = y / 400;  // years from 1601 on are positive
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const std::int64_t daysSince0000March = std::int64_t{era} * 146097 + dayOfEra;
  constexpr std::int64_t k1601 = 584694;  // 1601-01-01 counted the same way
  return daysSince0000March - k1601;
}

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// What an instance of an object named by group stands for.
enum class InstanceKind { kProcessor, kGroupTotal, kTotal, kOther };

// Reads "group,cpu", "group,_Total" or "_Total" from the instance's UTF-16 name;
// a name that lies outside the instance or reads otherwise is kOther.
InstanceKind ReadInstanceName(const Span& instance, std::size_t at, std::uint32_t& group,
                              std::uint32_t& cpu) {
  std::uint32_t offset = 0, length = 0;
  instance.Read(at + kInstanceNameOffset, offset);
  instance.Read(at + kInstanceNameLength, length);
  constexpr std::size_t kLongestName = 32;
  char16_t name[kLongestName] = {};
  std::size_t units = 0;
  for (; units < kLongestName && 2 * units + 2 <= length; ++units) {
    if (!instance.Read(at + offset + 2 * units, name[units])) return InstanceKind::kOther;
    if (name[units] == u'\0') break;
  }
  const std::u16string_view text(name, units);
  if (units == kLongestName) return InstanceKind::kOther;
  if (text == u"_Total") return InstanceKind::kTotal;
  // A decimal number of at most 9 digits, then what follows it.
  const auto number = [](std::u16string_view& rest, std::uint32_t& value) {
    std::size_t digits = 0;
    value = 0;
    while (digits < rest.size() && digits < 9 && rest[digits] >= u'0' && rest[digits] <= u'9')
      value = value * 10 + static_cast<std::uint32_t>(rest[digits++] - u'0');
    rest.remove_prefix(digits);
    return digits > 0;
  };
  std::u16string_view rest = text;
  if (!number(rest, group) || rest.empty() || rest.front() != u',') return InstanceKind::kOther;
  rest.remove_prefix(1);
  if (rest == u"_Total") return InstanceKind::kGroupTotal;
  return number(rest, cpu) && rest.empty() ? InstanceKind::kProcessor : InstanceKind::kOther;
}

bool Contains(const std::vector<std::uint32_t>& titles, std::uint32_t title) {
  for (std::uint32_t t : titles)
    if (t == title) return true;
  return false;
}

}  // namespace

bool SystemTimeToStamp(const std::uint16_t (&w)[8], std::int64_t& stamp) {
  const int year = w[0], month = w[1], day = w[3];
  constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1) return false;
  const int monthDays = kMonthDays[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0);
  if (day > monthDays || w[4] > 23 || w[5] > 59 || w[6] > 59 || w[7] > 999) return false;
  const std::int64_t seconds =
      DaysSince1601(year, month, day) * 86400 + w[4] * 3600 + w[5] * 60 + w[6];
  stamp = seconds * 10'000'000 + std::int64_t{w[7]} * 10'000;
  return true;
}

PerfDataResult WalkProcessorCounters(const std::byte* block, std::size_t size, int wanted,
                                     ProcessorCounters& out, const ProcessorObject& target) {
  constexpr auto kMissing = PerfDataResult::kMissingObject;
  const Span whole(block, 0, size);
  std::uint32_t headerLength = 0, objectTypes = 0;
  std::uint16_t time[8] = {};
  if (size < kBlockMinimumSize || !whole.Read(kBlockHeaderLength, headerLength) ||
      !whole.Read(kBlockNumObjectTypes, objectTypes))
    return kMissing;
  std::memcpy(time, block + kBlockSystemTime, sizeof time);
  std::int64_t perfTime = 0;
  if (headerLength >= kBlockPerfTime100nSec + sizeof perfTime)
    whole.Read(kBlockPerfTime100nSec, perfTime);

  // Objects follow the header, each as long as it says.
  std::size_t object = headerLength;
  std::uint32_t objectLength = 0;
  bool found = false;
  for (std::uint32_t k = 0; k < objectTypes; ++k) {
    std::uint32_t title = 0;
    if (!whole.Has(object, kObjectSize) || !whole.Read(object + kObjectTotalByteLength, objectLength) ||
        !whole.Read(object + kObjectNameTitleIndex, title) || objectLength < kObjectSize)
      return kMissing;
    if (Contains(target.titles, title)) {
      found = true;
      break;
    }
    object += objectLength;
  }
  if (!found || !whole.Has(object, objectLength)) return kMissing;

  const Span obj(block, object, object + objectLength);
  std::uint32_t definitionLength = 0, objectHeader = 0, counters = 0;
  std::int32_t instances = 0;
  obj.Read(object + kObjectDefinitionLength, definitionLength);
  obj.Read(object + kObjectHeaderLength, objectHeader);
  obj.Read(object + kObjectNumCounters, counters);
  obj.Read(object + kObjectNumInstances, instances);
  if (definitionLength > objectLength || objectHeader > definitionLength || instances < 1)
    return kMissing;

  // The counter definitions lie between the object's header and its instances.
  const Span definitions(block, object, object + definitionLength);
  std::size_t counter = object + objectHeader;
  std::uint32_t counterOffset = 0;
  found = false;
  for (std::uint32_t k = 0; k < counters; ++k) {
    std::uint32_t length = 0, title = 0;
    if (!definitions.Has(counter, kCounterSize) ||
        !definitions.Read(counter + kCounterByteLength, length) ||
        !definitions.Read(counter + kCounterNameTitleIndex, title) || length < kCounterSize)
      return kMissing;
    if (Contains(target.timeCounters, title)) {
      definitions.Read(counter + kCounterOffset, counterOffset);
      found = true;
      break;
    }
    counter += length;
  }
  if (!found) return PerfDataResult::kMissingCounter;

  // An object named by group is read whole and put in order afterwards.
  const int walked = target.namedByGroup || wanted < 0 ? instances : wanted;
  if (walked > instances) return kMissing;
  // Each instance takes at least its header and a counter block with one value:
  // a count the object has no room for is refused before anything is sized by it.
  constexpr std::uint64_t kSmallestInstance = kInstanceSize + 2 * sizeof(std::uint32_t);
  if (static_cast<std::uint64_t>(walked) * kSmallestInstance > objectLength - definitionLength)
    return kMissing;
  out.values.resize(target.namedByGroup ? 0 : static_cast<std::size_t>(walked));
  out.grouped.clear();
  bool hasTotal = false;
  std::uint64_t total = 0;
  std::size_t instance = object + definitionLength;
  for (int i = 0; i < walked; ++i) {
    std::uint32_t instanceLength = 0, blockLength = 0;
    if (!obj.Read(instance + kInstanceByteLength, instanceLength) || instanceLength < kInstanceSize ||
        !obj.Has(instance, instanceLength))
      return kMissing;
    const std::size_t counterBlock = instance + instanceLength;
    if (!obj.Read(counterBlock + kCounterBlockByteLength, blockLength) ||
        !obj.Has(counterBlock, blockLength) || counterOffset > blockLength ||
        blockLength - counterOffset < sizeof(std::uint64_t))
      return kMissing;
    std::uint64_t value = 0;
    obj.Read(counterBlock + counterOffset, value);
    if (!target.namedByGroup) {
      out.values[static_cast<std::size_t>(i)] = value;
    } else {
      std::uint32_t group = 0, cpu = 0;
      const Span header(block, instance, instance + instanceLength);
      switch (ReadInstanceName(header, instance, group, cpu)) {
        case InstanceKind::kProcessor: out.grouped.push_back({group, cpu, value}); break;
        case InstanceKind::kTotal:
          hasTotal = true;
          total = value;
          break;
        default: break;  // the group totals and anything unknown
      }
    }
    instance = counterBlock + blockLength;
  }
  // The stamp in 100 ns units; the SYSTEMTIME (whole milliseconds) stands in
  // where the block leaves it out.
  out.stamp = perfTime;
  if (perfTime <= 0 && !SystemTimeToStamp(time, out.stamp)) return kMissing;
  if (!target.namedByGroup) {
    out.instanceCount = instances;
    return PerfDataResult::kFound;
  }

  auto& grouped = out.grouped;
  const auto order = [](const auto& a, const auto& b) {
    return a.group != b.group ? a.group < b.group : a.cpu < b.cpu;
  };
  std::sort(grouped.begin(), grouped.end(), order);
  for (std::size_t i = 1; i < grouped.size(); ++i)
    if (!order(grouped[i - 1], grouped[i])) return kMissing;  // one processor named twice
  const int processors = static_cast<int>(grouped.size());
  const int count = wanted < 0 ? processors + 1 : wanted;
  if (!hasTotal || count < 1 || count > processors + 1) return kMissing;
  out.values.resize(static_cast<std::size_t>(count));
  for (int i = 0; i + 1 < count; ++i)
    out.values[static_cast<std::size_t>(i)] = grouped[static_cast<std::size_t>(i)].value;
  out.values.back() = total;
  out.instanceCount = processors + 1;
  return PerfDataResult::kFound;
}

}  // namespace perf
