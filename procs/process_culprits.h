// Who used the machine at one tick: the three processes with the largest CPU
// share and the three with the most committed memory (their private bytes).
// The collector offers each process once as it walks the snapshot and the
// best three are kept as they come, so nothing is sorted and nothing is
// allocated; names are copied into fixed buffers and outlive their rows.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace procs {

inline constexpr std::size_t kCulpritsKept = 3;
// Longer image names are cut to this many UTF-16 units.
inline constexpr std::size_t kCulpritNameUnits = 24;

// An image name in a fixed buffer of UTF-16 units, as long as the window
// system's own characters are on every build.
class ShortName {
 public:
  void Assign(std::wstring_view name);
  std::u16string_view Units() const { return {units_.data(), length_}; }
  bool empty() const { return length_ == 0; }
  void AppendTo(std::wstring& out) const;

 private:
  std::array<char16_t, kCulpritNameUnits> units_{};
  std::uint8_t length_ = 0;
};

struct Culprit {
  std::uint32_t pid = 0;
  std::uint32_t figure = 0;  // CPU: tenths of a percent; memory: KB
  ShortName name;
};

// The three largest figures offered, largest first; a tie goes to the lower PID.
class TopThree {
 public:
  void Clear() { count_ = 0; }
  void Offer(std::uint32_t pid, std::uint32_t figure, std::wstring_view name);
  std::size_t Count() const { return count_; }
  const Culprit& operator[](std::size_t i) const { return kept_[i]; }

 private:
  std::array<Culprit, kCulpritsKept> kept_{};
  std::size_t count_ = 0;
};

struct TickCulprits {
  TopThree cpu;     // shares of at least 0.5 %, which show as 1 % or more
  TopThree memory;  // private bytes in KB
  // The busiest process of the tick; null when none had a share to show.
  const Culprit* Busiest() const { return cpu.Count() > 0 ? &cpu[0] : nullptr; }
};

// A share in tenths of a percent as the whole percent it shows as.
inline std::uint32_t WholePercent(std::uint32_t tenths) { return (tenths + 5) / 10; }

}  // namespace procs
