// The rows of the system's TCP and UDP tables, the same for 32-bit and 64-bit
// programs: every table is a 32-bit row count followed by the rows from offset 4.
// Addresses are in network order; a port, also in network order, fills the low
// 16 bits of its 32-bit field. The walk in net/ decodes with these forms and the
// fake system writes with them.
#pragma once
#include <cstddef>

namespace platform::connection_layout {

inline constexpr std::size_t kRows = 4;
inline constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

// Where the fields of one row form lie, in bytes; kAbsent for a field it lacks.
struct RowForm {
  std::size_t size = 0;
  std::size_t addressBytes = 4;  // 16 for IPv6
  std::size_t state = kAbsent;   // TCP state 1..12
  std::size_t localAddress = kAbsent;
  std::size_t localPort = kAbsent;
  std::size_t remoteAddress = kAbsent;
  std::size_t remotePort = kAbsent;
  std::size_t owningPid = kAbsent;
};

// MIB_TCPROW_OWNER_PID, also the rows of the stack's TCP call.
inline constexpr RowForm kTcpOwnerPid{.size = 24, .state = 0, .localAddress = 4, .localPort = 8,
                                      .remoteAddress = 12, .remotePort = 16, .owningPid = 20};
// MIB_TCP6ROW_OWNER_PID: each address is followed by a scope identifier.
inline constexpr RowForm kTcp6OwnerPid{.size = 56, .addressBytes = 16, .state = 48,
                                       .localAddress = 0, .localPort = 20, .remoteAddress = 24,
                                       .remotePort = 44, .owningPid = 52};
// MIB_UDPROW_OWNER_PID, also the rows of the stack's UDP call.
inline constexpr RowForm kUdpOwnerPid{.size = 12, .localAddress = 0, .localPort = 4,
                                      .owningPid = 8};
// MIB_UDP6ROW_OWNER_PID.
inline constexpr RowForm kUdp6OwnerPid{.size = 28, .addressBytes = 16, .localAddress = 0,
                                       .localPort = 20, .owningPid = 24};
// MIB_TCPROW and MIB_UDPROW, which name no owner.
inline constexpr RowForm kTcpPlain{.size = 20, .state = 0, .localAddress = 4, .localPort = 8,
                                   .remoteAddress = 12, .remotePort = 16};
inline constexpr RowForm kUdpPlain{.size = 8, .localAddress = 0, .localPort = 4};

}  // namespace platform::connection_layout
