// What a column of the process list shows. Each cell is produced for the kind of
// the column it stands in, and each kind has one bit in a row's change mask.
#pragma once
#include <cstdint>

namespace procs {

// In the order the column chooser offers them, then the priority word, which only
// the columns of a fresh window show. Each kind has its row, in this order, in
// kProcessColumns (process_columns.h).
enum class ColumnKind : std::uint8_t {
  kImageName, kPid, kCpu, kCpuTime, kMemory, kMemoryDelta, kPeakMemory, kPageFaults,
  kUserObjects, kIoReads, kIoReadBytes, kSessionId, kUserName, kPath, kIoOtherBytes,
  kIoOther, kIoWriteBytes, kIoWrites, kGdiObjects, kThreadCount, kHandleCount,
  kBasePriority, kNonPagedPool, kPagedPool, kVirtualSize, kPageFaultDelta, kCommandLine,
  kDescription, kCompany, kPlatform, kState, kPriority,
  kCount
};

inline constexpr std::uint32_t ChangeBit(ColumnKind kind) {
  return std::uint32_t{1} << static_cast<unsigned>(kind);
}

static_assert(static_cast<unsigned>(ColumnKind::kCount) <= 32, "one change bit per kind");

}  // namespace procs
