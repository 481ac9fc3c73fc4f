// The port list filled from the fake system's socket tables in each of the three
// forms, the local filter, and ending a row's owner.
#include "net/port_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/fake/fake_system.h"

using namespace net;
using platform::fake::CallFailure;
using platform::fake::FakeNetwork;

namespace {

struct PortWorld {
  platform::fake::FakeSystem system;
  ui::ListModel list;
  procs::ProcessPathLookup paths{system, system, system};
  std::unique_ptr<PortList> ports;

  PortWorld() {
    system.AddProcess(40, L"server.exe");
    system.AddProcess(41, L"browser.exe");
    system.sockets = {
        FakeNetwork::Ipv4Socket(true, {0, 0, 0, 0}, 135, {0, 0, 0, 0}, 0, 40, 2),
        FakeNetwork::Ipv4Socket(true, {127, 0, 0, 1}, 5000, {127, 0, 0, 1}, 5001, 41),
        FakeNetwork::Ipv4Socket(true, {192, 168, 0, 5}, 5002, {127, 0, 0, 1}, 80, 41),
        FakeNetwork::Ipv4Socket(false, {192, 168, 0, 5}, 53, {}, 0, 40),
        FakeNetwork::Ipv4Socket(false, {0, 0, 0, 0}, 1025, {}, 0, 0),
    };
    platform::fake::FakeSocket v6;
    v6.ipv6 = true;
    v6.local = {0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    v6.localPort = 443;
    v6.remote = {0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    v6.remotePort = 50000;
    v6.pid = 41;
    system.sockets.push_back(v6);
    v6.tcp = false;
    v6.local = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};  // ::1
    system.sockets.push_back(v6);
  }
  PortList& Ports() {
    if (!ports) ports = std::make_unique<PortList>(system, paths, system, system, list);
    return *ports;
  }
  std::vector<std::wstring> Column(std::size_t column) const {
    std::vector<std::wstring> cells;
    for (std::size_t i = 0; i < list.Count(); ++i) cells.push_back(list.Text(i, column));
    return cells;
  }
  std::vector<std::wstring> Row(std::size_t index) const {
    std::vector<std::wstring> cells;
    for (std::size_t c = 0; c < kPortColumnCount; ++c) cells.push_back(list.Text(index, c));
    return cells;
  }
  void SelectRowWithLocalPort(const std::wstring& port) {
    for (std::size_t i = 0; i < list.Count(); ++i)
      if (list.Text(i, kPortLocalPort) == port) list.SelectionFromView(i, true);
  }
};

using Cells = std::vector<std::wstring>;

}  // namespace

TEST(PortList, ExtendedTablesListTcpThenUdpOfBothFamiliesWithOwners) {
  PortWorld w;
  EXPECT_EQ(w.Ports().Variant(), TableVariant::kExtended);
  w.Ports().SetHideLocal(false);
  w.Ports().Fill();
  ASSERT_EQ(w.list.Count(), 7u);
  EXPECT_EQ(w.Row(0), (Cells{L"40", L"0.0.0.0", L"135", L"0.0.0.0", L"0",
                             L"C:\\Programs\\server.exe", L"listening", L"TCP"}));
  EXPECT_EQ(w.Row(3), (Cells{L"41", L"fe80::1", L"443", L"2001:db8::2", L"50000",
                             L"C:\\Programs\\browser.exe", L"established", L"TCP"}));
  EXPECT_EQ(w.Row(4), (Cells{L"40", L"192.168.0.5", L"53", L"", L"", L"C:\\Programs\\server.exe",
                             L"", L"UDP"}));
  // Identifier 0 is no process: its path is unknown and nothing is opened for it.
  EXPECT_EQ(w.Row(5), (Cells{L"0", L"0.0.0.0", L"1025", L"", L"", L"unknown", L"", L"UDP"}));
  EXPECT_EQ(w.Row(6)[kPortLocalIp], L"::1");
  EXPECT_EQ(w.list.Item(0).key, 40);
  EXPECT_EQ(w.system.tableCalls,
            (std::vector<std::string>{"tcp4", "tcp4", "tcp6", "tcp6", "udp4", "udp4", "udp6", "udp6"}));
}

TEST(PortList, LocalFilterHidesLoopbackAndWildcardLocalAddressesOnly) {
  PortWorld w;
  EXPECT_TRUE(w.Ports().HideLocal());  // checked when the window opens
  w.Ports().Fill();
  // 0.0.0.0:135, 127.0.0.1:5000, 0.0.0.0:1025 and ::1 are gone; a connection to
  // 127.0.0.1 from 192.168.0.5 stays: only the local address counts.
  EXPECT_EQ(w.Column(kPortLocalPort), (Cells{L"5002", L"443", L"53"}));
  w.Ports().SetHideLocal(false);
  w.Ports().Fill();
  EXPECT_EQ(w.list.Count(), 7u);
}

TEST(PortList, PathsFallBackToTheImagePathAndToUnknown) {
  PortWorld w;
  w.system.Find(40)->imagePath = L"C:\\Protected\\server.exe";
  w.system.Find(41)->refuseLimited = true;
  w.Ports().Fill();
  EXPECT_EQ(w.Column(kPortPath),
            (Cells{L"unknown", L"unknown", L"C:\\Protected\\server.exe"}));
  // Answers and failures alike are remembered: filling again asks nobody.
  const int opens = w.system.opens;
  w.Ports().Fill();
  EXPECT_EQ(w.system.opens, opens);
}

TEST(PortList, MissingUdpPartnerShowsTcpRowsAlone) {
  PortWorld w;
  w.system.entryPoints.extendedUdp = false;
  w.Ports().SetHideLocal(false);
  w.Ports().Fill();
  EXPECT_EQ(w.Column(kPortProtocol), (Cells{L"TCP", L"TCP", L"TCP", L"TCP"}));
  for (const std::string& call : w.system.tableCalls) EXPECT_EQ(call.substr(0, 3), "tcp");
}

TEST(PortList, ExtendedFailuresDropOnlyWhatTheyMust) {
  PortWorld w;
  w.Ports().SetHideLocal(false);
  // A failed real TCP call still lets the UDP rows through.
  w.system.tableFailures["tcp4"] = CallFailure::kRealCall;
  w.system.tableFailures["tcp6"] = CallFailure::kSizeQuery;
  w.Ports().Fill();
  EXPECT_EQ(w.Column(kPortProtocol), (Cells{L"UDP", L"UDP", L"UDP"}));
  // No answer to the first size query: nothing at all.
  w.system.tableFailures["tcp4"] = CallFailure::kSizeQuery;
  w.Ports().Fill();
  EXPECT_EQ(w.list.Count(), 0u);
}

TEST(PortList, StackTablesAndTheirFailures) {
  PortWorld w;
  w.system.entryPoints.extendedTcp = false;
  w.system.entryPoints.extendedUdp = false;
  EXPECT_EQ(w.Ports().Variant(), TableVariant::kStack);
  w.Ports().SetHideLocal(false);
  w.Ports().Fill();
  EXPECT_EQ(w.Column(kPortPid), (Cells{L"40", L"41", L"41", L"40", L"0"}));  // IPv4 only
  // Either call failing leaves the list as it was.
  w.system.tableFailures["stackUdp"] = CallFailure::kRealCall;
  w.system.sockets.clear();
  w.Ports().Fill();
  EXPECT_EQ(w.list.Count(), 5u);
}

TEST(PortList, StackWithoutUdpPartnerShowsTcpRows) {
  PortWorld w;
  w.system.entryPoints = {false, false, true, false};
  w.Ports().Fill();
  EXPECT_EQ(w.Column(kPortLocalPort), (Cells{L"5002"}));
}

TEST(PortList, PlainTablesOfTheStandardButton) {
  PortWorld w;
  w.system.entryPoints = {};
  EXPECT_EQ(w.Ports().Variant(), TableVariant::kPlain);
  w.system.sockets.push_back(
      FakeNetwork::Ipv4Socket(true, {10, 0, 0, 2}, 1025, {10, 0, 0, 9}, 80, 41));
  w.Ports().Fill();  // local rows stay whatever the check box says
  ASSERT_EQ(w.list.Count(), 6u);
  // A remote 0.0.0.0 shows remote port 0.
  EXPECT_EQ(w.Row(0), (Cells{L"不支持", L"0.0.0.0", L"LOCSVC", L"0.0.0.0", L"   0", L"-",
                             L"listening", L"TCP"}));
  EXPECT_EQ(w.Row(2)[kPortRemotePort], L"HTTP");
  EXPECT_EQ(w.Row(3), (Cells{L"不支持", L"10.0.0.2", L"1025", L"10.0.0.9", L"HTTP", L"-",
                             L"established", L"TCP"}));
  EXPECT_EQ(w.Row(4), (Cells{L"不支持", L"192.168.0.5", L"DNS ", L"*", L"*", L"-", L"-", L"UDP"}));
  EXPECT_EQ(w.Row(5)[kPortLocalPort], L"1025");

  // "标准" on a system with owners; the next fill returns to them.
  PortWorld owners;
  owners.Ports().FillPlainTables();
  EXPECT_EQ(owners.list.Count(), 5u);
  owners.Ports().Fill();
  EXPECT_EQ(owners.list.Text(0, kPortPid), L"41");
}

TEST(PortList, EndingTheSelectedRowsOwner) {
  PortWorld w;
  w.Ports().Fill();
  // No answer, then no selection: nothing happens.
  w.system.answerYes = false;
  w.SelectRowWithLocalPort(L"53");
  EXPECT_FALSE(w.Ports().BitBtn4Click());
  w.system.answerYes = true;
  w.list.SelectionFromView(2, false);
  EXPECT_FALSE(w.Ports().BitBtn4Click());
  EXPECT_TRUE(w.system.terminated.empty());
  const platform::fake::FakeBox& box = w.system.boxes.back();
  EXPECT_EQ(box.caption, L"泽恩特警告");
  EXPECT_EQ(box.text,
            L"警告：终止进程会导致不希望发生的结果，\n包括数据丢失和系统不稳定。在被终止前，\n"
            L"进程将没有机会保存其状态和数据。确实\n想终止该进程吗？");

  w.SelectRowWithLocalPort(L"53");
  EXPECT_TRUE(w.Ports().BitBtn4Click());
  EXPECT_EQ(w.system.terminated, (std::vector<std::uint32_t>{40}));

  // A refusal is shown and ends the action.
  w.system.Find(41)->refuseTerminate = true;
  w.list.SelectionFromView(2, false);
  w.SelectRowWithLocalPort(L"443");
  EXPECT_FALSE(w.Ports().BitBtn4Click());
  EXPECT_EQ(w.system.boxes.back().text, L"访问被拒绝");
}

TEST(PortList, AnOwnerThatEndedSinceTheFillIsNotLookedForUnderItsIdentifier) {
  PortWorld w;
  w.Ports().Fill();
  // server.exe ends and a newcomer takes its identifier while the list is open.
  w.system.RemoveProcess(40);
  w.system.AddProcess(40, L"stranger.exe").createTime += 1;
  w.SelectRowWithLocalPort(L"53");
  EXPECT_TRUE(w.Ports().BitBtn4Click()) << "the list is filled again";
  EXPECT_TRUE(w.system.terminated.empty());
  EXPECT_EQ(w.system.boxes.back().caption, L"系统提示");
  EXPECT_EQ(w.system.boxes.back().text, L"该进程已经结束。");
  // An owner that is simply gone says the same.
  w.system.RemoveProcess(41);
  w.list.SelectionFromView(2, false);
  w.SelectRowWithLocalPort(L"443");
  const std::size_t boxes = w.system.boxes.size();
  EXPECT_TRUE(w.Ports().BitBtn4Click());
  ASSERT_EQ(w.system.boxes.size(), boxes + 2);
  EXPECT_EQ(w.system.boxes.back().text, L"该进程已经结束。");
  // Filled again, the newcomer is the row's owner.
  w.Ports().Fill();
  w.SelectRowWithLocalPort(L"53");
  EXPECT_TRUE(w.Ports().BitBtn4Click());
  EXPECT_EQ(w.system.terminated, (std::vector<std::uint32_t>{40}));
}

TEST(PortList, RowsWithoutAProcessEndNothing) {
  PortWorld w;
  w.Ports().SetHideLocal(false);
  w.Ports().Fill();
  w.SelectRowWithLocalPort(L"1025");  // owner 0
  int opens = w.system.opens;
  EXPECT_TRUE(w.Ports().BitBtn4Click());
  EXPECT_EQ(w.system.opens, opens);
  w.Ports().FillPlainTables();
  w.list.SelectionFromView(0, true);  // "不支持"
  opens = w.system.opens;
  EXPECT_TRUE(w.Ports().BitBtn4Click());
  EXPECT_EQ(w.system.opens, opens);
  EXPECT_TRUE(w.system.terminated.empty());
}
