// What the graphs' tooltips tell of a past sample: for every graph update, the
// time, the CPU and page-file figures and the tick's culprits, in a ring of
// kSamples updates (the longest graph the page draws). Each name is kept once,
// in a pool of fixed slots that samples refer to by number, so the whole record
// stays within 200 KB whatever runs, and nothing is allocated after it is made.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "procs/process_culprits.h"

namespace perf {

// The figures of one graph update besides its culprits.
struct SampleFigures {
  int secondsOfDay = 0;  // local time
  int cpuPercent = 0;
  std::uint32_t pageFileMb = 0;
};

// One recorded sample as the tooltips read it; the names stay valid until the
// next Record.
struct RecordedSample {
  struct Entry {
    std::u16string_view name;
    std::uint32_t pid = 0;
    std::uint32_t figure = 0;  // CPU: tenths of a percent; memory: KB
  };
  SampleFigures figures;
  std::span<const std::uint8_t> processorPercent;  // empty when not recorded
  std::array<Entry, procs::kCulpritsKept> cpu{}, memory{};
  std::size_t cpuCount = 0, memoryCount = 0;
};

class CulpritRecord {
 public:
  static constexpr int kSamples = 2600;
  static constexpr int kNameSlots = 512;
  static constexpr std::uint16_t kNoName = 0xFFFF;

  CulpritRecord();

  // One byte per processor and sample, made once when the count is known (and
  // again only if it changes, forgetting the earlier figures).
  void SetProcessorCount(int count);
  void Record(const SampleFigures& figures, const std::vector<int>& perCpuPercent,
              const procs::TickCulprits& culprits);

  int Count() const;  // samples held, at most kSamples
  // Samples ever recorded: Recorded() - age names one sample for good.
  std::uint32_t Recorded() const { return recorded_; }
  // The sample `age` updates before the newest (0); none when nothing was
  // recorded that far back.
  std::optional<RecordedSample> At(int age) const;

  // Held per sample and per name, whatever the process count.
  struct StoredSample {
    std::uint32_t secondsOfDay;
    std::uint32_t pageFileMb;
    std::array<std::uint32_t, procs::kCulpritsKept> cpuPid, memoryPid, memoryKb;
    std::array<std::uint16_t, procs::kCulpritsKept> cpuTenths, cpuName, memoryName;
    std::uint8_t cpuPercent;
  };
  struct NameSlot {
    std::uint32_t lastUse;  // the sequence number + 1 of the last sample naming it
    procs::ShortName name;
  };
  static constexpr std::size_t kBytes =
      kSamples * sizeof(StoredSample) + kNameSlots * sizeof(NameSlot);

 private:
  std::uint16_t SlotFor(const procs::ShortName& name, std::uint32_t sequence);
  std::size_t ProcessorRow(std::uint32_t sequence) const;

  // Written before read, so pages of the ring not reached yet cost no memory.
  std::unique_ptr<StoredSample[]> samples_;
  std::unique_ptr<NameSlot[]> slots_;
  int slotsUsed_ = 0;
  std::uint32_t recorded_ = 0;   // samples ever recorded; the next one's sequence number
  std::uint32_t namesFrom_ = 0;  // earlier samples lost their names to a reused slot
  std::vector<std::uint8_t> processorPercent_;  // kSamples rows of one byte per processor
  int processors_ = 0;
  std::uint32_t processorsFrom_ = 0;  // the first sample with per-processor figures
};

static_assert(CulpritRecord::kBytes <= 200 * 1024, "the record must stay within 200 KB");

}  // namespace perf
