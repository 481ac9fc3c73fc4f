// The StartupApproved value the shell keeps beside an entry: 12 bytes, a
// little-endian flags word then a FILETIME. Bit 0 of the first byte set (03, 07)
// means disabled; clear (02, 06), or no value at all, means enabled. A value of
// another type or shorter than the flags word says nothing and counts as enabled.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/startup_api.h"

namespace startup {

inline constexpr std::size_t kApprovedSize = 12;
inline constexpr std::uint32_t kRegBinary = 3;

// Whether the value (null: there is none) marks its entry disabled.
bool ApprovedSaysDisabled(const platform::ApprovedValue* value);

// The 12 bytes that mark the entry disabled or enabled, keeping the other bits
// of the flags the value holds (02 -> 03 -> 02, 06 -> 07 -> 06; no readable
// flags start from 02). Disabling stamps `fileTimeNow`; enabling writes a zero time.
std::vector<std::uint8_t> ApprovedBytes(const platform::ApprovedValue* value, bool disable,
                                        std::uint64_t fileTimeNow);

}  // namespace startup
