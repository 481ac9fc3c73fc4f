// Throughput between two readings of an adapter's counters.
#include "net/traffic_meter.h"

#include <gtest/gtest.h>

using net::CounterDelta;
using net::TrafficMeter;

TEST(TrafficMeter, CounterDeltaWrapsThirtyTwoBitCountersAndIgnoresResets) {
  EXPECT_EQ(CounterDelta(100, 350, 32), 250u);
  EXPECT_EQ(CounterDelta(0xFFFFFF00u, 0x100, 32), 0x200u);  // wrapped past 2^32
  EXPECT_EQ(CounterDelta(0xFFFFFFFFu, 0, 32), 1u);
  EXPECT_EQ(CounterDelta(5, 5, 32), 0u);
  EXPECT_EQ(CounterDelta(1ULL << 40, (1ULL << 40) + 7, 64), 7u);
  EXPECT_EQ(CounterDelta(1000, 10, 64), 0u);  // a 64-bit counter going back was reset
}

TEST(TrafficMeter, ShareOfTheLinkSpeed) {
  TrafficMeter meter;
  const std::uint64_t link = 100'000'000;  // 100 Mbps
  EXPECT_EQ(meter.Sample(0, 0, 64, link, 1000), 0.0);  // the first reading only primes
  // 50 Mbps received and 10 Mbps sent in one second.
  EXPECT_DOUBLE_EQ(meter.Sample(6'250'000, 1'250'000, 64, link, 2000), 0.6);
  EXPECT_DOUBLE_EQ(meter.LastBitsPerSecond(), 60'000'000.0);
  // The same octets over two seconds: half the rate.
  EXPECT_DOUBLE_EQ(meter.Sample(12'500'000, 2'500'000, 64, link, 4000), 0.3);
  // More than the link carries (both directions at full speed) is a full graph.
  EXPECT_DOUBLE_EQ(meter.Sample(37'500'000, 27'500'000, 64, link, 5000), 1.0);
  // No time passed (a failed read kept the old rows): no sample.
  EXPECT_EQ(meter.Sample(37'500'000, 27'500'000, 64, link, 5000), 0.0);
}

TEST(TrafficMeter, ThirtyTwoBitCountersWrapInsideASample) {
  TrafficMeter meter;
  meter.Sample(0xFFFFF000u, 0xFFFFFFFFu, 32, 1'000'000, 0);
  // 0x2000 + 1 octets in one second.
  EXPECT_DOUBLE_EQ(meter.LastBitsPerSecond(), 0.0);
  meter.Sample(0x1000, 0, 32, 1'000'000, 1000);
  EXPECT_DOUBLE_EQ(meter.LastBitsPerSecond(), (0x2000 + 1) * 8.0);
}

TEST(TrafficMeter, UnknownSpeedScalesToTheBusiestSampleSeen) {
  TrafficMeter meter;
  meter.Sample(0, 0, 64, 0, 0);
  EXPECT_DOUBLE_EQ(meter.Sample(1000, 0, 64, 0, 1000), 1.0);
  EXPECT_DOUBLE_EQ(meter.Sample(1500, 0, 64, 0, 2000), 0.5);
  EXPECT_DOUBLE_EQ(meter.Sample(3500, 0, 64, 0, 3000), 1.0);
  EXPECT_DOUBLE_EQ(meter.Sample(4500, 0, 64, 0, 4000), 0.5);
  EXPECT_DOUBLE_EQ(meter.Sample(4500, 0, 64, 0, 5000), 0.0);
  meter.Reset();
  EXPECT_EQ(meter.Sample(9000, 0, 64, 0, 6000), 0.0);  // primes again
}
