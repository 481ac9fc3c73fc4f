// The Networking list rebuilt or only given new states, the traffic samples
// behind the graphs, and where the graph boxes stand.
#include "net/networking_page.h"

#include <gtest/gtest.h>

#include "tests/support/net_world.h"

using net::NetworkingPage;
using testing_support::NetWorld;
using Update = NetworkingPage::Update;

TEST(NetworkingPage, ListsOnlyNamedAdaptersWithTheirFigures) {
  NetWorld w;
  w.system.hasIfTable2 = false;  // the older table has the "connected" word
  w.system.interfaces.push_back({});
  w.system.interfaces.back().description = L"Software Loopback Interface 1";
  auto& a = w.AddAdapter(1, L"Intel Gigabit", L"", L"本地连接");
  a.operStatus = net::kOperConnected;
  a.speed = 100'000'000;
  EXPECT_EQ(w.Tick(), Update::kRebuilt);
  ASSERT_EQ(w.list.Count(), 1u);
  EXPECT_EQ(w.list.Text(0, net::kNetName), L"本地连接");
  EXPECT_EQ(w.list.Text(0, net::kNetDescription), L"Intel Gigabit");
  EXPECT_EQ(w.list.Text(0, net::kNetSpeed), L"100.00 Mbps");
  EXPECT_EQ(w.list.Text(0, net::kNetStatus), L"已连接");
  EXPECT_EQ(w.page.ListedCount(), 1u);

  w.system.interfaces[1].operStatus = net::kOperDisconnected;
  EXPECT_EQ(w.Tick(), Update::kStatus);
  EXPECT_EQ(w.list.Text(0, net::kNetStatus), L"断开");
}

TEST(NetworkingPage, RebuildsOnlyWhenTheInterfaceCountChanges) {
  NetWorld w;
  w.AddAdapter(1, L"A card", L"A");
  w.AddAdapter(2, L"B card", L"B");
  EXPECT_EQ(w.Tick(), Update::kRebuilt);
  w.list.Select(1, true);
  // Same count: a renamed connection keeps its old caption, the selection stays.
  w.system.adapters[0].friendlyName = L"A renamed";
  w.system.interfaces[1].ifOperStatus = 2;
  w.system.interfaces[1].mediaConnectState = 2;
  EXPECT_EQ(w.Tick(), Update::kStatus);
  EXPECT_EQ(w.list.Text(0, net::kNetName), L"A");
  EXPECT_EQ(w.list.Text(1, net::kNetStatus), L"断开");
  EXPECT_TRUE(w.list.Item(1).selected);
  // A third interface: everything is made anew.
  w.AddAdapter(3, L"C card", L"C");
  EXPECT_EQ(w.Tick(), Update::kRebuilt);
  ASSERT_EQ(w.list.Count(), 3u);
  EXPECT_EQ(w.list.Text(0, net::kNetName), L"A renamed");
  EXPECT_EQ(w.list.Text(2, net::kNetName), L"C");
  EXPECT_EQ(w.page.ListedCount(), 3u);
}

TEST(NetworkingPage, FewerNamedRowsLeaveTheLastListRowsAsTheyWere) {
  NetWorld w;
  w.AddAdapter(1, L"A card", L"A");
  w.AddAdapter(2, L"B card", L"B");
  w.Tick();
  w.system.adapters.pop_back();  // B loses its name, the count stays
  w.system.interfaces[1].ifOperStatus = 2;
  EXPECT_EQ(w.Tick(), Update::kStatus);
  ASSERT_EQ(w.list.Count(), 2u);
  EXPECT_EQ(w.list.Text(1, net::kNetStatus), L"连通");
  EXPECT_EQ(w.page.LastShare(1), 0.0);
}

TEST(NetworkingPage, NothingChangesOnceClosing) {
  NetWorld w;
  w.AddAdapter(1, L"A card", L"A");
  w.closing = true;
  EXPECT_EQ(w.Tick(), Update::kNone);
  EXPECT_EQ(w.list.Count(), 0u);
}

TEST(NetworkingPage, EachTickSamplesTheTrafficOfEveryListedAdapter) {
  NetWorld w;
  auto& a = w.AddAdapter(1, L"A card", L"A");
  a.speed = 100'000'000;
  w.AddAdapter(2, L"B card", L"B").speed = 0;
  w.Tick();  // the rebuild only primes the meters
  // 25 Mbps in and 25 Mbps out over one second on A; B idles.
  w.system.interfaces[0].receivedOctets += 3'125'000;
  w.system.interfaces[0].sentOctets += 3'125'000;
  w.Tick();
  EXPECT_DOUBLE_EQ(w.page.LastShare(0), 0.5);
  EXPECT_EQ(w.page.LastShare(1), 0.0);
  // B has no known speed: its busiest second so far fills its graph.
  w.system.interfaces[1].receivedOctets += 1000;
  w.Tick();
  EXPECT_EQ(w.page.LastShare(0), 0.0);
  EXPECT_DOUBLE_EQ(w.page.LastShare(1), 1.0);
}

TEST(NetworkingPage, GraphsDrawTheThroughputLikeTheCpuGraphs) {
  NetWorld w;
  w.page.SetSheetSize(400, 300);
  w.AddAdapter(1, L"A card", L"A").speed = 100'000'000;
  w.Tick();
  const ui::TUseage& graph = w.page.Graph(0);
  ASSERT_EQ(graph.Width(), 382);
  ASSERT_EQ(graph.Height(), 168);  // one box: 208 - 10 high, less 30
  for (int second = 0; second < 2; ++second) {
    w.system.interfaces[0].receivedOctets += 6'250'000;  // 50 Mbps of 100
    w.Tick();
  }
  // The newest points, half the height, at the right-hand end.
  const int w1 = graph.Width() - 1;
  const int y = graph.Height() + 1 - 84;
  EXPECT_EQ(graph.Picture().Pixel(w1 - 1, y), ui::kCpuCurveColor);
  EXPECT_EQ(w.page.History(0).At(w1), 84);
  // The next second idles: the curve falls back to the bottom at the end.
  w.Tick();
  EXPECT_EQ(w.page.History(0).At(w1), 0);
  EXPECT_EQ(w.page.History(0).At(w1 - 2), 84);
  // A taller sheet scales the drawn history with the graph.
  w.page.SetSheetSize(400, 468);
  w.page.LayoutAdapterGraphs();
  w.Tick();
  EXPECT_EQ(graph.Height(), 336);
  EXPECT_EQ(w.page.History(0).At(w1 - 3), 168);
}

TEST(NetworkingPage, HiddenItReadsEveryFourthTickAndGivesEachTickTheIntervalsMean) {
  using Update = net::NetworkingPage::Update;
  NetWorld w;
  w.page.SetSheetSize(400, 300);
  w.AddAdapter(1, L"A card", L"A").speed = 100'000'000;
  w.page.SetGraphsShown(false);
  EXPECT_EQ(w.ScheduledTick(false), Update::kRebuilt);  // the first tick reads
  // 100 Mbps for one second of four: a quarter of the link over the interval.
  w.system.interfaces[0].receivedOctets += 12'500'000;
  int reads = 0;
  for (int tick = 0; tick < 4; ++tick) reads += w.ScheduledTick(false) != Update::kNone;
  EXPECT_EQ(reads, 1);
  const ui::UsageHistory& history = w.page.History(0);
  const int last = history.Width() - 1;
  EXPECT_EQ(history.At(last - 5), 0);
  for (int column = last - 4; column < last; ++column) EXPECT_EQ(history.At(column), 42);
  // Shown, the ticks gone by unread are read at once, and then every tick.
  w.system.interfaces[0].receivedOctets += 25'000'000;  // 100 Mbps for two seconds
  EXPECT_EQ(w.ScheduledTick(false), Update::kNone);
  EXPECT_EQ(w.ScheduledTick(false), Update::kNone);
  w.page.SetGraphsShown(true);
  EXPECT_EQ(w.After(0, [&w] { w.Collector().CatchUp(); }), Update::kStatus);
  EXPECT_EQ(history.At(last - 2), 168);
  EXPECT_EQ(history.At(last - 3), 42);
  EXPECT_EQ(w.After(0, [&w] { w.Collector().CatchUp(); }), Update::kNone);
  EXPECT_EQ(w.ScheduledTick(true), Update::kStatus);
}

TEST(NetworkingPage, AnotherInterfaceInAListRowsPlaceStartsItsCountersAfresh) {
  NetWorld w;
  auto& a = w.AddAdapter(1, L"A card", L"A");
  a.receivedOctets = 1'000'000'000;
  w.AddAdapter(2, L"B card", L"B");
  w.Tick();
  // A is removed: B, whose counters are far lower, pairs with list row 0.
  w.system.adapters.erase(w.system.adapters.begin());
  w.system.interfaces.erase(w.system.interfaces.begin());
  w.Tick();
  EXPECT_EQ(w.page.LastShare(0), 0.0);
  w.system.interfaces[0].receivedOctets += 125'000;  // 1 Mbps of 100
  w.Tick();
  EXPECT_DOUBLE_EQ(w.page.LastShare(0), 0.01);
}

TEST(NetworkingPage, GraphBoxesStackUpwardsFromTheList) {
  // A 300-pixel sheet, the 92-pixel list and two adapters.
  const net::GraphBox first = net::AdapterGraphBox(400, 300, 2, 0);
  const net::GraphBox second = net::AdapterGraphBox(400, 300, 2, 1);
  EXPECT_EQ(first.box, (ui::Rect{0, 94, 394, 188}));
  EXPECT_EQ(second.box, (ui::Rect{0, 0, 394, 94}));
  EXPECT_EQ(first.image, (ui::Rect{6, 114, 388, 178}));
  // One adapter takes the whole space less the 10 pixels above the list.
  EXPECT_EQ(net::AdapterGraphBox(400, 300, 1, 0).box, (ui::Rect{0, 0, 394, 198}));
  // A sheet too small for the boxes gives empty ones, never negative sizes.
  const net::GraphBox tiny = net::AdapterGraphBox(4, 100, 3, 0);
  EXPECT_EQ(tiny.box.Width(), 0);
  EXPECT_EQ(tiny.box.Height(), 0);
  EXPECT_EQ(tiny.image.Height(), 0);
}

TEST(NetworkingPage, GraphBoxesScaleWithDpi) {
  // At 144 DPI a sheet half as large again gets boxes half as large again.
  const net::GraphBox first = net::AdapterGraphBox(600, 450, 2, 0, 144);
  EXPECT_EQ(first.box, (ui::Rect{0, 141, 591, 282}));
  EXPECT_EQ(first.image, (ui::Rect{9, 171, 582, 267}));
}
