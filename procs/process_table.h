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

#include "procs/column_kind.h"

namespace procs {

// Values of TprocTimeInfo::Listed.
enum ListedState : std::uint8_t {
  kRefreshed = 0,  // stored or refreshed by the collector, not yet taken by the page
  kShown = 1,      // taken by the page, which lists it
  kFilteredOut = 2,  // taken by the page, which does not list it (another user's, or not
                     // matching the filter text)
};

// CpuShareKey of the two CPU texts that are not a share: "0" and "".
inline constexpr std::int64_t kShareKeyZeroText = -1'000'000'001;
inline constexpr std::int64_t kShareKeyBlank = -1'000'000'002;

// What the "状态" column says of a process.
enum class ProcessState : std::uint8_t { kRunning, kSuspended, kNotResponding };

struct TprocTimeInfo {
  std::int64_t ProcessId = -1;  // -1 marks a free row
  std::optional<std::int64_t> LastSampleTime;  // the unbiased clock, 100 ns units
  std::optional<std::int64_t> LastCpuTime;     // 100 ns units
  std::wstring ImageName;
  std::wstring UserName;
  std::wstring CpuText;
  std::int64_t MemoryK = 0;
  std::int64_t CpuTime = 0;  // kernel + user, 100 ns units
  std::wstring ImagePath;
  std::uint8_t Listed = kRefreshed;  // a ListedState
  std::wstring PriorityText;
  std::int64_t CreateTime = 0;  // kUnknownCreateTime where the system did not tell it yet
  // With CreateTime unknown, the wall-clock time by which the process existed:
  // the tick that listed it.
  std::int64_t CreatedBy = 0;
  std::int64_t ParentProcessId = 0;  // as the snapshot reports it, possibly stale
  // Made again for a new process that reused the identifier: every cell of its
  // item must be rewritten, not only the figures.
  bool Renewed = false;
  std::uint32_t Changed = 0;  // ChangeBit of each kind whose figure changed since the page took the row
  std::int64_t CpuShareKey = 0;  // what CpuText shows, as a number (see the collector)
  // The page's filter text this row was last matched against (its generation), and
  // whether it matched; 0: not matched yet.
  std::uint32_t FilterGeneration = 0;
  bool FilterMatch = true;

  // Figures of the optional columns. Memory in whole KB; the deltas are the
  // change since the previous tick.
  std::int64_t MemoryDeltaK = 0;
  std::int64_t PeakMemoryK = 0;
  std::int64_t PageFaults = 0;
  std::int64_t PageFaultDelta = 0;
  std::int64_t UserObjects = 0;  // gathered only while a column shows them
  std::int64_t GdiObjects = 0;
  std::int64_t IoReads = 0, IoWrites = 0, IoOther = 0;
  std::int64_t IoReadBytes = 0, IoWriteBytes = 0, IoOtherBytes = 0;
  std::int64_t SessionId = 0;
  std::int64_t ThreadCount = 0;
  std::int64_t HandleCount = 0;
  std::int64_t BasePriority = 0;
  std::int64_t PagedPoolK = 0;
  std::int64_t NonPagedPoolK = 0;
  std::int64_t VirtualSizeK = 0;
  // Who the process is: read once, when the row is made or when a column of them
  // is first shown; the version texts again when the path is found later.
  bool IdentityRead = false;
  bool VersionTextsRead = false;
  std::wstring CommandLine;
  std::wstring Description;  // of the image file's version resource
  std::wstring Company;
  std::wstring PlatformText;  // "64 位", "32 位" or "暂缺"
  ProcessState State = ProcessState::kRunning;
  std::wstring StateText;  // the text of State
  // Suspended from this page and not resumed since: it reads "已挂起" whatever its
  // thread records say, until a snapshot shows one of its threads running (someone
  // else resumed it). A process that reuses the identifier gets a new row.
  bool SuspendedHere = false;
  bool SomeThreadSuspended = false;  // as the last snapshot said
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

  // The USER and GDI object counts cost a call per process: the collector takes
  // them only while the page shows a column of them.
  bool WantsGuiCounts() const { return wantsGuiCounts_; }
  void SetWantsGuiCounts(bool wanted) { wantsGuiCounts_ = wanted; }
  // The command line, version texts and platform cost an open and a file read:
  // taken only while the page shows a column of them.
  bool WantsIdentity() const { return wantsIdentity_; }
  void SetWantsIdentity(bool wanted) { wantsIdentity_ = wanted; }

 private:
  bool wantsGuiCounts_ = false;
  bool wantsIdentity_ = false;
  std::vector<TprocTimeInfo> rows_;
  std::unordered_map<std::int64_t, std::size_t> index_;
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> freeRows_;
};

// Totals of the whole system for the Performance page and the status bar.
struct TMainProcInfo {
  std::int64_t HandleCount = 0;
  std::int64_t ThreadCount = 0;
  std::int64_t ProcessCount = 0;
  std::wstring PhysTotalK, PhysAvailK;
  std::wstring CommitTotalK, CommitLimitK, CommitPeakK;
  std::wstring KernelTotalK, KernelPagedK, KernelNonpagedK;
  std::wstring CommitLimitM, CommitTotalM;
};

}  // namespace procs
