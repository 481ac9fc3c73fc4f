// The memory totals: two native queries per tick, figures kept as whole-number
// text for the Performance page and the status bar.
#include "procs/system_totals.h"

#include <cmath>
#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/layouts/system_information.h"

namespace procs {
namespace {

using namespace platform::system_info_layout;

// Asks for one fixed-size answer; a newer system may want a larger buffer once.
bool QueryFixed(platform::NativeApi& native, std::uint32_t infoClass, std::size_t size,
                std::vector<std::byte>& out) {
  out.assign(size, std::byte{0});
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::uint32_t returned = 0;
    const platform::NtStatus status = native.QuerySystemInformation(
        infoClass, out.data(), static_cast<std::uint32_t>(out.size()), &returned);
    if (status == platform::kStatusSuccess) return true;
    if (status != platform::kStatusInfoLengthMismatch || returned <= out.size() ||
        returned > 65536)
      return false;
    out.assign(returned, std::byte{0});
  }
  return false;
}

std::uint32_t ReadU32(const std::vector<std::byte>& data, std::size_t offset) {
  std::uint32_t value = 0;
  if (offset + sizeof value <= data.size()) std::memcpy(&value, data.data() + offset, sizeof value);
  return value;
}

// Shortest general form: whole numbers without a decimal point.
std::wstring FormatFigure(double value) {
  wchar_t text[64];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    std::swprintf(text, 64, L"%.0f", value);
  } else {
    std::swprintf(text, 64, L"%.15g", value);
  }
  return text;
}

std::wstring FormatWholeMegabytes(double kilobytes) {
  return std::to_wstring(static_cast<long long>(std::trunc(kilobytes / 1024.0)));
}

}  // namespace

void FormatSystemTotals(const MemoryCounters& c, TMainProcInfo& totals) {
  const double page = static_cast<float>(c.pageSize / 1024.0f);
  const double paged = c.pagedPoolPages * page;
  const double nonPaged = c.nonPagedPoolPages * page;
  const double committed = c.committedPages * page;
  const double physical = c.physicalPages * page;
  totals.KernelTotalK = FormatFigure(paged + nonPaged);
  totals.KernelPagedK = FormatFigure(paged);
  totals.KernelNonpagedK = FormatFigure(nonPaged);
  totals.CommitTotalK = FormatFigure(committed);
  totals.CommitLimitK = FormatFigure(c.commitLimit * page);
  totals.CommitPeakK = FormatFigure(c.peakCommitment * page);
  totals.PhysTotalK = FormatFigure(physical);
  totals.PhysAvailK = FormatFigure(c.availablePages * page);
  totals.CommitTotalM = FormatWholeMegabytes(committed);
  totals.CommitLimitM = FormatWholeMegabytes(c.commitLimit * page);
}

SystemTotalsCollector::SystemTotalsCollector(platform::NativeApi& native,
                                             ui::UpdateNotice notice,
                                             TMainProcInfo& totals)
    : native_(native), notice_(notice), totals_(totals) {}

void SystemTotalsCollector::CollectSystemTotals() {
  std::vector<std::byte> basic, performance;
  if (!QueryFixed(native_, platform::kSystemBasicInformation, kBasicSize, basic)) return;
  if (!QueryFixed(native_, platform::kSystemPerformanceInformation, kPerformanceSize,
                  performance))
    return;
  MemoryCounters counters;
  counters.pageSize = ReadU32(basic, kBasicPageSize);
  counters.physicalPages = ReadU32(basic, kBasicPhysicalPages);
  counters.availablePages = ReadU32(performance, kPerfAvailablePages);
  counters.committedPages = ReadU32(performance, kPerfCommittedPages);
  counters.commitLimit = ReadU32(performance, kPerfCommitLimit);
  counters.peakCommitment = ReadU32(performance, kPerfPeakCommitment);
  counters.pagedPoolPages = ReadU32(performance, kPerfPagedPoolPages);
  counters.nonPagedPoolPages = ReadU32(performance, kPerfNonPagedPoolPages);
  FormatSystemTotals(counters, totals_);
  notice_.Post();
}

int QueryProcessorCount(platform::NativeApi& native, platform::PerformanceData& performance) {
  if (const int all = performance.ActiveProcessorCount(); all > 0) return all;
  std::vector<std::byte> basic;
  if (!QueryFixed(native, platform::kSystemBasicInformation, kBasicSize, basic)) return 0;
  return static_cast<int>(static_cast<std::uint8_t>(basic[kBasicProcessorCount]));
}

}  // namespace procs
