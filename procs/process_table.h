// The process table: one row per running process, keyed by process identifier.
// Rows are never moved; a new process takes the lowest free row, and an index
// from identifier to row keeps every look-up constant-time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

namespace procs {

// Which figures of a row the last refresh changed, so that the page rewrites only
// those cells.
enum RowChange : std::uint8_t {
  kCpuTextChanged = 1,
  kMemoryChanged = 2,
  kCpuTimeChanged = 4,
};

struct TprocTimeInfo {
  std::int64_t ProcessId = -1;  // -1 marks a free row
  std::optional<std::int64_t> LastSampleTime;  // monotonic ms
  std::optional<std::int64_t> LastCpuTime;     // 100 ns units
  std::wstring ImageName;
  std::wstring UserName;
  std::wstring CpuText;
  std::int64_t MemoryK = 0;
  std::int64_t CpuTime = 0;  // kernel + user, 100 ns units
  std::wstring ImagePath;
  std::uint8_t Listed = 0;  // 0: refreshed by the collector; 1: taken by the page
  std::wstring PriorityText;
  std::int64_t CreateTime = 0;
  // Made again for a new process that reused the identifier: every cell of its
  // item must be rewritten, not only the figures.
  bool Renewed = false;
  std::uint8_t Changed = 0;  // RowChange bits since the page last took the row
  std::int64_t CpuShareKey = 0;  // what CpuText shows, as a number (see the collector)
};

class ProcessTable {
 public:
  static constexpr std::int64_t kFree = -1;

  std::size_t Capacity() const { return rows_.size(); }  // rows in use or free
  std::size_t Used() const { return index_.size(); }
  TprocTimeInfo& Row(std::size_t i) { return rows_[i]; }
  const TprocTimeInfo& Row(std::size_t i) const { return rows_[i]; }

  TprocTimeInfo* Find(std::int64_t pid);
  const TprocTimeInfo* Find(std::int64_t pid) const;
  // Stores a new process in the lowest free row (growing the table when none is
  // free) and returns that row.
  TprocTimeInfo& Add(TprocTimeInfo row);
  void Free(std::int64_t pid);

 private:
  std::vector<TprocTimeInfo> rows_;
  std::unordered_map<std::int64_t, std::size_t> index_;
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> freeRows_;
};

// Totals of the whole system for the Performance page and the status bar.
struct TMainProcInfo {
  std::int64_t HandleCount = 0;
  std::int64_t ThreadCount = 0;
  std::int64_t ProcessCount = 0;
  std::wstring PhysTotalK, PhysAvailK, SystemCacheK;
  std::wstring CommitTotalK, CommitLimitK, CommitPeakK;
  std::wstring KernelTotalK, KernelPagedK, KernelNonpagedK;
  std::wstring CommitLimitM, CommitTotalM;
};

}  // namespace procs
