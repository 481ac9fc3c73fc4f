// One entry of the system's process list (SYSTEM_PROCESS_INFORMATION as the
// 64-bit system writes it) and of its threads: byte offsets of the fields this
// program reads. The
// snapshot walk decodes with them and the fake system writes with them.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform::process_entry_layout {
inline constexpr std::size_t kNextEntryOffset = 0;
inline constexpr std::size_t kNumberOfThreads = 4;
inline constexpr std::size_t kCreateTime = 32;
inline constexpr std::size_t kUserTime = 40;
inline constexpr std::size_t kKernelTime = 48;
inline constexpr std::size_t kImageNameLength = 56;  // bytes, not characters
inline constexpr std::size_t kImageNameBuffer = 64;  // address inside the buffer
inline constexpr std::size_t kBasePriority = 72;
inline constexpr std::size_t kUniqueProcessId = 80;
inline constexpr std::size_t kInheritedFromProcessId = 88;
inline constexpr std::size_t kHandleCount = 96;
inline constexpr std::size_t kSessionId = 100;
inline constexpr std::size_t kVirtualSize = 120;
inline constexpr std::size_t kPageFaultCount = 128;
inline constexpr std::size_t kPeakWorkingSetSize = 136;
inline constexpr std::size_t kWorkingSetSize = 144;
inline constexpr std::size_t kQuotaPagedPoolUsage = 160;
inline constexpr std::size_t kQuotaNonPagedPoolUsage = 176;
// The commit charge of the process, its private bytes; the same figure again in
// PrivatePageCount (in bytes, whatever its name says).
inline constexpr std::size_t kPagefileUsage = 184;
inline constexpr std::size_t kPrivatePageCount = 200;
inline constexpr std::size_t kReadOperationCount = 208;
inline constexpr std::size_t kWriteOperationCount = 216;
inline constexpr std::size_t kOtherOperationCount = 224;
inline constexpr std::size_t kReadTransferCount = 232;
inline constexpr std::size_t kWriteTransferCount = 240;
inline constexpr std::size_t kOtherTransferCount = 248;
inline constexpr std::size_t kEntrySize = 256;  // the threads' entries follow
}  // namespace platform::process_entry_layout

// One thread's entry (SYSTEM_THREAD_INFORMATION, 64-bit), NumberOfThreads of them
// right after their process's entry.
namespace platform::thread_entry_layout {
inline constexpr std::size_t kThreadState = 68;
inline constexpr std::size_t kWaitReason = 72;
inline constexpr std::size_t kEntrySize = 80;
inline constexpr std::uint32_t kStateReady = 1;
inline constexpr std::uint32_t kStateRunning = 2;
inline constexpr std::uint32_t kStateWaiting = 5;
inline constexpr std::uint32_t kWaitReasonSuspended = 5;
}  // namespace platform::thread_entry_layout
