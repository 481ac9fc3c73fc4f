// The ring of samples and its pool of names. A name that is not in the pool
// takes a slot never used, or else the one named longest ago; when that one is
// still named by a sample in the ring, every sample up to that one loses its
// names (not its figures), so a name is never shown against the wrong sample.
#include "perf/culprit_record.h"

#include <algorithm>

namespace perf {

CulpritRecord::CulpritRecord()
    : samples_(std::make_unique_for_overwrite<StoredSample[]>(kSamples)),
      slots_(std::make_unique_for_overwrite<NameSlot[]>(kNameSlots)) {}

void CulpritRecord::SetProcessorCount(int count) {
  count = std::max(count, 0);
  if (count == processors_) return;
  processors_ = count;
  processorPercent_.assign(static_cast<std::size_t>(kSamples) * static_cast<std::size_t>(count), 0);
  processorsFrom_ = recorded_;
}

std::size_t CulpritRecord::ProcessorRow(std::uint32_t sequence) const {
  return (sequence % kSamples) * static_cast<std::size_t>(processors_);
}

int CulpritRecord::Count() const {
  return static_cast<int>(std::min<std::uint32_t>(recorded_, kSamples));
}

std::uint16_t CulpritRecord::SlotFor(const procs::ShortName& name, std::uint32_t sequence) {
  int oldest = 0;
  for (int i = 0; i < slotsUsed_; ++i) {
    NameSlot& slot = slots_[i];
    if (slot.name.Units() == name.Units()) {
      slot.lastUse = sequence + 1;
      return static_cast<std::uint16_t>(i);
    }
    if (slot.lastUse < slots_[oldest].lastUse) oldest = i;
  }
  int taken = oldest;
  if (slotsUsed_ < kNameSlots) {
    taken = slotsUsed_++;
  } else {
    const std::uint32_t lastUse = slots_[taken].lastUse;  // never this sample: it holds 6 names
    namesFrom_ = std::max(namesFrom_, lastUse);
  }
  slots_[taken].name = name;
  slots_[taken].lastUse = sequence + 1;
  return static_cast<std::uint16_t>(taken);
}

void CulpritRecord::Record(const SampleFigures& figures, const std::vector<int>& perCpuPercent,
                           const procs::TickCulprits& culprits) {
  const std::uint32_t sequence = recorded_;
  StoredSample& s = samples_[sequence % kSamples];
  s.secondsOfDay = static_cast<std::uint32_t>(std::clamp(figures.secondsOfDay, 0, 86399));
  s.pageFileMb = figures.pageFileMb;
  s.cpuPercent = static_cast<std::uint8_t>(std::clamp(figures.cpuPercent, 0, 100));
  for (std::size_t i = 0; i < procs::kCulpritsKept; ++i) {
    const bool cpu = i < culprits.cpu.Count();
    s.cpuPid[i] = cpu ? culprits.cpu[i].pid : 0;
    const std::uint32_t tenths = cpu ? std::min<std::uint32_t>(culprits.cpu[i].figure, 0xFFFF) : 0;
    s.cpuTenths[i] = static_cast<std::uint16_t>(tenths);
    s.cpuName[i] = cpu ? SlotFor(culprits.cpu[i].name, sequence) : kNoName;
    const bool memory = i < culprits.memory.Count();
    s.memoryPid[i] = memory ? culprits.memory[i].pid : 0;
    s.memoryKb[i] = memory ? culprits.memory[i].figure : 0;
    s.memoryName[i] = memory ? SlotFor(culprits.memory[i].name, sequence) : kNoName;
  }
  if (processors_ > 0) {
    std::uint8_t* row = &processorPercent_[ProcessorRow(sequence)];
    for (int p = 0; p < processors_; ++p) {
      const int percent = static_cast<std::size_t>(p) < perCpuPercent.size() ? perCpuPercent[p] : 0;
      row[p] = static_cast<std::uint8_t>(std::clamp(percent, 0, 100));
    }
  }
  recorded_ = sequence + 1;
}

std::optional<RecordedSample> CulpritRecord::At(int age) const {
  if (age < 0 || age >= Count()) return std::nullopt;
  const std::uint32_t sequence = recorded_ - 1 - static_cast<std::uint32_t>(age);
  const StoredSample& s = samples_[sequence % kSamples];
  RecordedSample out;
  out.figures = {static_cast<int>(s.secondsOfDay), s.cpuPercent, s.pageFileMb};
  if (processors_ > 0 && sequence >= processorsFrom_)
    out.processorPercent = {&processorPercent_[ProcessorRow(sequence)],
                            static_cast<std::size_t>(processors_)};
  if (sequence < namesFrom_) return out;
  for (std::size_t i = 0; i < procs::kCulpritsKept; ++i) {
    if (s.cpuName[i] != kNoName)
      out.cpu[out.cpuCount++] = {slots_[s.cpuName[i]].name.Units(), s.cpuPid[i], s.cpuTenths[i]};
    if (s.memoryName[i] != kNoName)
      out.memory[out.memoryCount++] = {slots_[s.memoryName[i]].name.Units(), s.memoryPid[i],
                                       s.memoryKb[i]};
  }
  return out;
}

}  // namespace perf
