// The performance-data walk: the processor counters found behind other objects,
// a missing object or counter told apart, and truncated or malformed blocks
// refused without reading past their end.
#include "perf/performance_data_walk.h"

#include <gtest/gtest.h>

#include "tests/support/perf_data_builder.h"

using namespace perf;
using testing_support::PerfDataBuilder;
using testing_support::ProcessorBlock;

namespace {

constexpr std::int64_t k20240101 = 133485408000000000;  // 2024-01-01 00:00 as 100 ns since 1601

PerfDataResult Walk(const std::vector<std::byte>& block, int wanted, ProcessorCounters& out) {
  return WalkProcessorCounters(block.data(), block.size(), wanted, out);
}

}  // namespace

TEST(PerformanceDataWalk, FindsTheProcessorCountersBehindOtherObjects) {
  PerfDataBuilder builder;
  builder.Add({230, {6, 7}, {1, 2}});  // a process object that also has a counter 6
  builder.Add({238, {2, 6, 9}, {100, 200, 300}});
  const auto block = builder.Build();
  ProcessorCounters out;
  ASSERT_EQ(Walk(block, -1, out), PerfDataResult::kFound);
  EXPECT_EQ(out.values, (std::vector<std::uint64_t>{100, 200, 300}));
  EXPECT_EQ(out.instanceCount, 3);
  EXPECT_EQ(out.stamp, k20240101);
  // The 100 ns stamp, not the SYSTEMTIME's whole milliseconds, which stand in
  // only where the block leaves it out.
  builder.perfTime100nSec = k20240101 + 1234;
  ASSERT_EQ(Walk(builder.Build(), -1, out), PerfDataResult::kFound);
  EXPECT_EQ(out.stamp, k20240101 + 1234);
  builder.perfTime100nSec = 0;
  ASSERT_EQ(Walk(builder.Build(), -1, out), PerfDataResult::kFound);
  EXPECT_EQ(out.stamp, k20240101);

  // With the count fixed by an earlier sample only those instances are read;
  // more than the object has is refused.
  ASSERT_EQ(Walk(block, 2, out), PerfDataResult::kFound);
  EXPECT_EQ(out.values, (std::vector<std::uint64_t>{100, 200}));
  EXPECT_EQ(Walk(block, 4, out), PerfDataResult::kMissingObject);
}

TEST(PerformanceDataWalk, TellsAMissingObjectFromAMissingCounter) {
  ProcessorCounters out;
  EXPECT_EQ(Walk(PerfDataBuilder{}.Build(), -1, out), PerfDataResult::kMissingObject);
  PerfDataBuilder other;
  other.Add({230, {6}, {1}});
  EXPECT_EQ(Walk(other.Build(), -1, out), PerfDataResult::kMissingObject);
  PerfDataBuilder noCounter;
  noCounter.Add({238, {2, 7}, {1, 2, 3}});
  EXPECT_EQ(Walk(noCounter.Build(), -1, out), PerfDataResult::kMissingCounter);
}

TEST(PerformanceDataWalk, EveryTruncationIsAMissingObject) {
  const auto block = ProcessorBlock({5, 6, 11});
  ProcessorCounters out;
  for (std::size_t size = 0; size < block.size(); ++size) {
    std::vector<std::byte> cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(Walk(cut, -1, out), PerfDataResult::kMissingObject) << size;
  }
}

TEST(PerformanceDataWalk, MalformedLengthsAndCountsAreRefused) {
  using namespace platform::perf_data_layout;
  using B = PerfDataBuilder;
  const auto good = ProcessorBlock({5, 6, 11});
  const std::size_t object = 88, firstInstance = object + kObjectSize + 2 * kCounterSize;
  ProcessorCounters out;
  const auto refused = [&](auto change) {
    auto block = good;
    change(block);
    return Walk(block, -1, out) == PerfDataResult::kMissingObject;
  };
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, object, 0); }));  // object length 0
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, object, 1u << 30); }));
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::int32_t>(b, object + kObjectNumInstances, -1); }));
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::int32_t>(b, object + kObjectNumInstances, 1 << 30); }));
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, object + kObjectDefinitionLength, 1u << 30); }));
  EXPECT_TRUE(refused([&](auto& b) {  // no counter 6, and more definitions than there are
    B::Put<std::uint32_t>(b, object + kObjectNumCounters, 1000);
    B::Put<std::uint32_t>(b, object + kObjectSize + kCounterSize + kCounterNameTitleIndex, 7);
  }));
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, object + kObjectSize, 0); }));  // counter length
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, object + kObjectSize + kCounterSize + kCounterOffset, 9999); }));
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, firstInstance, 0xFFFFFFF0u); }));
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, firstInstance + 32, 0xFFFFFFF0u); }));
  EXPECT_TRUE(refused([&](auto& b) { B::Put<std::uint32_t>(b, kBlockHeaderLength, 0xFFFFFFF0u); }));
  EXPECT_TRUE(refused([&](auto& b) {  // month 13, where the SYSTEMTIME stands in
    B::Put<std::int64_t>(b, kBlockPerfTime100nSec, 0);
    B::Put<std::uint16_t>(b, kBlockSystemTime + 2, 13);
  }));
}

TEST(PerformanceDataWalk, SystemTimeBecomesHundredsOfNanosecondsSince1601) {
  std::int64_t stamp = 0;
  ASSERT_TRUE(SystemTimeToStamp({1601, 1, 1, 1, 0, 0, 0, 0}, stamp));
  EXPECT_EQ(stamp, 0);
  ASSERT_TRUE(SystemTimeToStamp({2024, 1, 1, 1, 0, 0, 1, 500}, stamp));
  EXPECT_EQ(stamp, k20240101 + 15'000'000);
  ASSERT_TRUE(SystemTimeToStamp({2000, 2, 2, 29, 23, 59, 59, 999}, stamp));
  EXPECT_EQ(stamp, 125963423999990000);  // 2000-03-01 00:00 less one millisecond
  EXPECT_FALSE(SystemTimeToStamp({1900, 2, 4, 29, 0, 0, 0, 0}, stamp));
  EXPECT_FALSE(SystemTimeToStamp({2023, 4, 1, 31, 0, 0, 0, 0}, stamp));
  EXPECT_FALSE(SystemTimeToStamp({2023, 1, 0, 1, 24, 0, 0, 0}, stamp));
  EXPECT_FALSE(SystemTimeToStamp({0, 0, 0, 0, 0, 0, 0, 0}, stamp));
}

namespace {

// Two groups of 40: processor (g, c) idles g * 1000 + c.
std::uint64_t IdleOf(int group, int cpu) { return static_cast<std::uint64_t>(group * 1000 + cpu); }

const ProcessorObject kInformation{{1848}, {6}, true};

}  // namespace

TEST(PerformanceDataWalk, ProcessorInformationGivesEveryGroupInOrderAndTheTotalLast) {
  const auto block = testing_support::ProcessorInformationBlock(1848, 2, 40, IdleOf, 777);
  ProcessorCounters out;
  ASSERT_EQ(Walk(block, -1, out), PerfDataResult::kMissingObject) << "not the \"Processor\" object";
  ASSERT_EQ(WalkProcessorCounters(block.data(), block.size(), -1, out, kInformation),
            PerfDataResult::kFound);
  EXPECT_EQ(out.instanceCount, 81);
  ASSERT_EQ(out.values.size(), 81u);
  for (int i = 0; i < 80; ++i) EXPECT_EQ(out.values[static_cast<std::size_t>(i)], IdleOf(i / 40, i % 40)) << i;
  EXPECT_EQ(out.values.back(), 777u);

  // A count fixed earlier keeps the first processors and the total.
  ASSERT_EQ(WalkProcessorCounters(block.data(), block.size(), 42, out, kInformation),
            PerfDataResult::kFound);
  EXPECT_EQ(out.values, (std::vector<std::uint64_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                                    14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
                                                    26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37,
                                                    38, 39, 1000, 777}));
  EXPECT_EQ(WalkProcessorCounters(block.data(), block.size(), 82, out, kInformation),
            PerfDataResult::kMissingObject);
}

TEST(PerformanceDataWalk, ProcessorInformationNamesThatDoNotAddUpAreRefused) {
  const auto walk = [](std::vector<std::u16string> names) {
    std::vector<std::uint64_t> values(names.size(), 5);
    testing_support::PerfDataBuilder builder;
    builder.Add({1848, {1, 6}, values}, names);
    const auto block = builder.Build();
    ProcessorCounters out;
    return WalkProcessorCounters(block.data(), block.size(), -1, out, kInformation);
  };
  EXPECT_EQ(walk({u"0,0", u"0,1", u"_Total"}), PerfDataResult::kFound);
  // Names of other shapes are passed over.
  EXPECT_EQ(walk({u"0,0", u"x", u"0,", u",1", u"0,1a", u"1234567890,0", u"_Total"}),
            PerfDataResult::kFound);
  EXPECT_EQ(walk({u"0,0", u"0,1"}), PerfDataResult::kMissingObject) << "no total";
  EXPECT_EQ(walk({u"0,0", u"0,0", u"_Total"}), PerfDataResult::kMissingObject) << "named twice";

  // A name that points outside its instance is no name.
  auto block = testing_support::ProcessorInformationBlock(1848, 1, 1, IdleOf, 1);
  const std::size_t firstInstance = 88 + platform::perf_data_layout::kObjectSize + 2 * platform::perf_data_layout::kCounterSize;
  testing_support::PerfDataBuilder::Put<std::uint32_t>(
      block, firstInstance + platform::perf_data_layout::kInstanceNameOffset, 0xFFFFFFF0u);  // "0,_Total"
  ProcessorCounters out;
  ASSERT_EQ(WalkProcessorCounters(block.data(), block.size(), -1, out, kInformation),
            PerfDataResult::kFound);
  EXPECT_EQ(out.instanceCount, 2);
}
