// The process collector. Each tick takes one snapshot; rows are refreshed from it,
// and only a process seen for the first time is opened (once here, once for its path).
#include "procs/process_collector.h"

#include <algorithm>

#include "procs/process_format.h"

namespace procs {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

}  // namespace

ProcessCollector::ProcessCollector(platform::NativeApi& native,
                                   platform::ProcessApi& processes, ProcessPathLookup& paths,
                                   platform::Clock& clock,
                                   ui::UpdateNotice notice, ProcessTable& table,
                                   TMainProcInfo& totals, const bool& closing,
                                   const int& cpuInstanceCount)
    : processes_(processes),
      paths_(paths),
      clock_(clock),
      notice_(notice),
      table_(table),
      totals_(totals),
      closing_(closing),
      cpuInstanceCount_(cpuInstanceCount),
      reader_(native) {}

void ProcessCollector::CollectProcesses() {
  culprits_.cpu.Clear();
  culprits_.memory.Clear();
  // A failed snapshot would make every item look gone: keep the table as it is.
  if (!reader_.Take(entries_)) return;
  // Shares are timed by the unbiased clock: a process's CPU time does not grow
  // while the machine sleeps, nor does that clock.
  const std::int64_t now = clock_.UnbiasedTime();
  // Every process listed was created by now.
  listedBy_ = clock_.SystemTime();
  versionReadsLeft_ = kVersionReadsPerTick;
  notRespondingPids_.clear();
  if (notResponding_) notResponding_(notRespondingPids_);
  std::sort(notRespondingPids_.begin(), notRespondingPids_.end());
  std::int64_t handles = 0, threads = 0;
  bool complete = true;
  for (SnapshotEntry& entry : entries_) {
    ForgetImpossibleCreateTime(entry);
    if (closing_) {
      complete = false;
      break;
    }
    handles += entry.handleCount;
    threads += entry.threadCount;
    OfferCulprit(StoreProcessRow(entry, now), entry);
  }
  if (complete) {
    paths_.KeepOnly(entries_);
    totals_.HandleCount = handles;
    totals_.ThreadCount = threads;
    totals_.ProcessCount = static_cast<std::int64_t>(entries_.size());
  }
  notice_.Post();
}

int ProcessCollector::ProcessorCount() const {
  return cpuInstanceCount_ > 1 ? cpuInstanceCount_ - 1 : 1;
}

namespace {

// Stores a figure and marks its kind changed when it differs.
void Put(TprocTimeInfo& row, std::int64_t& field, std::int64_t value, ColumnKind kind) {
  if (field == value) return;
  field = value;
  row.Changed |= ChangeBit(kind);
}

// The figures that the snapshot entry carries for the optional columns. The
// deltas are against the figures of the previous tick (0 for a new row).
void TakeSnapshotFigures(TprocTimeInfo& row, const SnapshotEntry& e, std::int64_t memoryK,
                         bool fresh) {
  const auto faults = static_cast<std::int64_t>(e.pageFaults);
  Put(row, row.MemoryDeltaK, fresh ? 0 : memoryK - row.MemoryK, ColumnKind::kMemoryDelta);
  Put(row, row.PageFaultDelta, fresh ? 0 : faults - row.PageFaults, ColumnKind::kPageFaultDelta);
  Put(row, row.MemoryK, memoryK, ColumnKind::kMemory);
  Put(row, row.PageFaults, faults, ColumnKind::kPageFaults);
  Put(row, row.PeakMemoryK, BytesToK(e.peakWorkingSet), ColumnKind::kPeakMemory);
  Put(row, row.VirtualSizeK, BytesToK(e.virtualSize), ColumnKind::kVirtualSize);
  Put(row, row.PagedPoolK, BytesToK(e.pagedPool), ColumnKind::kPagedPool);
  Put(row, row.NonPagedPoolK, BytesToK(e.nonPagedPool), ColumnKind::kNonPagedPool);
  Put(row, row.IoReads, static_cast<std::int64_t>(e.readOperations), ColumnKind::kIoReads);
  Put(row, row.IoWrites, static_cast<std::int64_t>(e.writeOperations), ColumnKind::kIoWrites);
  Put(row, row.IoOther, static_cast<std::int64_t>(e.otherOperations), ColumnKind::kIoOther);
  Put(row, row.IoReadBytes, static_cast<std::int64_t>(e.readBytes), ColumnKind::kIoReadBytes);
  Put(row, row.IoWriteBytes, static_cast<std::int64_t>(e.writeBytes), ColumnKind::kIoWriteBytes);
  Put(row, row.IoOtherBytes, static_cast<std::int64_t>(e.otherBytes), ColumnKind::kIoOtherBytes);
  Put(row, row.SessionId, e.sessionId, ColumnKind::kSessionId);
  Put(row, row.ThreadCount, e.threadCount, ColumnKind::kThreadCount);
  Put(row, row.HandleCount, e.handleCount, ColumnKind::kHandleCount);
  Put(row, row.BasePriority, e.basePriority, ColumnKind::kBasePriority);
}

}  // namespace

// The idle entry is the processors' free time, no process to blame.
void ProcessCollector::OfferCulprit(const TprocTimeInfo& row, const SnapshotEntry& entry) {
  if (!entry.HasName()) return;
  const auto figure = [](std::int64_t value) {
    return static_cast<std::uint32_t>(std::min<std::int64_t>(value, 0xFFFFFFFF));
  };
  // A share that would show as 0 % names nobody.
  if (row.CpuShareKey >= 5)
    culprits_.cpu.Offer(entry.processId, figure(row.CpuShareKey), row.ImageName);
  if (const std::int64_t committedK = BytesToK(entry.privateBytes); committedK > 0)
    culprits_.memory.Offer(entry.processId, figure(committedK), row.ImageName);
}

// A process still being started can be listed before the system has stamped its
// creation time (Wine reports the unset field): a time after the listing, beyond
// any setting back of the clock, is no time at all.
void ProcessCollector::ForgetImpossibleCreateTime(SnapshotEntry& entry) const {
  constexpr std::int64_t kOneDay = 24LL * 3600 * 10'000'000;
  if (entry.createTime > listedBy_ + kOneDay) entry.createTime = kUnknownCreateTime;
}

// Whether the row stands for another process than the entry: one that reused
// the identifier. A time not known on either side is learned, not compared,
// unless it names a process created after the row's was listed.
bool ProcessCollector::IsReplacement(TprocTimeInfo& row, const SnapshotEntry& entry) {
  if (entry.createTime == kUnknownCreateTime) return false;
  if (row.CreateTime == kUnknownCreateTime && entry.createTime <= row.CreatedBy) {
    row.CreateTime = entry.createTime;
    return false;
  }
  return row.CreateTime != entry.createTime;
}

// The CPU column reads "0" while a process has no row (its first tick), "" on the
// tick that takes its first sample, and the share from then on.
TprocTimeInfo& ProcessCollector::StoreProcessRow(const SnapshotEntry& entry, std::int64_t now) {
  const std::int64_t cpuTime = entry.kernelTime + entry.userTime;
  TprocTimeInfo* row = table_.Find(entry.processId);
  // An identifier with another creation time belongs to a new process that
  // reused it: the row is made again rather than keep the old name and path.
  if (row == nullptr || IsReplacement(*row, entry)) {
    TprocTimeInfo& fresh = row ? (*row = NewRow(entry)) : table_.Add(NewRow(entry));
    fresh.Renewed = row != nullptr;
    fresh.CpuTime = cpuTime;
    fresh.CpuText = L"0";
    fresh.CpuShareKey = kShareKeyZeroText;
    if (table_.WantsGuiCounts()) TakeGuiCounts(fresh, entry);
    TakeState(fresh, entry);
    return fresh;
  }
  // The share is compared as a number: the text is formatted only when it changes.
  std::int64_t shareKey;
  if (row->LastSampleTime && *row->LastSampleTime == now) {
    shareKey = kShareKeyZeroText;  // two updates within one tick of the clock: no share to give
  } else {
    if (row->LastSampleTime && row->LastCpuTime) {
      const double elapsedUnits = static_cast<double>(now - *row->LastSampleTime);
      const double used = static_cast<double>(cpuTime - *row->LastCpuTime);
      shareKey = ShareTenths(used / elapsedUnits * 100.0 / ProcessorCount());
    } else {
      shareKey = kShareKeyBlank;
    }
    row->LastSampleTime = now;
    row->LastCpuTime = cpuTime;
  }
  if (shareKey != row->CpuShareKey) {
    row->CpuShareKey = shareKey;
    if (shareKey == kShareKeyZeroText) {
      row->CpuText = L"0";
    } else if (shareKey == kShareKeyBlank) {
      row->CpuText.clear();
    } else {
      FormatTenths(shareKey, row->CpuText);
    }
    row->Changed |= ChangeBit(ColumnKind::kCpu);
  }
  // The idle entry keeps the figure it was given; the system reports none for it.
  const std::int64_t memoryK = !entry.HasName() ? row->MemoryK : BytesToK(entry.workingSet);
  TakeSnapshotFigures(*row, entry, memoryK, false);
  if (cpuTime / kUnitsPerSecond != row->CpuTime / kUnitsPerSecond)
    row->Changed |= ChangeBit(ColumnKind::kCpuTime);
  row->CpuTime = cpuTime;
  if (table_.WantsGuiCounts()) TakeGuiCounts(*row, entry);
  RetryUnknownPath(*row, entry);
  // A column of them shown later: each row is read once.
  if (table_.WantsIdentity()) {
    if (!row->IdentityRead) TakeIdentity(*row, entry, nullptr);
    if (!row->VersionTextsRead) TakeVersionTexts(*row);
  }
  TakeState(*row, entry);
  row->Listed = kRefreshed;
  return *row;
}

// The look-up remembers its failures and decides when one is worth a new try.
void ProcessCollector::RetryUnknownPath(TprocTimeInfo& row, const SnapshotEntry& entry) {
  if (!entry.HasName() || row.ImagePath != kUnknownPath) return;
  const std::wstring& path = paths_.GetProcessPath(entry.processId, entry.createTime);
  if (path == row.ImagePath) return;
  row.ImagePath = path;
  row.Changed |= ChangeBit(ColumnKind::kPath);
  row.VersionTextsRead = false;  // there is a file to read them from now
}

// A suspended process cannot answer its windows either: it reads "已挂起".
void ProcessCollector::TakeState(TprocTimeInfo& row, const SnapshotEntry& entry) {
  if (entry.someThreadRunning) row.SuspendedHere = false;
  row.SomeThreadSuspended = entry.someThreadSuspended;
  ProcessState state = ProcessState::kRunning;
  if (row.SuspendedHere || entry.allThreadsSuspended) {
    state = ProcessState::kSuspended;
  } else if (std::binary_search(notRespondingPids_.begin(), notRespondingPids_.end(),
                                entry.processId)) {
    state = ProcessState::kNotResponding;
  }
  if (state == row.State && !row.StateText.empty()) return;
  row.State = state;
  row.StateText = state == ProcessState::kSuspended       ? L"已挂起"
                  : state == ProcessState::kNotResponding ? L"无响应"
                                                          : L"正在运行";
  row.Changed |= ChangeBit(ColumnKind::kState);
}

namespace {

void PutText(TprocTimeInfo& row, std::wstring& field, std::wstring value, ColumnKind kind) {
  if (field == value) return;
  field = std::move(value);
  row.Changed |= ChangeBit(kind);
}

}  // namespace

void ProcessCollector::TakeIdentity(TprocTimeInfo& row, const SnapshotEntry& entry,
                                    platform::OpenedProcess* process) {
  row.IdentityRead = true;
  std::unique_ptr<platform::OpenedProcess> opened;
  if (process == nullptr && entry.HasName()) {
    opened = processes_.Open(entry.processId, platform::ProcessAccess::kQueryLimited);
    process = opened.get();
  }
  std::optional<bool> wow64;
  if (process != nullptr) {
    PutText(row, row.CommandLine, process->CommandLine().value_or(L""), ColumnKind::kCommandLine);
    wow64 = process->IsWow64();
  }
  PutText(row, row.PlatformText, !wow64 ? L"暂缺" : *wow64 ? L"32 位" : L"64 位",
          ColumnKind::kPlatform);
}

// The texts come from the file, which needs no access to the process. A file on
// the network is never opened here: a share that has gone would hold this
// window for up to a minute. Its cells stay empty.
void ProcessCollector::TakeVersionTexts(TprocTimeInfo& row) {
  const bool noFile = row.ImagePath.empty() || row.ImagePath == kUnknownPath;
  if (noFile || paths_.IsRemotePath(row.ImagePath)) {
    row.VersionTextsRead = true;
    return;
  }
  if (versionReadsLeft_ == 0) return;  // a later tick reads it
  --versionReadsLeft_;
  row.VersionTextsRead = true;
  platform::FileVersionTexts texts = processes_.VersionTexts(row.ImagePath);
  PutText(row, row.Description, std::move(texts.description), ColumnKind::kDescription);
  PutText(row, row.Company, std::move(texts.company), ColumnKind::kCompany);
}

void ProcessCollector::TakeGuiCounts(TprocTimeInfo& row, const SnapshotEntry& entry) {
  // The idle entry is no process that could be asked.
  const auto counts = entry.HasName() ? processes_.GuiObjects(entry.processId) : std::nullopt;
  Put(row, row.UserObjects, counts ? counts->user : 0, ColumnKind::kUserObjects);
  Put(row, row.GdiObjects, counts ? counts->gdi : 0, ColumnKind::kGdiObjects);
}

TprocTimeInfo ProcessCollector::NewRow(const SnapshotEntry& entry) {
  TprocTimeInfo row;
  row.ProcessId = entry.processId;
  row.CreateTime = entry.createTime;
  row.CreatedBy = listedBy_;
  row.ParentProcessId = entry.parentProcessId;
  row.ImageName = reader_.ImageName(entry);
  row.ImagePath = kUnknownPath;
  row.PriorityText = PriorityWord(0);
  TakeSnapshotFigures(row, entry, row.ImageName.empty() ? 16 : BytesToK(entry.workingSet), true);
  if (row.ImageName.empty()) {
    row.ImageName = L"System Idle";
    return row;
  }
  row.ImagePath = paths_.GetProcessPath(entry.processId, entry.createTime);
  // The limited right is enough for the token and the priority class.
  std::unique_ptr<platform::OpenedProcess> process =
      processes_.Open(entry.processId, platform::ProcessAccess::kQueryLimited);
  std::optional<std::wstring> user =
      processes_.UserNameBySessionSid(entry.processId, entry.createTime);
  if (!user && process) user = process->TokenUserName();
  row.UserName = user.value_or(L"");
  if (process) row.PriorityText = PriorityWord(process->GetPriorityClass());
  if (table_.WantsIdentity()) {
    TakeIdentity(row, entry, process.get());
    TakeVersionTexts(row);
  }
  return row;
}

}  // namespace procs
