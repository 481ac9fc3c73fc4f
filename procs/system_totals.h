// The memory totals of the whole system (physical, commit, kernel pools), read
// from the native counters each tick and kept as display text. The system cache
// is the Performance page's own.
#pragma once
#include <cstdint>

#include "platform/native_api.h"
#include "platform/performance_data.h"
#include "procs/process_table.h"
#include "ui/update_notice.h"

namespace procs {

// The counters the totals are computed from, as the system reports them.
struct MemoryCounters {
  std::uint32_t pageSize = 0;
  std::uint32_t physicalPages = 0;
  std::uint32_t availablePages = 0;
  std::uint32_t committedPages = 0;
  std::uint32_t commitLimit = 0;
  std::uint32_t peakCommitment = 0;
  std::uint32_t pagedPoolPages = 0;
  std::uint32_t nonPagedPoolPages = 0;
};

void FormatSystemTotals(const MemoryCounters& counters, TMainProcInfo& totals);

class SystemTotalsCollector {
 public:
  SystemTotalsCollector(platform::NativeApi& native, ui::UpdateNotice notice,
                        TMainProcInfo& totals);
  // Posts the update only when both queries succeeded.
  void CollectSystemTotals();

 private:
  platform::NativeApi& native_;
  ui::UpdateNotice notice_;
  TMainProcInfo& totals_;
};

// Processors over all processor groups; where the system cannot tell, those the
// basic information counts (this program's group), or 0 when that fails too.
int QueryProcessorCount(platform::NativeApi& native, platform::PerformanceData& performance);

}  // namespace procs
