// Link speeds and state words as the Networking list shows them.
#include "net/adapter_format.h"

#include <gtest/gtest.h>

using net::FormatBitRate;
using net::OperStatusText;

TEST(AdapterFormat, BitRateAtEveryRangeEdge) {
  EXPECT_EQ(FormatBitRate(0), L"0.00 bps");
  EXPECT_EQ(FormatBitRate(999), L"999.00 bps");
  EXPECT_EQ(FormatBitRate(1000), L"1.00 Kbps");
  EXPECT_EQ(FormatBitRate(1500), L"1.50 Kbps");
  // Two decimals of 999.999 round up into the next thousand, still in Kbps.
  EXPECT_EQ(FormatBitRate(999'999), L"1,000.00 Kbps");
  EXPECT_EQ(FormatBitRate(1'000'000), L"1.00 Mbps");
  EXPECT_EQ(FormatBitRate(10'000'000), L"10.00 Mbps");
  EXPECT_EQ(FormatBitRate(100'000'000), L"100.00 Mbps");
  EXPECT_EQ(FormatBitRate(1'000'000'000), L"1.00 Gbps");
  EXPECT_EQ(FormatBitRate(10'000'000'000), L"10.00 Gbps");
}

TEST(AdapterFormat, BitRateRoundsHalvesUpAndKeepsAllSixtyFourBits) {
  EXPECT_EQ(FormatBitRate(1004), L"1.00 Kbps");
  EXPECT_EQ(FormatBitRate(1005), L"1.01 Kbps");
  EXPECT_EQ(FormatBitRate(25'000'000'000), L"25.00 Gbps");  // above 4.29 Gbps, not wrapped
  EXPECT_EQ(FormatBitRate(~0ULL), L"18,446,744,073.71 Gbps");
}

TEST(AdapterFormat, OperStatusWords) {
  EXPECT_EQ(OperStatusText(0), L"掉线");
  EXPECT_EQ(OperStatusText(1), L"不可达");
  EXPECT_EQ(OperStatusText(2), L"断开");
  EXPECT_EQ(OperStatusText(3), L"连接中");
  EXPECT_EQ(OperStatusText(4), L"已连接");
  EXPECT_EQ(OperStatusText(5), L"连通");
  EXPECT_EQ(OperStatusText(6), L"");
  EXPECT_EQ(OperStatusText(0xFFFFFFFF), L"");
}
