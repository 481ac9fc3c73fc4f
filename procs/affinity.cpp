// Affinity masks to check boxes and back.
#include "procs/affinity.h"

#include <algorithm>

namespace procs {

std::vector<bool> ProcessorsOfMask(std::uint64_t mask, int processors) {
  const int count = std::clamp(processors, 0, kMaxAffinityProcessors);
  std::vector<bool> checked(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) checked[static_cast<std::size_t>(i)] = (mask >> i) & 1;
  return checked;
}

std::optional<std::uint64_t> MaskOfProcessors(const std::vector<bool>& checked) {
  std::uint64_t mask = 0;
  const std::size_t count = std::min<std::size_t>(checked.size(), kMaxAffinityProcessors);
  for (std::size_t i = 0; i < count; ++i)
    if (checked[i]) mask |= std::uint64_t{1} << i;
  if (mask == 0) return std::nullopt;
  return mask;
}

std::wstring ProcessorCaption(int index) { return L"CPU " + std::to_wstring(index); }

}  // namespace procs
