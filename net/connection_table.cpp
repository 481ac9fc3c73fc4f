// Row decoding of the TCP and UDP tables, checked against the filled size.
#include "net/connection_table.h"

#include <algorithm>
#include <cstring>

#include "platform/adapter_api.h"

namespace net {
namespace {

std::uint32_t Dword(const std::byte* row, std::size_t index) {
  std::uint32_t value;
  std::memcpy(&value, row + 4 * index, sizeof value);
  return value;
}

void Ipv4(const std::byte* row, std::size_t index, std::array<std::uint8_t, 16>& out) {
  out.fill(0);
  std::memcpy(out.data(), row + 4 * index, 4);
}

// Field order of the IPv4 rows, in 32-bit fields.
struct Ipv4Fields {
  int state, localAddress, localPort, remoteAddress, remotePort, pid;  // -1: absent
};

ConnectionEntry DecodeIpv4(const std::byte* row, Protocol protocol, const Ipv4Fields& f) {
  ConnectionEntry e;
  e.protocol = protocol;
  Ipv4(row, f.localAddress, e.localAddress);
  e.localPort = Dword(row, f.localPort);
  if (f.remoteAddress >= 0) Ipv4(row, f.remoteAddress, e.remoteAddress);
  if (f.remotePort >= 0) e.remotePort = Dword(row, f.remotePort);
  if (f.state >= 0) e.state = Dword(row, f.state);
  if (f.pid >= 0) e.pid = Dword(row, f.pid);
  return e;
}

// MIB_TCP6ROW_OWNER_PID: local address (16), scope, port, remote address (16),
// scope, port, state, pid. The UDP row stops after the local port with the pid.
ConnectionEntry DecodeIpv6(const std::byte* row, Protocol protocol) {
  ConnectionEntry e;
  e.protocol = protocol;
  e.ipv6 = true;
  std::memcpy(e.localAddress.data(), row, 16);
  e.localPort = Dword(row, 5);
  if (protocol == Protocol::kTcp) {
    std::memcpy(e.remoteAddress.data(), row + 24, 16);
    e.remotePort = Dword(row, 11);
    e.state = Dword(row, 12);
    e.pid = Dword(row, 13);
  } else {
    e.pid = Dword(row, 6);
  }
  return e;
}

ConnectionEntry Decode(const std::byte* row, ConnectionLayout layout) {
  switch (layout) {
    case ConnectionLayout::kTcpOwnerPid: return DecodeIpv4(row, Protocol::kTcp, {0, 1, 2, 3, 4, 5});
    case ConnectionLayout::kUdpOwnerPid: return DecodeIpv4(row, Protocol::kUdp, {-1, 0, 1, -1, -1, 2});
    case ConnectionLayout::kTcpPlain: return DecodeIpv4(row, Protocol::kTcp, {0, 1, 2, 3, 4, -1});
    case ConnectionLayout::kUdpPlain: return DecodeIpv4(row, Protocol::kUdp, {-1, 0, 1, -1, -1, -1});
    case ConnectionLayout::kTcp6OwnerPid: return DecodeIpv6(row, Protocol::kTcp);
    case ConnectionLayout::kUdp6OwnerPid: return DecodeIpv6(row, Protocol::kUdp);
  }
  return {};
}

constexpr int kMaxCalls = 4;
constexpr std::uint32_t kMaxTable = 64u << 20;

}  // namespace

std::size_t ConnectionRowSize(ConnectionLayout layout) {
  switch (layout) {
    case ConnectionLayout::kTcpOwnerPid: return 24;
    case ConnectionLayout::kTcp6OwnerPid: return 56;
    case ConnectionLayout::kUdpOwnerPid: return 12;
    case ConnectionLayout::kUdp6OwnerPid: return 28;
    case ConnectionLayout::kTcpPlain: return 20;
    case ConnectionLayout::kUdpPlain: return 8;
  }
  return 0;
}

std::size_t WalkConnectionTable(const std::byte* buffer, std::size_t filled,
                                ConnectionLayout layout, std::vector<ConnectionEntry>& out) {
  if (filled < kConnectionRows) return 0;
  const std::size_t rowSize = ConnectionRowSize(layout);
  const std::size_t count =
      std::min<std::size_t>(Dword(buffer, 0), (filled - kConnectionRows) / rowSize);
  for (std::size_t i = 0; i < count; ++i)
    out.push_back(Decode(buffer + kConnectionRows + i * rowSize, layout));
  return count;
}

TableRead ReadConnectionTable(const TableCall& call, std::vector<std::byte>& buffer,
                              std::size_t& filled) {
  filled = 0;
  std::uint32_t size = 0;
  if (call(nullptr, &size) != platform::kErrorInsufficientBuffer) return TableRead::kNoSizeAnswer;
  for (int attempt = 0; attempt < kMaxCalls; ++attempt) {
    if (size > kMaxTable) return TableRead::kFailed;
    buffer.assign(std::max<std::uint32_t>(size, kConnectionRows), std::byte{0});
    size = static_cast<std::uint32_t>(buffer.size());
    const std::uint32_t result = call(buffer.data(), &size);
    if (result == platform::kNoError) {
      filled = buffer.size();
      return TableRead::kOk;
    }
    // Connections opened between the two calls: ask again with the new size.
    if (result != platform::kErrorInsufficientBuffer || size <= buffer.size()) break;
  }
  return TableRead::kFailed;
}

}  // namespace net
