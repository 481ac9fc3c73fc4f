// The system's TCP and UDP tables as raw buffers, in the three forms that systems
// offer: the extended tables with owning processes (IPv4 and IPv6), the older
// tables taken from the stack with owning processes, and the plain tables.
#pragma once
#include <cstdint>

#include "platform/adapter_api.h"  // result codes

namespace platform {

inline constexpr std::uint32_t kAfInet = 2;
inline constexpr std::uint32_t kAfInet6 = 23;

// Which optional entry points the system's iphlpapi.dll offers; a missing one is
// never called.
struct ConnectionEntryPoints {
  bool extendedTcp = false;  // GetExtendedTcpTable
  bool extendedUdp = false;  // GetExtendedUdpTable
  bool stackTcp = false;     // AllocateAndGetTcpExTableFromStack
  bool stackUdp = false;     // AllocateAndGetUdpExTableFromStack
};

class ConnectionApi {
 public:
  virtual ~ConnectionApi() = default;
  virtual ConnectionEntryPoints EntryPoints() = 0;
  // All calls fill at most *size bytes; a table that does not fit gives
  // kErrorInsufficientBuffer and the size needed in *size; a missing entry point
  // gives kErrorNotSupported.
  // Sorted MIB_TCPTABLE_OWNER_PID / MIB_TCP6TABLE_OWNER_PID (all states) and
  // MIB_UDPTABLE_OWNER_PID / MIB_UDP6TABLE_OWNER_PID, by address family.
  virtual std::uint32_t GetExtendedTcpTable(void* buffer, std::uint32_t* size,
                                            std::uint32_t family) = 0;
  virtual std::uint32_t GetExtendedUdpTable(void* buffer, std::uint32_t* size,
                                            std::uint32_t family) = 0;
  // The sorted IPv4 tables that the stack calls allocate (a count, then rows of
  // six and of three 32-bit fields), copied into `buffer`.
  virtual std::uint32_t TcpExTableFromStack(void* buffer, std::uint32_t* size) = 0;
  virtual std::uint32_t UdpExTableFromStack(void* buffer, std::uint32_t* size) = 0;
  // Unsorted MIB_TCPTABLE and MIB_UDPTABLE, without owning processes.
  virtual std::uint32_t GetTcpTable(void* buffer, std::uint32_t* size) = 0;
  virtual std::uint32_t GetUdpTable(void* buffer, std::uint32_t* size) = 0;
};

}  // namespace platform
