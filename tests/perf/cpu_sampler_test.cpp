// The CPU sampler: total usage from idle time against elapsed time, the
// per-processor usage from the performance data or, without it, from the native
// per-processor times, rounding halves to even, and the errors when nothing works.
#include "perf/cpu_sampler.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/update_messages.h"
#include "platform/fake/fake_system.h"
#include "tests/support/perf_data_builder.h"
#include "ui/refresh_error.h"

using namespace perf;
using platform::fake::FakeSystem;
using testing_support::ProcessorBlock;

namespace {

constexpr std::int64_t kSecond = 10'000'000;

struct SamplerWorld {
  FakeSystem system;
  bool closing = false;
  CpuSampler sampler{system, system, system, {system, app::kUpdateGraphs}, closing};

  // One second passes in which the processors were idle for `idle` seconds in all.
  int TotalAfter(double idle) {
    system.Advance(1000);
    system.idleTime += static_cast<std::int64_t>(idle * kSecond);
    return sampler.SampleTotalCpuUsage();
  }
  std::wstring ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const ui::RefreshError& error) {
      return error.Text();
    }
    return L"<no error>";
  }
};

}  // namespace

TEST(CpuSamplerTotal, FirstCallOnlyRecordsThenIdleAgainstElapsedTime) {
  SamplerWorld w;
  w.system.processorCount = 2;
  w.system.idleTime = 7 * kSecond;
  EXPECT_EQ(w.sampler.SampleTotalCpuUsage(), 0);
  EXPECT_EQ(w.sampler.CpuUsagePercent(), 0);
  EXPECT_EQ(w.system.posted, std::vector<std::uint32_t>{app::kUpdateGraphs}) << "posted even so";

  EXPECT_EQ(w.TotalAfter(1.0), 50);  // one of two processors idle
  EXPECT_EQ(w.sampler.CpuUsagePercent(), 50);
  EXPECT_EQ(w.TotalAfter(0.0), 100);  // fully busy
  EXPECT_EQ(w.TotalAfter(1.999), 0);  // 0.05 %: rounded down
  EXPECT_EQ(w.TotalAfter(2.5), 0);    // more idle than time: clamped, not negative
  EXPECT_EQ(w.TotalAfter(0.57), 71);  // 71.5 rounds down
  EXPECT_EQ(w.system.posted.size(), 6u);
}

TEST(CpuSamplerTotal, IdleTimeIsSharedOverEveryProcessorGroup) {
  SamplerWorld w;
  w.system.processorCount = 40;  // the basic information counts this program's group
  w.system.activeProcessorCount = 80;
  w.system.idleTime = kSecond;
  w.sampler.SampleTotalCpuUsage();
  EXPECT_EQ(w.TotalAfter(40.0), 50);  // half of the 80 processors idle
  w.system.activeProcessorCount = 0;  // no GetActiveProcessorCount: the group's count
  EXPECT_EQ(w.TotalAfter(20.0), 50);
}

TEST(CpuSamplerTotal, AFailedQueryChangesNothingAndPostsNothing) {
  SamplerWorld w;
  w.system.idleTime = 5 * kSecond;
  w.sampler.SampleTotalCpuUsage();
  w.TotalAfter(1.0);
  ASSERT_EQ(w.sampler.CpuUsagePercent(), 50);
  w.system.failPerformance = true;
  EXPECT_EQ(w.TotalAfter(1.0), 0);
  EXPECT_EQ(w.sampler.CpuUsagePercent(), 50);
  EXPECT_EQ(w.system.posted.size(), 2u);
  // The next success measures from the last successful call: two seconds, one idle.
  w.system.failPerformance = false;
  EXPECT_EQ(w.TotalAfter(0.0), 75);
}

// An hour asleep between two ticks one second apart awake: the wall clock
// moves an hour and a second, the unbiased clock and the idle times a second.
TEST(CpuSamplerTotal, AnHourAsleepIsNoSpike) {
  SamplerWorld w;
  w.system.processorCount = 2;
  w.system.idleTime = kSecond;
  w.sampler.SampleTotalCpuUsage();
  w.system.Sleep(3'600'000);
  EXPECT_EQ(w.TotalAfter(1.5), 25);  // the true figure at once
}

TEST(CpuSamplerPerProcessor, AnIntervalTheWallClockStretchesKeepsThePreviousFigures) {
  SamplerWorld w;
  // The performance data's stamps are wall-clock times.
  const auto blockAt = [](std::int64_t seconds, std::vector<std::uint64_t> idle) {
    testing_support::PerfDataBuilder builder;
    builder.perfTime100nSec += seconds * kSecond;
    builder.Add({platform::perf_data_layout::kProcessorObject,
                 {1, platform::perf_data_layout::kProcessorTimeCounter}, std::move(idle)});
    return builder.Build();
  };
  w.system.performanceData = blockAt(0, {0, 0, 0});
  ASSERT_EQ(w.sampler.CpuSampleCount(), 3);
  w.system.Advance(1000);
  w.system.performanceData = blockAt(1, {kSecond / 2, kSecond / 4, kSecond * 3 / 8});
  w.sampler.StorePerCpuPercent(3);
  ASSERT_EQ(w.sampler.PerCpuPercent(), (std::vector<int>{50, 75}));

  w.system.Sleep(3'600'000);
  w.system.Advance(1000);
  w.system.performanceData = blockAt(3602, {kSecond, kSecond, kSecond});
  w.sampler.StorePerCpuPercent(3);
  EXPECT_EQ(w.sampler.PerCpuPercent(), (std::vector<int>{50, 75})) << "no 100 % spike";
  // The wall clock set back an hour: no figure either.
  w.system.Advance(1000);
  w.system.performanceData = blockAt(3, {kSecond * 2, kSecond * 2, kSecond * 2});
  w.sampler.StorePerCpuPercent(3);
  EXPECT_EQ(w.sampler.PerCpuPercent(), (std::vector<int>{50, 75}));
  // The next interval measures from there.
  w.system.Advance(1000);
  w.system.performanceData = blockAt(4, {kSecond * 9 / 4, kSecond * 5 / 2, kSecond * 19 / 8});
  w.sampler.StorePerCpuPercent(3);
  EXPECT_EQ(w.sampler.PerCpuPercent(), (std::vector<int>{75, 50}));
}

TEST(CpuSamplerPerProcessor, UsageFromThePerformanceDataRoundsHalvesToEven) {
  SamplerWorld w;
  w.system.performanceData = ProcessorBlock({0, 0, 0}, 0);
  EXPECT_EQ(w.sampler.CpuSampleCount(), 3);
  EXPECT_FALSE(w.sampler.UsesProcessorTimes());
  // One second later: processor 0 was idle 0.875 s, processor 1 0.625 s.
  w.system.performanceData = ProcessorBlock({8'750'000, 6'250'000, 7'500'000}, 1);
  w.system.Advance(1000);
  w.sampler.StorePerCpuPercent(3);
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(0), 0.125);
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(1), 0.375);
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(2), 0.25);  // the total instance
  EXPECT_EQ(w.sampler.PerCpuPercent(), (std::vector<int>{12, 38}));

  // Same stamp again: no time has passed, every instance reads 0.
  w.sampler.TakeCpuSample();
  EXPECT_EQ(w.sampler.CpuSampleUsage(0), 0.0);
  EXPECT_EQ(UsagePercent(-0.004), 0);
  EXPECT_EQ(UsagePercent(-0.006), -1) << "a slightly negative measurement stays negative";
  EXPECT_EQ(UsagePercent(0.625), 62);
  EXPECT_EQ(UsagePercent(0.635), 64);  // 63.5 up to the even neighbour

  EXPECT_EQ(w.ErrorOf([&] { w.sampler.CpuSampleUsage(-1); }), L"CPU index out of bounds");
  EXPECT_EQ(w.ErrorOf([&] { w.sampler.CpuSampleUsage(3); }), L"CPU index out of bounds");
}

TEST(CpuSamplerPerProcessor, InstanceCountIsFixedAndTheBufferGrows) {
  SamplerWorld w;
  std::vector<std::uint64_t> many(400, 0);  // over 8192 bytes of instances
  w.system.performanceData = ProcessorBlock(many, 0);
  EXPECT_EQ(w.sampler.CpuSampleCount(), 400);
  EXPECT_GT(w.system.performanceDataQueries, 1);
  // More instances later are not read.
  many.assign(401, kSecond / 2);
  w.system.performanceData = ProcessorBlock(many, 1);
  w.sampler.TakeCpuSample();
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(399), 0.5);
  EXPECT_EQ(w.sampler.CpuSampleCount(), 400);
}

TEST(CpuSamplerPerProcessor, ProcessorInformationHoldsBothGroupsOfAnEightyProcessorMachine) {
  using testing_support::ProcessorInformationBlock;
  SamplerWorld w;
  // Its title differs between systems, and its processor-time counter may have
  // a title of its own; "Processor" stops at 64 processors.
  w.system.counterNames = testing_support::TitleList(
      {{6, u"% Processor Time"}, {238, u"Processor"}, {1848, u"Processor Information"},
       {1850, u"% Processor Time"}});
  w.system.performanceData = ProcessorBlock(std::vector<std::uint64_t>(65, 0), 0);
  const auto idle = [](std::uint64_t perCpu) {
    return [perCpu](int group, int) { return group == 0 ? 0 : perCpu; };
  };
  w.system.performanceDataOf[L"1848"] = ProcessorInformationBlock(1848, 2, 40, idle(0), 0, 1850, 0);
  ASSERT_EQ(w.sampler.CpuSampleCount(), 81);
  // One second later the first group was busy and the second idle a quarter of it.
  w.system.performanceDataOf[L"1848"] =
      ProcessorInformationBlock(1848, 2, 40, idle(kSecond / 4), kSecond / 8, 1850, 1);
  w.system.Advance(1000);
  w.sampler.StorePerCpuPercent(81);
  ASSERT_EQ(w.sampler.PerCpuPercent().size(), 80u);
  EXPECT_EQ(w.sampler.PerCpuPercent()[39], 100);
  EXPECT_EQ(w.sampler.PerCpuPercent()[40], 75);
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(80), 0.875);
  EXPECT_EQ(w.system.performanceQueries, (std::vector<std::wstring>{L"1848", L"1848"}));

  // Without the object (Wine) the sampler asks for "Processor" from then on.
  SamplerWorld wine;
  wine.system.counterNames = w.system.counterNames;
  wine.system.performanceData = ProcessorBlock({0, 0, 0}, 0);
  EXPECT_EQ(wine.sampler.CpuSampleCount(), 3);
  wine.sampler.TakeCpuSample();
  EXPECT_EQ(wine.system.performanceQueries, (std::vector<std::wstring>{L"1848", L"238", L"238"}));
}

TEST(CpuSamplerPerProcessor, NativeTimesStandInWhenTheObjectIsMissing) {
  SamplerWorld w;  // the performance data has a header and no objects
  w.system.processorCount = 2;
  w.system.processorTimes = {{0, 0, 0}, {0, 0, 0}};
  EXPECT_EQ(w.sampler.CpuSampleCount(), 3);
  EXPECT_TRUE(w.sampler.UsesProcessorTimes());
  // Kernel time includes idle time: processor 0 busy 3 of 4, processor 1 idle.
  w.system.processorTimes = {{kSecond, 3 * kSecond, kSecond}, {kSecond, kSecond, 0}};
  const int queries = w.system.performanceDataQueries;
  w.sampler.StorePerCpuPercent(3);
  EXPECT_EQ(w.sampler.PerCpuPercent(), (std::vector<int>{75, 0}));
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(2), 1.0 - 2.0 / 5.0);
  EXPECT_EQ(w.system.performanceDataQueries, queries) << "once missing, not asked every tick";

  // A title list naming neither processor object (Wine's) means the data is
  // never asked at all.
  SamplerWorld wine;
  wine.system.counterNames = testing_support::TitleList({{1, u"1847"}, {1846, u"End Marker"}});
  wine.system.performanceData = ProcessorBlock({0, 0, 0}, 0);
  wine.system.processorCount = 2;
  wine.system.processorTimes = w.system.processorTimes;
  EXPECT_EQ(wine.sampler.CpuSampleCount(), 3);
  wine.sampler.TakeCpuSample();
  EXPECT_TRUE(wine.sampler.UsesProcessorTimes());
  EXPECT_EQ(wine.system.performanceDataQueries, 0);
}

TEST(CpuSamplerPerProcessor, SwitchingSourcesReadsOneIntervalAsIdle) {
  SamplerWorld w;
  w.system.processorCount = 2;
  w.system.performanceData = ProcessorBlock({0, 0, 0}, 0);
  w.sampler.TakeCpuSample();
  w.system.performanceDataStatus = 2;  // the performance data goes away
  w.system.processorTimes = {{kSecond, 9 * kSecond, 0}, {kSecond, 2 * kSecond, 0}};
  w.sampler.TakeCpuSample();
  EXPECT_TRUE(w.sampler.UsesProcessorTimes());
  EXPECT_EQ(w.sampler.CpuSampleUsage(0), 0.0);
  w.system.processorTimes = {{kSecond, 10 * kSecond, 1 * kSecond}, {2 * kSecond, 3 * kSecond, 0}};
  w.sampler.TakeCpuSample();
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(0), 1.0);
  EXPECT_DOUBLE_EQ(w.sampler.CpuSampleUsage(1), 0.0);
}

TEST(CpuSamplerPerProcessor, RaisesItsMessagesWhenNeitherSourceWorks) {
  SamplerWorld w;  // no processor times either
  EXPECT_EQ(w.ErrorOf([&] { w.sampler.TakeCpuSample(); }),
            L"Unable to locate the \"Processor\" performance object");
  w.system.performanceData = testing_support::PerfDataBuilder{}
                                 .Add({238, {2, 7}, {1, 2}})
                                 .Build();
  EXPECT_EQ(w.ErrorOf([&] { w.sampler.CpuSampleCount(); }),
            L"Unable to locate the \"% of CPU usage\" performance counter");
  EXPECT_EQ(w.ErrorOf([&] { w.sampler.CpuSampleUsage(0); }),
            L"Unable to locate the \"% of CPU usage\" performance counter")
      << "no sample was taken, so every use tries again";
}

TEST(CpuSamplerPerProcessor, NothingIsReadWhileClosing) {
  SamplerWorld w;
  w.system.performanceData = ProcessorBlock({0, 0}, 0);
  w.closing = true;
  w.sampler.TakeCpuSample();
  w.sampler.StorePerCpuPercent(2);
  EXPECT_EQ(w.system.performanceDataQueries, 0);
  EXPECT_TRUE(w.sampler.PerCpuPercent().empty());
}
