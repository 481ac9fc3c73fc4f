// The process snapshot: the query with its growing buffer, and the walk over the
// entries. Every read is checked against the part of the buffer the query filled.
#include "procs/process_snapshot.h"

#include <algorithm>
#include <cstring>

#include "platform/layouts/process_entry.h"
#include "platform/layouts/system_information.h"

namespace procs {
namespace {

using namespace platform::process_entry_layout;

template <typename T>
T Read(const std::byte* entry, std::size_t offset) {
  T value;
  std::memcpy(&value, entry + offset, sizeof value);
  return value;
}

// The name lies elsewhere in the buffer; whatever part of it lies outside the
// filled bytes is cut off rather than read.
void LocateName(const std::byte* buffer, std::size_t filled, const std::byte* entry,
                SnapshotEntry& out) {
  const std::size_t length = Read<std::uint16_t>(entry, kImageNameLength) & ~std::size_t{1};
  const auto address = Read<std::uint64_t>(entry, kImageNameBuffer);
  const auto base = reinterpret_cast<std::uintptr_t>(buffer);
  out.nameOffset = 0;
  out.nameChars = 0;
  if (length == 0 || address < base || address - base >= filled) return;
  out.nameOffset = static_cast<std::size_t>(address - base);
  out.nameChars = std::min(length, (filled - out.nameOffset) & ~std::size_t{1}) / 2;
}

void DecodeEntry(const std::byte* buffer, std::size_t filled, const std::byte* e,
                 SnapshotEntry& out) {
  out.processId = static_cast<std::uint32_t>(Read<std::uint64_t>(e, kUniqueProcessId));
  out.parentProcessId =
      static_cast<std::uint32_t>(Read<std::uint64_t>(e, kInheritedFromProcessId));
  LocateName(buffer, filled, e, out);
  out.createTime = Read<std::int64_t>(e, kCreateTime);
  out.kernelTime = Read<std::int64_t>(e, kKernelTime);
  out.userTime = Read<std::int64_t>(e, kUserTime);
  out.threadCount = Read<std::uint32_t>(e, kNumberOfThreads);
  out.handleCount = Read<std::uint32_t>(e, kHandleCount);
  out.sessionId = Read<std::uint32_t>(e, kSessionId);
  out.basePriority = Read<std::int32_t>(e, kBasePriority);
  out.workingSet = Read<std::uint64_t>(e, kWorkingSetSize);
  out.peakWorkingSet = Read<std::uint64_t>(e, kPeakWorkingSetSize);
  out.virtualSize = Read<std::uint64_t>(e, kVirtualSize);
  out.pagedPool = Read<std::uint64_t>(e, kQuotaPagedPoolUsage);
  out.nonPagedPool = Read<std::uint64_t>(e, kQuotaNonPagedPoolUsage);
  // Either field may be left 0 by a system that fills only the other.
  out.privateBytes = std::max(Read<std::uint64_t>(e, kPagefileUsage),
                              Read<std::uint64_t>(e, kPrivatePageCount));
  out.pageFaults = Read<std::uint32_t>(e, kPageFaultCount);
  out.readOperations = Read<std::uint64_t>(e, kReadOperationCount);
  out.writeOperations = Read<std::uint64_t>(e, kWriteOperationCount);
  out.otherOperations = Read<std::uint64_t>(e, kOtherOperationCount);
  out.readBytes = Read<std::uint64_t>(e, kReadTransferCount);
  out.writeBytes = Read<std::uint64_t>(e, kWriteTransferCount);
  out.otherBytes = Read<std::uint64_t>(e, kOtherTransferCount);
}

// The thread records follow the process entry; `room` is what lies between the
// entry's start and the next entry (or the end of the filled part). The walk
// stops once a running and a suspended thread have both been seen: nothing
// more can change.
void ReadThreadStates(const std::byte* e, std::size_t room, SnapshotEntry& out) {
  namespace thread = platform::thread_entry_layout;
  out.allThreadsSuspended = out.someThreadSuspended = out.someThreadRunning = false;
  const std::uint32_t threads = out.threadCount;
  if (threads == 0 || room < kEntrySize || (room - kEntrySize) / thread::kEntrySize < threads)
    return;
  std::uint32_t suspended = 0;
  for (std::uint32_t t = 0; t < threads && !(suspended > 0 && out.someThreadRunning); ++t) {
    const std::byte* record = e + kEntrySize + t * thread::kEntrySize;
    const auto state = Read<std::uint32_t>(record, thread::kThreadState);
    if (state == thread::kStateRunning || state == thread::kStateReady) {
      out.someThreadRunning = true;
    } else if (state == thread::kStateWaiting &&
               Read<std::uint32_t>(record, thread::kWaitReason) == thread::kWaitReasonSuspended) {
      ++suspended;
    }
  }
  out.someThreadSuspended = suspended > 0;
  out.allThreadsSuspended = suspended == threads;
}

constexpr std::uint32_t kInitialBufferSize = 300000;
constexpr int kMaxQueries = 8;
// A length beyond this is a broken answer, not a process list.
constexpr std::size_t kMaxBufferSize = 256u << 20;

}  // namespace

bool WalkProcessSnapshot(const std::byte* buffer, std::size_t filled,
                         std::vector<SnapshotEntry>& out) {
  std::size_t count = 0;
  std::size_t offset = 0;
  bool wellFormed = true;
  for (;;) {
    if (offset > filled || filled - offset < kEntrySize) {
      wellFormed = false;
      break;
    }
    const std::byte* entry = buffer + offset;
    if (count == out.size()) out.emplace_back();
    SnapshotEntry& decoded = out[count++];
    DecodeEntry(buffer, filled, entry, decoded);
    const auto next = Read<std::uint32_t>(entry, kNextEntryOffset);
    const std::size_t room = next == 0 ? filled - offset : std::min<std::size_t>(next, filled - offset);
    ReadThreadStates(entry, room, decoded);
    if (next == 0) break;
    // A link shorter than an entry would overlap it (or never end).
    if (next < kEntrySize) {
      wellFormed = false;
      break;
    }
    offset += next;
  }
  out.resize(count);
  return wellFormed;
}

std::wstring ImageNameOf(const std::byte* buffer, const SnapshotEntry& entry) {
  std::wstring name(entry.nameChars, L'\0');
  for (std::size_t i = 0; i < name.size(); ++i)
    name[i] = static_cast<wchar_t>(Read<std::uint16_t>(buffer + entry.nameOffset, 2 * i));
  return name;
}

ProcessSnapshotReader::ProcessSnapshotReader(platform::NativeApi& native)
    : native_(native),
      buffer_(std::make_unique_for_overwrite<std::byte[]>(kInitialBufferSize)),
      bufferSize_(kInitialBufferSize) {}

bool ProcessSnapshotReader::Take(std::vector<SnapshotEntry>& out) {
  for (int attempt = 0; attempt < kMaxQueries; ++attempt) {
    const auto size = static_cast<std::uint32_t>(bufferSize_);
    std::uint32_t returned = 0;
    const platform::NtStatus status = native_.QuerySystemInformation(
        platform::kSystemProcessInformation, buffer_.get(), size, &returned);
    if (status == platform::kStatusInfoLengthMismatch) {
      // Processes come and go between the two calls: ask for some room to spare.
      const std::size_t wanted = std::max<std::size_t>(returned + returned / 4, bufferSize_ * 2);
      if (wanted > kMaxBufferSize) return false;
      buffer_ = std::make_unique_for_overwrite<std::byte[]>(wanted);
      bufferSize_ = wanted;
      continue;
    }
    if (status != platform::kStatusSuccess || returned == 0 || returned > size) return false;
    return WalkProcessSnapshot(buffer_.get(), returned, out);
  }
  return false;
}

}  // namespace procs
