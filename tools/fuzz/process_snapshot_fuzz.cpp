// Feeds arbitrary bytes to the process snapshot walk as if the system had written
// them: it must never read outside the filled part, whatever the links and names say.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/layouts/process_entry.h"
#include "procs/process_snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace layout = platform::process_entry_layout;
  std::vector<std::byte> buffer(size);
  if (size > 0) std::memcpy(buffer.data(), data, size);
  std::vector<procs::SnapshotEntry> entries;
  procs::WalkProcessSnapshot(buffer.data(), size, entries);
  // Names point into the buffer by address: turn the first entry's field into an
  // address relative to the buffer so that name decoding gets exercised too.
  if (size >= layout::kEntrySize) {
    std::uint64_t offset;
    std::memcpy(&offset, buffer.data() + layout::kImageNameBuffer, sizeof offset);
    const std::uint64_t address = reinterpret_cast<std::uintptr_t>(buffer.data()) + offset % (size + 64);
    std::memcpy(buffer.data() + layout::kImageNameBuffer, &address, sizeof address);
    procs::WalkProcessSnapshot(buffer.data(), size, entries);
    for (const procs::SnapshotEntry& entry : entries) procs::ImageNameOf(buffer.data(), entry);
  }
  return 0;
}
