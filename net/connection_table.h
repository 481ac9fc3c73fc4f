// Walks over the system's TCP and UDP tables in their six layouts (IPv4 and IPv6
// rows with owning processes, the plain IPv4 rows without), and the reading of
// one table through the size query and the real call.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace net {

enum class Protocol : std::uint8_t { kTcp, kUdp };

struct ConnectionEntry {
  Protocol protocol = Protocol::kTcp;
  bool ipv6 = false;
  // Addresses in the system's (network) byte order; IPv4 uses the first four.
  std::array<std::uint8_t, 16> localAddress{};
  std::array<std::uint8_t, 16> remoteAddress{};
  std::uint32_t localPort = 0;   // the raw 32-bit fields: port in network order,
  std::uint32_t remotePort = 0;  // low 16 bits
  std::uint32_t state = 0;       // TCP state 1..12; 0 for UDP
  std::uint32_t pid = 0;  // 0 in the plain tables, which know no owner
};

enum class ConnectionLayout {
  kTcpOwnerPid,   // MIB_TCPROW_OWNER_PID, also the stack call's TCP rows
  kTcp6OwnerPid,  // MIB_TCP6ROW_OWNER_PID
  kUdpOwnerPid,   // MIB_UDPROW_OWNER_PID, also the stack call's UDP rows
  kUdp6OwnerPid,  // MIB_UDP6ROW_OWNER_PID
  kTcpPlain,      // MIB_TCPROW
  kUdpPlain,      // MIB_UDPROW
};

// Appends the rows of a table in buffer[0, filled) to `out`. A count larger than
// the filled part holds is cut to the rows that are there. Returns the rows added.
std::size_t WalkConnectionTable(const std::byte* buffer, std::size_t filled,
                                ConnectionLayout layout, std::vector<ConnectionEntry>& out);

// One call of a table function: (buffer, size in/out) -> result code.
using TableCall = std::function<std::uint32_t(void*, std::uint32_t*)>;

enum class TableRead { kOk, kNoSizeAnswer, kFailed };
// The size query, then the real call into `buffer` (zero-filled, of the size the
// system asked for; a table that grew in between is asked for again).
// kNoSizeAnswer: the size query did not answer "insufficient buffer". `filled`
// gets the usable size, 0 unless kOk.
TableRead ReadConnectionTable(const TableCall& call, std::vector<std::byte>& buffer,
                              std::size_t& filled);

}  // namespace net
