// The rows of the system's interface tables as the 64-bit system writes them:
// MIB_IF_TABLE2 (64-bit speeds and counters) and the older MIB_IFTABLE. The walks
// in net/ decode with these offsets and the fake system writes with them.
#pragma once
#include <cstddef>

namespace platform::if_layout {
// MIB_IF_TABLE2: a 32-bit count, then rows of MIB_IF_ROW2 from offset 8.
inline constexpr std::size_t kTable2Rows = 8;
inline constexpr std::size_t kRow2Size = 1352;
inline constexpr std::size_t kRow2Description = 542;  // WCHAR[257]
inline constexpr std::size_t kRow2DescriptionChars = 257;
inline constexpr std::size_t kRow2OperStatus = 1156;
inline constexpr std::size_t kRow2MediaConnectState = 1164;
inline constexpr std::size_t kRow2TransmitLinkSpeed = 1192;
inline constexpr std::size_t kRow2ReceiveLinkSpeed = 1200;
inline constexpr std::size_t kRow2InOctets = 1208;
inline constexpr std::size_t kRow2OutOctets = 1280;
// MIB_IFTABLE: a 32-bit count, then rows of MIB_IFROW from offset 4.
inline constexpr std::size_t kTableRows = 4;
inline constexpr std::size_t kRowSize = 860;
inline constexpr std::size_t kRowSpeed = 524;
inline constexpr std::size_t kRowOperStatus = 544;
inline constexpr std::size_t kRowInOctets = 552;
inline constexpr std::size_t kRowOutOctets = 576;
inline constexpr std::size_t kRowDescription = 604;  // 256 bytes, ANSI
inline constexpr std::size_t kRowDescriptionBytes = 256;
}  // namespace platform::if_layout
