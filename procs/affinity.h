// The processor affinity as the "关系设置" dialog shows it: one check box per
// processor ("CPU 0", "CPU 1", ...) against the process's affinity mask.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace procs {

// At most this many processors fit one mask.
inline constexpr int kMaxAffinityProcessors = 64;

// The check state of each of `processors` boxes for a mask.
std::vector<bool> ProcessorsOfMask(std::uint64_t mask, int processors);
// The mask of the checked boxes; empty when none is checked (a process must keep
// at least one processor).
std::optional<std::uint64_t> MaskOfProcessors(const std::vector<bool>& checked);
// "CPU 0", "CPU 1", ...
std::wstring ProcessorCaption(int index);

}  // namespace procs
