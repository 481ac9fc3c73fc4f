// The traffic of one adapter between two readings of its octet counters, as a
// share of its link (or, when the link speed is unknown, of the busiest moment
// seen so far).
#pragma once
#include <cstdint>

namespace net {

// Octets counted between two readings of a counter that wraps at 2^bits. A
// 64-bit counter that went back was reset, not wrapped: nothing is counted.
std::uint64_t CounterDelta(std::uint64_t previous, std::uint64_t current, int bits);

class TrafficMeter {
 public:
  // Received and sent octets as read at `timeMs`; returns the throughput since
  // the previous reading as a share of the link, 0..1. The first reading, and a
  // reading no later than the previous one, give 0.
  double Sample(std::uint64_t received, std::uint64_t sent, int bits,
                std::uint64_t linkBitsPerSecond, std::int64_t timeMs);
  // Bits per second of the last sample.
  double LastBitsPerSecond() const { return lastBitsPerSecond_; }
  void Reset() { *this = TrafficMeter(); }

 private:
  bool primed_ = false;
  std::uint64_t received_ = 0;
  std::uint64_t sent_ = 0;
  std::int64_t timeMs_ = 0;
  double peakBitsPerSecond_ = 0;
  double lastBitsPerSecond_ = 0;
};

}  // namespace net
