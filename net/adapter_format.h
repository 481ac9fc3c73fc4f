// How adapter figures read on the Networking page: link speeds and the words for
// the operational states.
#pragma once
#include <cstdint>
#include <string>

namespace net {

// "#,##0.00" followed by bps, Kbps, Mbps or Gbps (from 1,000,000,000 up),
// rounded to two decimals, halves away from zero.
std::wstring FormatBitRate(std::uint64_t bitsPerSecond);
// "掉线", "不可达", "断开", "连接中", "已连接", "连通"; empty for anything else.
std::wstring OperStatusText(std::uint32_t status);

}  // namespace net
