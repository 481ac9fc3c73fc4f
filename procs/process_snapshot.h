// Reading the system's process list: one native query into a buffer that grows
// when the system asks for more, and a walk that decodes the 64-bit entries
// without ever reading past what the query filled.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_api.h"

namespace procs {

// A creation time no process has: the one of a process nobody could tell.
inline constexpr std::int64_t kUnknownCreateTime = INT64_MIN;

struct SnapshotEntry {
  std::uint32_t processId = 0;
  std::uint32_t parentProcessId = 0;
  // Where the image name lies in the buffer; decoded only when a row is made,
  // since a tick needs the names of new processes alone. None for the idle entry.
  std::size_t nameOffset = 0;
  std::size_t nameChars = 0;
  bool HasName() const { return nameChars > 0; }
  std::int64_t createTime = 0;  // 100 ns units, as the system counts
  std::int64_t kernelTime = 0;
  std::int64_t userTime = 0;
  std::uint32_t threadCount = 0;
  std::uint32_t handleCount = 0;
  std::uint32_t sessionId = 0;
  std::int32_t basePriority = 0;
  std::uint64_t workingSet = 0;  // bytes
  std::uint64_t peakWorkingSet = 0;
  std::uint64_t virtualSize = 0;
  std::uint64_t pagedPool = 0;
  std::uint64_t nonPagedPool = 0;
  std::uint64_t privateBytes = 0;  // the committed memory only this process holds
  std::uint32_t pageFaults = 0;
  std::uint64_t readOperations = 0;
  std::uint64_t writeOperations = 0;
  std::uint64_t otherOperations = 0;
  std::uint64_t readBytes = 0;
  std::uint64_t writeBytes = 0;
  std::uint64_t otherBytes = 0;
  // What the thread records say; all false when the entry lists no threads or
  // their records do not fit in the snapshot. Wine writes records with no state
  // at all: neither suspended nor running.
  bool allThreadsSuspended = false;   // every thread waits as suspended
  bool someThreadSuspended = false;   // at least one does
  bool someThreadRunning = false;     // at least one runs or is ready to
};

// Decodes the entries in buffer[0, filled); `out` is resized to the entries found. Returns false when an entry
// or its link points outside the filled part: the snapshot is then unusable.
bool WalkProcessSnapshot(const std::byte* buffer, std::size_t filled,
                         std::vector<SnapshotEntry>& out);
// The image name of an entry that the walk found in `buffer`.
std::wstring ImageNameOf(const std::byte* buffer, const SnapshotEntry& entry);

class ProcessSnapshotReader {
 public:
  explicit ProcessSnapshotReader(platform::NativeApi& native);
  // False when the query failed or its answer could not be walked.
  bool Take(std::vector<SnapshotEntry>& out);
  // The name of an entry of the last snapshot taken.
  std::wstring ImageName(const SnapshotEntry& entry) const {
    return ImageNameOf(buffer_.get(), entry);
  }
  std::size_t BufferSize() const { return bufferSize_; }

 private:
  platform::NativeApi& native_;
  // Not cleared: the query writes what it answers, and pages it never writes
  // cost no memory.
  std::unique_ptr<std::byte[]> buffer_;
  std::size_t bufferSize_;
};

}  // namespace procs
