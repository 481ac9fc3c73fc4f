// The records of the system's adapter lists as the 64-bit system writes them:
// IP_ADAPTER_ADDRESSES and the older IP_ADAPTER_INFO chains. The walks in net/
// decode with these offsets and the fake system writes with them.
#pragma once
#include <cstddef>

namespace platform::adapter_layout {
// IP_ADAPTER_ADDRESSES: links and strings are addresses.
inline constexpr std::size_t kAddressesNext = 8;
inline constexpr std::size_t kAddressesAdapterName = 16;  // char*
inline constexpr std::size_t kAddressesDescription = 64;  // wchar*
inline constexpr std::size_t kAddressesFriendlyName = 72; // wchar*
inline constexpr std::size_t kAddressesUsed = 80;         // the part of a record read here
inline constexpr std::size_t kAddressesSize = 448;
// IP_ADAPTER_INFO: the link is an address, the strings are arrays in the record.
inline constexpr std::size_t kInfoNext = 0;
inline constexpr std::size_t kInfoAdapterName = 12;
inline constexpr std::size_t kInfoAdapterNameBytes = 260;
inline constexpr std::size_t kInfoDescription = 272;
inline constexpr std::size_t kInfoDescriptionBytes = 132;
inline constexpr std::size_t kInfoUsed = kInfoDescription + kInfoDescriptionBytes;
inline constexpr std::size_t kInfoSize = 704;
}  // namespace platform::adapter_layout
