// Walks over the system's interface tables (MIB_IF_TABLE2 with 64-bit speeds and
// counters, and the older MIB_IFTABLE), turning each row into the few figures the
// Networking page uses. Nothing is read past the filled part of the buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace net {

// Operational states in the words of the older table (MIB_IFROW's dwOperStatus).
enum OperStatus : std::uint32_t {
  kOperNonOperational = 0,
  kOperUnreachable = 1,
  kOperDisconnected = 2,
  kOperConnecting = 3,
  kOperConnected = 4,
  kOperOperational = 5,
};

struct InterfaceEntry {
  std::uint32_t operStatus = kOperNonOperational;
  std::wstring description;   // up to the first NUL
  std::uint64_t speed = 0;    // bits per second; 0 when unknown
  std::uint64_t receivedOctets = 0;
  std::uint64_t sentOctets = 0;
  int counterBits = 32;       // where the octet counters wrap
};

// The newer table reports the interface's state (up, down, dormant...) and its
// media state apart; these are the older table's words for the pair.
std::uint32_t OperStatusOfRow2(std::uint32_t ifOperStatus, std::uint32_t mediaConnectState);

using AnsiDecoder = std::function<std::wstring(std::string_view)>;

// Both walks resize `out` to the table's rows and return true, or return false
// (leaving `out` as it was) when the table claims more rows than were filled.
bool WalkIfTable2(const std::byte* buffer, std::size_t filled, std::vector<InterfaceEntry>& out);
bool WalkIfTable(const std::byte* buffer, std::size_t filled, const AnsiDecoder& decode,
                 std::vector<InterfaceEntry>& out);

}  // namespace net
