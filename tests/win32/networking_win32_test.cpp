// The network side under Wine: the adapter collector on the real interface
// table, loopback traffic seen in its counters, this program's own UDP socket in
// the port list, and the Networking page and port list window of the main window.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "app/main_window_win32.h"
#include "app/update_messages.h"
#include "net/adapter_collector.h"
#include "net/networking_page.h"
#include "net/port_list.h"
#include "platform/fake/fake_system.h"
#include "platform/win32/network_win32.h"
#include "platform/win32/win32_system.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace {

using testing_win32::Pump;

// A UDP socket on 127.0.0.1 that sends to itself; the only traffic these tests make.
class LoopbackSocket {
 public:
  LoopbackSocket() {
    WSADATA data{};
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket_ == INVALID_SOCKET ||
        bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      return;
    }
    int length = sizeof address_;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address_), &length);
  }
  ~LoopbackSocket() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    if (started_) WSACleanup();
  }
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;

  std::uint16_t Port() const { return ntohs(address_.sin_port); }
  // Sends `count` datagrams of `bytes` to itself and reads them back.
  void Send(int count, int bytes) {
    std::string payload(static_cast<std::size_t>(bytes), 'z');
    char sink[2048];
    for (int i = 0; i < count; ++i) {
      sendto(socket_, payload.data(), bytes, 0, reinterpret_cast<const sockaddr*>(&address_),
             sizeof address_);
      recv(socket_, sink, sizeof sink, 0);
    }
  }

 private:
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  sockaddr_in address_{};
};

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

}  // namespace

TEST(NetworkTablesTest, CollectorReadsAndNamesTheRealInterfaces) {
  platform::win32::Win32AdapterApi api;
  platform::fake::FakeSystem fake;  // clock and poster
  net::TAdapterStatuses table;
  net::AdapterCollector collector(api, fake, {fake, app::kUpdateAdapters}, table);
  collector.CollectAdapters();
  EXPECT_TRUE(collector.UsesIfTable2());
  ASSERT_FALSE(table.Rows.empty());
  std::size_t named = 0;
  for (const net::TAdapterStatus& row : table.Rows) {
    if (!row.ConnectionName.empty()) ++named;
    std::printf("interface '%ls' name '%ls' status %u speed %llu octets %llu/%llu\n",
                row.Description.c_str(), row.ConnectionName.c_str(), row.OperStatus,
                static_cast<unsigned long long>(row.Speed),
                static_cast<unsigned long long>(row.ReceivedOctets),
                static_cast<unsigned long long>(row.SentOctets));
  }
  EXPECT_GT(named, 0u);
  EXPECT_EQ(fake.posted, (std::vector<std::uint32_t>{app::kUpdateAdapters}));
}

TEST(NetworkTablesTest, LoopbackTrafficMovesTheLoopbackGraph) {
  platform::win32::Win32AdapterApi api;
  platform::fake::FakeSystem fake;
  net::TAdapterStatuses table;
  net::AdapterCollector collector(api, fake, {fake, app::kUpdateAdapters}, table);
  ui::ListModel list;
  bool closing = false;
  net::NetworkingPage page(table, list, closing);
  collector.CollectAdapters();
  page.UpdateNetPage();
  std::size_t loopback = list.Count();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const std::wstring description = Lower(list.Text(i, net::kNetDescription));
    if (description == L"lo" || description.find(L"loopback") != std::wstring::npos) loopback = i;
  }
  if (loopback == list.Count()) GTEST_SKIP() << "the loopback interface is not listed here";

  LoopbackSocket socket;
  fake.Advance(1000);
  collector.CollectAdapters();
  page.UpdateNetPage();
  const double idle = page.Meter(loopback).LastBitsPerSecond();
  socket.Send(500, 1000);  // half a megabyte to 127.0.0.1 and back
  fake.Advance(1000);
  collector.CollectAdapters();
  page.UpdateNetPage();
  // Every datagram is counted at least once on the loopback interface.
  EXPECT_GE(page.Meter(loopback).LastBitsPerSecond() - idle, 500 * 1000 * 8.0);
  EXPECT_GT(page.LastShare(loopback), 0.0);
}

TEST(PortListWin32Test, OwnUdpSocketIsListedWithThisProcessId) {
  LoopbackSocket socket;
  ASSERT_NE(socket.Port(), 0);
  socket.Send(1, 16);
  platform::win32::Win32ConnectionApi tables;
  platform::win32::Win32ProcessApi processes;
  platform::win32::Win32NativeApi native;
  platform::win32::Win32Clock clock;
  procs::ProcessPathLookup paths(processes, native, clock);
  platform::fake::FakeSystem fake;  // dialogs
  ui::ListModel list;
  net::PortList ports(tables, paths, fake, processes, list);
  EXPECT_EQ(ports.Variant(), net::TableVariant::kExtended);

  const std::wstring port = std::to_wstring(socket.Port());
  auto findOwnRow = [&]() -> std::optional<std::size_t> {
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (list.Text(i, net::kPortLocalPort) == port && list.Text(i, net::kPortProtocol) == L"UDP")
        return i;
    }
    return std::nullopt;
  };
  ports.SetHideLocal(false);
  ports.Fill();
  const auto row = findOwnRow();
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(list.Text(*row, net::kPortPid), std::to_wstring(GetCurrentProcessId()));
  EXPECT_EQ(list.Text(*row, net::kPortLocalIp), L"127.0.0.1");
  const std::wstring path = Lower(list.Text(*row, net::kPortPath));
  EXPECT_NE(path.find(L"zentrik_win_tests.exe"), std::wstring::npos) << path;
  std::printf("port list: %zu rows\n", list.Count());
  for (std::size_t i = 0; i < list.Count(); ++i) {
    std::printf("  %ls %ls:%ls %ls:%ls %ls %ls %ls\n", list.Text(i, 0).c_str(),
                list.Text(i, 1).c_str(), list.Text(i, 2).c_str(), list.Text(i, 3).c_str(),
                list.Text(i, 4).c_str(), list.Text(i, 5).c_str(), list.Text(i, 6).c_str(),
                list.Text(i, 7).c_str());
  }

  ports.SetHideLocal(true);  // 127.0.0.1 is local
  ports.Fill();
  EXPECT_FALSE(findOwnRow().has_value());
  ports.FillPlainTables();  // "标准" shows it without an owner
  const auto plain = findOwnRow();
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(list.Text(*plain, net::kPortPid), L"不支持");
}

using NetworkingWindowTest = testing_win32::MainWindowFixture;

TEST_F(NetworkingWindowTest, PageListsTheNamedAdaptersWithAGraphEach) {
  RefreshNow();
  std::size_t named = 0;
  for (const net::TAdapterStatus& row : form_->AdapterTable().Rows)
    if (!row.ConnectionName.empty()) ++named;
  net::NetworkingView& view = form_->NetworkingView();
  HWND list = view.lv_Net();
  ASSERT_EQ(static_cast<std::size_t>(ListView_GetItemCount(list)), named);
  ASSERT_EQ(view.GraphCount(), named);
  RECT previous{};
  for (std::size_t i = 0; i < named; ++i) {
    wchar_t caption[128] = {};
    ListView_GetItemText(list, static_cast<int>(i), 0, caption, 128);
    EXPECT_EQ(testing_win32::TextOf(view.GraphBox(i)), caption);
    // The first adapter's graph is the lowest.
    RECT box{}, image{}, inside{};
    GetWindowRect(view.GraphBox(i), &box);
    GetWindowRect(view.GraphImage(i), &image);
    EXPECT_TRUE(IntersectRect(&inside, &box, &image) && EqualRect(&inside, &image));
    if (i > 0) {
      EXPECT_LT(box.top, previous.top);
    }
    previous = box;
  }
  // A resize places the boxes again without rebuilding them.
  HWND first = named > 0 ? view.GraphBox(0) : nullptr;
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 520, 600, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  if (named > 0) {
    EXPECT_EQ(view.GraphBox(0), first);
  }
}

TEST_F(NetworkingWindowTest, PortListOpensFromTheProcessesPageAndStartsChecked) {
  form_->ProcessesView().ExecuteCommand(procs::kCmdNetworkState);
  Pump();
  net::TPortForm* ports = form_->PortForm();
  ASSERT_TRUE(ports != nullptr && ports->IsOpen());
  EXPECT_EQ(testing_win32::TextOf(ports->Handle()), L"端口列表");
  RECT outer{};
  GetWindowRect(ports->Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, 637);
  EXPECT_EQ(outer.bottom - outer.top, 471);
  HWND header = ListView_GetHeader(ports->lv_Port());
  EXPECT_EQ(Header_GetItemCount(header), 8);
  EXPECT_EQ(SendMessageW(ports->ckb_Local(), BM_GETCHECK, 0, 0), BST_CHECKED);

  SendMessageW(ports->ckb_Local(), BM_CLICK, 0, 0);  // shows the local rows too
  Pump();
  const std::size_t withLocal = form_->PortListModel().Count();
  EXPECT_GT(withLocal, 0u);  // this machine listens somewhere
  EXPECT_EQ(static_cast<std::size_t>(ListView_GetItemCount(ports->lv_Port())), withLocal);

  SendMessageW(ports->Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(ports->IsOpen());
  form_->RefreshPortList();
  Pump();
  ports = form_->PortForm();
  ASSERT_TRUE(ports->IsOpen());
  EXPECT_EQ(SendMessageW(ports->ckb_Local(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_LE(form_->PortListModel().Count(), withLocal);
}
