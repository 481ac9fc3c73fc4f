// Throughput arithmetic of the adapter graphs.
#include "net/traffic_meter.h"

#include <algorithm>

namespace net {

std::uint64_t CounterDelta(std::uint64_t previous, std::uint64_t current, int bits) {
  if (bits >= 64) return current >= previous ? current - previous : 0;
  const std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
  return ((current & mask) - (previous & mask)) & mask;
}

double TrafficMeter::Sample(std::uint64_t received, std::uint64_t sent, int bits,
                            std::uint64_t linkBitsPerSecond, std::int64_t timeMs) {
  const bool hasBase = primed_ && timeMs > timeMs_;
  const std::uint64_t octets =
      hasBase ? CounterDelta(received_, received, bits) + CounterDelta(sent_, sent, bits) : 0;
  const std::int64_t elapsedMs = timeMs - timeMs_;
  if (!primed_ || timeMs > timeMs_) {
    primed_ = true;
    received_ = received;
    sent_ = sent;
    timeMs_ = timeMs;
  }
  if (!hasBase) return 0;
  lastBitsPerSecond_ = static_cast<double>(octets) * 8.0 * 1000.0 / static_cast<double>(elapsedMs);
  if (linkBitsPerSecond > 0)
    return std::min(1.0, lastBitsPerSecond_ / static_cast<double>(linkBitsPerSecond));
  peakBitsPerSecond_ = std::max(peakBitsPerSecond_, lastBitsPerSecond_);
  return peakBitsPerSecond_ > 0 ? lastBitsPerSecond_ / peakBitsPerSecond_ : 0;
}

}  // namespace net
