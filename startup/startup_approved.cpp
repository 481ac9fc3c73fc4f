// Reading and writing the 12-byte StartupApproved value.
#include "startup/startup_approved.h"

namespace startup {

namespace {

constexpr std::size_t kFlagsSize = 4;
constexpr std::uint32_t kDefaultFlags = 0x02;
constexpr std::uint32_t kDisabledBit = 0x01;

bool HasFlags(const platform::ApprovedValue* value) {
  return value != nullptr && value->type == kRegBinary && value->data.size() >= kFlagsSize;
}

std::uint32_t FlagsOf(const platform::ApprovedValue& value) {
  std::uint32_t flags = 0;
  for (std::size_t i = 0; i < kFlagsSize; ++i) flags |= std::uint32_t{value.data[i]} << (8 * i);
  return flags;
}

}  // namespace

bool ApprovedSaysDisabled(const platform::ApprovedValue* value) {
  return HasFlags(value) && (FlagsOf(*value) & kDisabledBit) != 0;
}

std::vector<std::uint8_t> ApprovedBytes(const platform::ApprovedValue* value, bool disable,
                                        std::uint64_t fileTimeNow) {
  std::uint32_t flags = HasFlags(value) ? FlagsOf(*value) : kDefaultFlags;
  flags = disable ? (flags | kDisabledBit) : (flags & ~kDisabledBit);
  const std::uint64_t time = disable ? fileTimeNow : 0;
  std::vector<std::uint8_t> bytes(kApprovedSize);
  for (std::size_t i = 0; i < kFlagsSize; ++i)
    bytes[i] = static_cast<std::uint8_t>(flags >> (8 * i));
  for (std::size_t i = 0; i < 8; ++i)
    bytes[kFlagsSize + i] = static_cast<std::uint8_t>(time >> (8 * i));
  return bytes;
}

}  // namespace startup
