// Fills the process table from one snapshot per tick. A process is opened only
// when its row is made (for its path, user and priority); every later tick takes
// its memory and CPU time from the snapshot alone, and asks the path look-up
// again only while the path is unknown.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/clock.h"
#include "platform/native_api.h"
#include "platform/process_api.h"
#include "procs/process_culprits.h"
#include "procs/process_path.h"
#include "procs/process_snapshot.h"
#include "procs/process_table.h"
#include "ui/update_notice.h"

namespace procs {

// The most image files one tick opens for their version texts: a column shown
// over hundreds of rows fills over the next ticks instead of in one long one.
inline constexpr int kVersionReadsPerTick = 32;

class ProcessCollector {
 public:
  ProcessCollector(platform::NativeApi& native, platform::ProcessApi& processes,
                   ProcessPathLookup& paths, platform::Clock& clock,
                   ui::UpdateNotice notice, ProcessTable& table, TMainProcInfo& totals,
                   const bool& closing, const int& cpuInstanceCount);

  // One tick: walk the snapshot, merge it into the table, post the update.
  // A failed snapshot leaves the table as it is and posts nothing.
  void CollectProcesses();

  // Fills in the processes that own a window found not responding; asked once a
  // tick for the "状态" column. Without it no process reads "无响应".
  using NotRespondingSource = std::function<void(std::vector<std::uint32_t>& pids)>;
  void SetNotRespondingSource(NotRespondingSource source) { notResponding_ = std::move(source); }

  // The busiest processes of the last tick; none after a failed snapshot.
  const TickCulprits& Culprits() const { return culprits_; }

 private:
  TprocTimeInfo& StoreProcessRow(const SnapshotEntry& entry, std::int64_t now);
  void OfferCulprit(const TprocTimeInfo& row, const SnapshotEntry& entry);
  TprocTimeInfo NewRow(const SnapshotEntry& entry);
  void ForgetImpossibleCreateTime(SnapshotEntry& entry) const;
  static bool IsReplacement(TprocTimeInfo& row, const SnapshotEntry& entry);
  void TakeGuiCounts(TprocTimeInfo& row, const SnapshotEntry& entry);
  void RetryUnknownPath(TprocTimeInfo& row, const SnapshotEntry& entry);
  void TakeState(TprocTimeInfo& row, const SnapshotEntry& entry);
  // The command line and platform, through `process` when it is open already,
  // else through an open of its own.
  void TakeIdentity(TprocTimeInfo& row, const SnapshotEntry& entry,
                    platform::OpenedProcess* process);
  // Description and company from the image file, while this tick may still read one.
  void TakeVersionTexts(TprocTimeInfo& row);
  int ProcessorCount() const;

  platform::ProcessApi& processes_;
  ProcessPathLookup& paths_;
  platform::Clock& clock_;
  ui::UpdateNotice notice_;
  ProcessTable& table_;
  TMainProcInfo& totals_;
  const bool& closing_;
  const int& cpuInstanceCount_;
  ProcessSnapshotReader reader_;
  std::vector<SnapshotEntry> entries_;
  std::int64_t listedBy_ = 0;  // the wall clock at the last snapshot
  NotRespondingSource notResponding_;
  std::vector<std::uint32_t> notRespondingPids_;  // sorted, this tick's
  int versionReadsLeft_ = 0;  // image files this tick may still open
  TickCulprits culprits_;
};

}  // namespace procs
