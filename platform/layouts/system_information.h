// The native system-information query's classes and the byte layouts of the
// fixed-size answers this program reads, as the 64-bit system writes them. The
// collectors decode with these offsets and the fake system writes with them.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

enum SystemInfoClass : std::uint32_t {
  kSystemBasicInformation = 0,
  kSystemPerformanceInformation = 2,
  kSystemProcessInformation = 5,  // entries: layouts/process_entry.h
  kSystemProcessorPerformanceInformation = 8,
  kSystemProcessIdInformation = 88,
};

namespace system_info_layout {
// SYSTEM_BASIC_INFORMATION.
inline constexpr std::size_t kBasicSize = 64;
inline constexpr std::size_t kBasicPageSize = 8;
inline constexpr std::size_t kBasicPhysicalPages = 12;
inline constexpr std::size_t kBasicProcessorCount = 56;  // one byte: this program's group
// SYSTEM_PERFORMANCE_INFORMATION (counts in pages).
inline constexpr std::size_t kPerformanceSize = 344;
inline constexpr std::size_t kPerfIdleTime = 0;  // summed over every processor, 100 ns units
inline constexpr std::size_t kPerfAvailablePages = 44;
inline constexpr std::size_t kPerfCommittedPages = 48;
inline constexpr std::size_t kPerfCommitLimit = 52;
inline constexpr std::size_t kPerfPeakCommitment = 56;
inline constexpr std::size_t kPerfPagedPoolPages = 112;
inline constexpr std::size_t kPerfNonPagedPoolPages = 116;
// SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION, one entry per processor of this
// program's group: idle, kernel (idle included) and user time, 100 ns units.
inline constexpr std::size_t kProcessorTimesSize = 48;
inline constexpr std::size_t kProcessorIdleTime = 0;
inline constexpr std::size_t kProcessorKernelTime = 8;
inline constexpr std::size_t kProcessorUserTime = 16;
}  // namespace system_info_layout

// The record of the image-name-by-identifier query (SYSTEM_PROCESS_ID_INFORMATION):
// the identifier as a HANDLE, then a UNICODE_STRING whose buffer the caller
// supplies with its MaximumLength. The call fills Length (bytes, without a
// terminator); when the buffer is too small it answers a length mismatch with the
// bytes needed in MaximumLength. No process handle is needed.
namespace process_id_layout {
inline constexpr std::size_t kProcessId = 0;
inline constexpr std::size_t kNameLength = 8;
inline constexpr std::size_t kNameMaximumLength = 10;
inline constexpr std::size_t kNameBuffer = 16;  // address of the caller's buffer
inline constexpr std::size_t kSize = 24;
}  // namespace process_id_layout

}  // namespace platform
