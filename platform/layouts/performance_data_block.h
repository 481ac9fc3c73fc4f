// The records of a performance-data block (PERF_DATA_BLOCK, PERF_OBJECT_TYPE,
// PERF_COUNTER_DEFINITION, PERF_INSTANCE_DEFINITION, PERF_COUNTER_BLOCK): byte
// offsets, the same for 32-bit and 64-bit programs. The walk in perf/ decodes
// with them; the fake system and the tests' block builder write with them.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform::perf_data_layout {
inline constexpr std::size_t kBlockSignature = 0;  // "PERF" in UTF-16
inline constexpr std::size_t kBlockTotalByteLength = 20;
inline constexpr std::size_t kBlockHeaderLength = 24;
inline constexpr std::size_t kBlockNumObjectTypes = 28;
inline constexpr std::size_t kBlockSystemTime = 36;  // SYSTEMTIME, 8 words
inline constexpr std::size_t kBlockMinimumSize = kBlockSystemTime + 16;
// The system time in 100 ns units since 1601 (a LARGE_INTEGER, after PerfTime
// and PerfFreq).
inline constexpr std::size_t kBlockPerfTime100nSec = 72;
inline constexpr std::size_t kBlockSize = 88;  // the whole header, as the system writes it

inline constexpr std::size_t kObjectTotalByteLength = 0;
inline constexpr std::size_t kObjectDefinitionLength = 4;
inline constexpr std::size_t kObjectHeaderLength = 8;
inline constexpr std::size_t kObjectNameTitleIndex = 12;
inline constexpr std::size_t kObjectNumCounters = 32;
inline constexpr std::size_t kObjectNumInstances = 40;
inline constexpr std::size_t kObjectSize = 64;

inline constexpr std::size_t kCounterByteLength = 0;
inline constexpr std::size_t kCounterNameTitleIndex = 4;
inline constexpr std::size_t kCounterOffset = 36;
inline constexpr std::size_t kCounterSize = 40;

inline constexpr std::size_t kInstanceByteLength = 0;
inline constexpr std::size_t kInstanceNameOffset = 16;
inline constexpr std::size_t kInstanceNameLength = 20;  // bytes, the ending zero included
inline constexpr std::size_t kInstanceSize = 24;
inline constexpr std::size_t kCounterBlockByteLength = 0;

// Title indices of the "Processor" object and of its processor-time counter.
inline constexpr std::uint32_t kProcessorObject = 238;
inline constexpr std::uint32_t kProcessorTimeCounter = 6;
}  // namespace platform::perf_data_layout
