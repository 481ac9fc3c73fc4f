// The adapter table: one row per network interface of the last interface table
// that was read, in the system's order, with the names and figures the
// Networking page shows and the octet counters its graphs are drawn from.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace net {

struct TAdapterStatus {
  std::uint32_t OperStatus = 0;   // the older interface table's words (OperStatus)
  std::wstring Description;
  std::wstring ConnectionName;    // empty: the page leaves the row out
  std::uint64_t Speed = 0;        // bits per second, 0 when unknown
  std::uint64_t ReceivedOctets = 0;
  std::uint64_t SentOctets = 0;
  int CounterBits = 32;           // where the octet counters wrap
};

struct TAdapterStatuses {
  std::vector<TAdapterStatus> Rows;
  // When the rows were last read (the clock's milliseconds); the counters
  // belong to that moment.
  std::int64_t SampleTimeMs = 0;
  // The ticks since the reading before: the graphs give each of them a column.
  int TicksCovered = 1;
};

}  // namespace net
