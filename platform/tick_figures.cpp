#include "platform/tick_figures.h"

#include <array>
#include <cstring>

#include "platform/layouts/system_information.h"

namespace platform {

namespace {

template <std::size_t N>
std::uint32_t ReadU32(const std::array<std::byte, N>& data, std::size_t offset) {
  std::uint32_t value = 0;
  if (offset + sizeof value <= N) std::memcpy(&value, data.data() + offset, sizeof value);
  return value;
}

}  // namespace

void TickFigures::NewTick() {
  basic_.held = false;
  performance_.held = false;
}

NtStatus TickFigures::QuerySystemInformation(std::uint32_t infoClass, void* buffer,
                                             std::uint32_t length, std::uint32_t* returnLength) {
  Answer* answer = infoClass == kSystemBasicInformation         ? &basic_
                   : infoClass == kSystemPerformanceInformation ? &performance_
                                                                : nullptr;
  if (answer == nullptr) return system_.QuerySystemInformation(infoClass, buffer, length, returnLength);
  // A buffer of another length is another question (a retry after a mismatch).
  if (!answer->held || answer->bytes.size() != length) {
    answer->bytes.assign(length, std::byte{0});
    answer->returned = 0;
    answer->status = system_.QuerySystemInformation(infoClass, answer->bytes.data(), length,
                                                    &answer->returned);
    answer->held = true;
  }
  if (buffer != nullptr && length != 0) std::memcpy(buffer, answer->bytes.data(), length);
  if (returnLength != nullptr) *returnLength = answer->returned;
  return answer->status;
}

// As the system makes its 64-bit memory status: physical pages from the basic
// information, the rest from the performance information, in pages.
bool TickFigures::Memory(MemoryStatus& status) {
  using namespace system_info_layout;
  std::array<std::byte, kBasicSize> basic{};
  std::array<std::byte, kPerformanceSize> performance{};
  if (QuerySystemInformation(kSystemBasicInformation, basic.data(), kBasicSize, nullptr) !=
          kStatusSuccess ||
      QuerySystemInformation(kSystemPerformanceInformation, performance.data(), kPerformanceSize,
                             nullptr) != kStatusSuccess)
    return false;
  const std::uint64_t page = ReadU32(basic, kBasicPageSize);
  const std::uint64_t limit = ReadU32(performance, kPerfCommitLimit);
  const std::uint64_t committed = ReadU32(performance, kPerfCommittedPages);
  status.totalPhys = ReadU32(basic, kBasicPhysicalPages) * page;
  status.availPhys = ReadU32(performance, kPerfAvailablePages) * page;
  status.totalPageFile = limit * page;
  status.availPageFile = (limit > committed ? limit - committed : 0) * page;
  return page != 0;
}

}  // namespace platform
