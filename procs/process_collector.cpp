// The process collector. Each tick takes one snapshot; rows are refreshed from it,
// and only a process seen for the first time is opened (at most twice).
#include "procs/process_collector.h"

#include "app/update_messages.h"
#include "procs/process_format.h"

namespace procs {
namespace {

// CpuShareKey values for the two texts that are not a share.
constexpr std::int64_t kZeroShareText = -1'000'000'001;
constexpr std::int64_t kBlankShareText = -1'000'000'002;
constexpr std::int64_t kUnitsPerSecond = 10'000'000;

}  // namespace

ProcessCollector::ProcessCollector(platform::NativeApi& native,
                                   platform::ProcessApi& processes, platform::Clock& clock,
                                   platform::MessagePoster& poster, ProcessTable& table,
                                   TMainProcInfo& totals, const bool& closing,
                                   const int& cpuInstanceCount)
    : processes_(processes),
      clock_(clock),
      poster_(poster),
      table_(table),
      totals_(totals),
      closing_(closing),
      cpuInstanceCount_(cpuInstanceCount),
      reader_(native) {}

void ProcessCollector::CollectProcesses() {
  // A failed snapshot would make every item look gone: keep the table as it is.
  if (!reader_.Take(entries_)) return;
  const std::int64_t now = clock_.NowMs();
  std::int64_t handles = 0, threads = 0;
  bool complete = true;
  for (const SnapshotEntry& entry : entries_) {
    if (closing_) {
      complete = false;
      break;
    }
    handles += entry.handleCount;
    threads += entry.threadCount;
    StoreProcessRow(entry, now);
  }
  if (complete) {
    totals_.HandleCount = handles;
    totals_.ThreadCount = threads;
    totals_.ProcessCount = static_cast<std::int64_t>(entries_.size());
  }
  poster_.Post(app::kUpdateProcesses);
}

int ProcessCollector::ProcessorCount() const {
  return cpuInstanceCount_ > 1 ? cpuInstanceCount_ - 1 : 1;
}

// The CPU column reads "0" while a process has no row (its first tick), "" on the
// tick that takes its first sample, and the share from then on.
void ProcessCollector::StoreProcessRow(const SnapshotEntry& entry, std::int64_t now) {
  const std::int64_t cpuTime = entry.kernelTime + entry.userTime;
  TprocTimeInfo* row = table_.Find(entry.processId);
  // An identifier with another creation time belongs to a new process that
  // reused it: the row is made again rather than keep the old name and path.
  if (row == nullptr || row->CreateTime != entry.createTime) {
    TprocTimeInfo& fresh = row ? (*row = NewRow(entry)) : table_.Add(NewRow(entry));
    fresh.Renewed = row != nullptr;
    fresh.CpuTime = cpuTime;
    fresh.CpuText = L"0";
    fresh.CpuShareKey = kZeroShareText;
    return;
  }
  // The share is compared as a number: the text is formatted only when it changes.
  std::int64_t shareKey;
  if (row->LastSampleTime && *row->LastSampleTime == now) {
    shareKey = kZeroShareText;  // two updates within one millisecond: no share to give
  } else {
    if (row->LastSampleTime && row->LastCpuTime) {
      const double elapsedUnits = static_cast<double>(now - *row->LastSampleTime) * 10'000.0;
      const double used = static_cast<double>(cpuTime - *row->LastCpuTime);
      shareKey = ShareTenths(used / elapsedUnits * 100.0 / ProcessorCount());
    } else {
      shareKey = kBlankShareText;
    }
    row->LastSampleTime = now;
    row->LastCpuTime = cpuTime;
  }
  if (shareKey != row->CpuShareKey) {
    row->CpuShareKey = shareKey;
    if (shareKey == kZeroShareText) {
      row->CpuText = L"0";
    } else if (shareKey == kBlankShareText) {
      row->CpuText.clear();
    } else {
      FormatTenths(shareKey, row->CpuText);
    }
    row->Changed |= kCpuTextChanged;
  }
  // The idle entry keeps the figure it was given; the system reports none for it.
  const std::int64_t memoryK = !entry.HasName()
                                   ? row->MemoryK
                                   : BytesToK(entry.workingSet);
  if (memoryK != row->MemoryK) row->Changed |= kMemoryChanged;
  if (cpuTime / kUnitsPerSecond != row->CpuTime / kUnitsPerSecond) row->Changed |= kCpuTimeChanged;
  row->MemoryK = memoryK;
  row->CpuTime = cpuTime;
  row->Listed = 0;
}

TprocTimeInfo ProcessCollector::NewRow(const SnapshotEntry& entry) {
  TprocTimeInfo row;
  row.ProcessId = entry.processId;
  row.CreateTime = entry.createTime;
  row.ImageName = reader_.ImageName(entry);
  row.MemoryK = BytesToK(entry.workingSet);
  row.ImagePath = L"unknown";
  row.PriorityText = PriorityWord(0);
  if (row.ImageName.empty()) {
    row.ImageName = L"System Idle";
    row.MemoryK = 16;
    return row;
  }
  // Full query rights give the loader's module path; protected processes still
  // grant the limited right, which gives the image path.
  std::unique_ptr<platform::OpenedProcess> process =
      processes_.Open(entry.processId, platform::ProcessAccess::kQuery);
  std::optional<std::wstring> path;
  if (process) {
    path = process->MainModulePath();
  } else {
    process = processes_.Open(entry.processId, platform::ProcessAccess::kQueryLimited);
  }
  if (process && !path) path = process->ImagePath();
  if (path) {
    const std::wstring cleaned = CleanModulePath(*path);
    if (!cleaned.empty()) row.ImagePath = cleaned;
  }
  std::optional<std::wstring> user =
      processes_.UserNameBySessionSid(entry.processId, entry.createTime);
  if (!user && process) user = process->TokenUserName();
  row.UserName = user.value_or(L"");
  if (process) row.PriorityText = PriorityWord(process->GetPriorityClass());
  return row;
}

}  // namespace procs
