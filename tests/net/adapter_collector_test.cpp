// The adapter table as the collector fills it from the fake system's interface
// table, adapter lists and registry.
#include "net/adapter_collector.h"

#include <gtest/gtest.h>

#include "tests/support/net_world.h"

using testing_support::NetWorld;

namespace {

std::wstring NameOfRow(const NetWorld& w, std::size_t row) {
  return w.table.Rows.at(row).ConnectionName;
}

}  // namespace

TEST(AdapterCollector, LoopbackAloneGivesOneUnnamedRowAndPosts) {
  NetWorld w;
  w.system.interfaces.push_back({});
  w.system.interfaces.back().description = L"Software Loopback Interface 1";
  w.Collector().CollectAdapters();
  ASSERT_EQ(w.table.Rows.size(), 1u);
  EXPECT_EQ(NameOfRow(w, 0), L"");
  EXPECT_EQ(w.table.Rows[0].Description, L"Software Loopback Interface 1");
  ASSERT_EQ(w.system.posted.size(), 1u);
  EXPECT_EQ(w.system.posted[0], app::kUpdateAdapters);
}

TEST(AdapterCollector, NamesComeFromTheRegistryThenFromTheFriendlyName) {
  NetWorld w;
  w.AddAdapter(1, L"Intel Gigabit", L"以太网", L"本地连接");
  w.AddAdapter(2, L"Realtek Wireless", L"WLAN");
  w.Collector().CollectAdapters();
  EXPECT_EQ(NameOfRow(w, 0), L"本地连接");
  EXPECT_EQ(NameOfRow(w, 1), L"WLAN");
  EXPECT_EQ(w.system.registryReads.at(0),
            L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}"
            L"\\{00000001-AAAA-BBBB-CCCC-DDDDDDDDDDDD}\\Connection");
  // An empty adapter name never reaches the registry.
  const std::size_t reads = w.system.registryReads.size();
  EXPECT_EQ(w.Collector().ConnectionNameOf(L""), L"");
  EXPECT_EQ(w.system.registryReads.size(), reads);
}

TEST(AdapterCollector, DescriptionsMatchTrimmedOnTheAdapterSideOnly) {
  NetWorld w;
  w.AddAdapter(1, L"Adapter A", L"A");
  w.system.adapters[0].description = L"Adapter A  \t";  // the adapter list pads it
  w.AddAdapter(2, L"Adapter B", L"B");
  w.system.interfaces[1].description = L"Adapter B ";  // the interface side does not match
  // Two interfaces of one description both take the first record's name.
  w.system.interfaces.push_back({});
  w.system.interfaces.back().description = L"Adapter A";
  w.Collector().CollectAdapters();
  EXPECT_EQ(NameOfRow(w, 0), L"A");
  EXPECT_EQ(NameOfRow(w, 1), L"");
  EXPECT_EQ(NameOfRow(w, 2), L"A");
}

TEST(AdapterCollector, OlderTablesTakeA256ByteDescriptionWithoutNulWhole) {
  NetWorld w;
  w.system.hasIfTable2 = false;
  w.system.hasAdaptersAddresses = false;  // the older list: registry names only
  const std::wstring longDescription(256, L'x');
  w.AddAdapter(1, longDescription, L"", L"本地连接 2");
  w.AddAdapter(2, L"No registry entry", L"ignored");
  w.system.interfaces[0].operStatus = 4;
  w.system.interfaces[0].speed = 10'000'000'000;  // the older table holds 32 bits
  w.system.interfaces[0].receivedOctets = 0x1'0000'0005;
  w.Collector().CollectAdapters();
  EXPECT_FALSE(w.Collector().UsesIfTable2());
  ASSERT_EQ(w.table.Rows.size(), 2u);
  EXPECT_EQ(w.table.Rows[0].Description, longDescription);
  // The older adapter list keeps 131 characters of a description: no match.
  EXPECT_EQ(NameOfRow(w, 0), L"");
  EXPECT_EQ(NameOfRow(w, 1), L"");  // the older list has no friendly names
  EXPECT_EQ(w.table.Rows[0].OperStatus, 4u);
  EXPECT_EQ(w.table.Rows[0].Speed, 0xFFFFFFFFu);
  EXPECT_EQ(w.table.Rows[0].ReceivedOctets, 5u);
  EXPECT_EQ(w.table.Rows[0].CounterBits, 32);

  w.system.registry[{net::ConnectionKeyPath(L"{00000002-AAAA-BBBB-CCCC-DDDDDDDDDDDD}"), L"Name"}] =
      L"拨号连接";
  w.system.Advance(60'000);  // a rename shows within a minute
  w.Collector().CollectAdapters();
  EXPECT_EQ(NameOfRow(w, 1), L"拨号连接");
}

TEST(AdapterCollector, NewerTableGivesSixtyFourBitFiguresAndMapsStates) {
  NetWorld w;
  auto& up = w.AddAdapter(1, L"Up", L"up");
  up.speed = 25'000'000'000;
  up.receivedOctets = 0x1'0000'0005;
  w.AddAdapter(2, L"Dormant", L"dormant").ifOperStatus = 5;
  auto& unplugged = w.AddAdapter(3, L"Unplugged", L"unplugged");
  unplugged.ifOperStatus = 2;
  unplugged.mediaConnectState = 2;
  auto& down = w.AddAdapter(4, L"Down", L"down");
  down.ifOperStatus = 2;
  down.speed = ~0ULL;  // the driver does not know
  w.Collector().CollectAdapters();
  ASSERT_EQ(w.table.Rows.size(), 4u);
  EXPECT_EQ(w.table.Rows[0].OperStatus, net::kOperOperational);
  EXPECT_EQ(w.table.Rows[0].Speed, 25'000'000'000u);
  EXPECT_EQ(w.table.Rows[0].ReceivedOctets, 0x1'0000'0005u);
  EXPECT_EQ(w.table.Rows[0].CounterBits, 64);
  EXPECT_EQ(w.table.Rows[1].OperStatus, net::kOperConnecting);
  EXPECT_EQ(w.table.Rows[2].OperStatus, net::kOperDisconnected);
  EXPECT_EQ(w.table.Rows[3].OperStatus, net::kOperNonOperational);
  EXPECT_EQ(w.table.Rows[3].Speed, 0u);
}

TEST(AdapterCollector, TableFollowsTheInterfaceCountAndKeepsRowsWhenAReadFails) {
  NetWorld w;
  for (int n = 1; n <= 3; ++n) w.AddAdapter(n, L"Card " + std::to_wstring(n), L"c");
  w.Collector().CollectAdapters();
  ASSERT_EQ(w.table.Rows.size(), 3u);
  w.system.interfaces.pop_back();
  w.Collector().CollectAdapters();
  ASSERT_EQ(w.table.Rows.size(), 2u);
  const std::int64_t readAt = w.table.SampleTimeMs;

  w.system.failInterfaceTable = true;
  w.system.interfaces.clear();
  w.system.Advance(1000);
  w.Collector().CollectAdapters();
  EXPECT_EQ(w.table.Rows.size(), 2u);
  EXPECT_EQ(w.table.Rows[1].Description, L"Card 2");
  EXPECT_EQ(w.table.SampleTimeMs, readAt);
  EXPECT_EQ(w.system.posted.size(), 3u);  // posted after the failed read too
}

TEST(AdapterCollector, BuffersGrowWhenTheSystemAsksForMore) {
  NetWorld w;
  w.AddAdapter(1, L"First", L"first");
  w.Collector().CollectAdapters();
  const std::size_t interfaceBuffer = w.Collector().InterfaceBufferSize();
  const std::size_t adapterBuffer = w.Collector().AdapterBufferSize();
  // Far more than the eight adapters a fixed buffer of 5120 bytes would hold.
  for (int n = 2; n <= 60; ++n) w.AddAdapter(n, L"Card " + std::to_wstring(n), L"card");
  w.Collector().CollectAdapters();
  ASSERT_EQ(w.table.Rows.size(), 60u);
  EXPECT_EQ(NameOfRow(w, 59), L"card");
  EXPECT_GT(w.Collector().InterfaceBufferSize(), interfaceBuffer);
  EXPECT_GT(w.Collector().AdapterBufferSize(), adapterBuffer);
}

TEST(AdapterCollector, FailingAdapterListsLeaveEveryInterfaceUnnamed) {
  NetWorld w;
  w.AddAdapter(1, L"Card", L"card", L"本地连接");
  w.system.failAdapterLists = true;
  w.Collector().CollectAdapters();
  ASSERT_EQ(w.table.Rows.size(), 1u);
  EXPECT_EQ(NameOfRow(w, 0), L"");
  EXPECT_TRUE(w.system.registryReads.empty());
}

TEST(AdapterCollector, NamesAreLookedUpAgainOnlyWhenInterfacesChangeOrOnceAMinute) {
  NetWorld w;
  w.AddAdapter(1, L"Card", L"card", L"本地连接");
  w.Tick();
  const int interfaceReads = w.system.interfaceReads;
  const auto reads = [&w] {
    return std::make_pair(w.system.adapterListReads, w.system.registryReads.size());
  };
  const auto named = reads();
  EXPECT_EQ(named, std::make_pair(1, std::size_t{1}));
  // Counters change every tick; the names are not asked for again.
  for (int tick = 1; tick <= 59; ++tick) {
    w.system.interfaces[0].receivedOctets = 1000u * static_cast<unsigned>(tick);
    w.Tick();
    ASSERT_EQ(w.table.Rows[0].ReceivedOctets, 1000u * static_cast<unsigned>(tick));
  }
  EXPECT_EQ(reads(), named);
  EXPECT_EQ(w.system.interfaceReads, interfaceReads + 59);
  EXPECT_EQ(NameOfRow(w, 0), L"本地连接");
  w.Tick();  // a minute after the last look
  EXPECT_EQ(reads(), std::make_pair(2, std::size_t{2}));

  // An interface appears, changes state, disappears: each time named again.
  w.AddAdapter(2, L"Wireless", L"WLAN");
  w.Tick();
  EXPECT_EQ(w.system.adapterListReads, 3);
  EXPECT_EQ(NameOfRow(w, 1), L"WLAN");
  w.system.interfaces[1].ifOperStatus = 2;
  w.Tick();
  EXPECT_EQ(w.system.adapterListReads, 4);
  w.system.interfaces.pop_back();
  w.Tick();
  EXPECT_EQ(w.system.adapterListReads, 5);
  ASSERT_EQ(w.table.Rows.size(), 1u);
  EXPECT_EQ(NameOfRow(w, 0), L"本地连接");
}
