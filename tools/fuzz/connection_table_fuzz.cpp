// Feeds arbitrary bytes to the TCP/UDP table walk in each of its six layouts and
// formats every row found, as the port list would.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "net/connection_format.h"
#include "net/connection_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::byte> buffer(size);
  if (size > 0) std::memcpy(buffer.data(), data, size);
  std::vector<net::ConnectionEntry> entries;
  for (auto layout : {net::ConnectionLayout::kTcpOwnerPid, net::ConnectionLayout::kTcp6OwnerPid,
                      net::ConnectionLayout::kUdpOwnerPid, net::ConnectionLayout::kUdp6OwnerPid,
                      net::ConnectionLayout::kTcpPlain, net::ConnectionLayout::kUdpPlain}) {
    entries.clear();
    net::WalkConnectionTable(buffer.data(), size, layout, entries);
    for (const net::ConnectionEntry& e : entries) {
      net::FormatAddress(e.localAddress);
      net::FormatAddress6(e.remoteAddress);
      net::FormatPort(e.localPort);
      net::FormatPlainPort(e.remotePort);
      net::TcpStateName(e.state);
    }
  }
  return 0;
}
