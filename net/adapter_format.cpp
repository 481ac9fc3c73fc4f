// Display forms of adapter figures.
#include "net/adapter_format.h"

#include <iterator>

namespace net {
namespace {

// Hundredths with thousands grouped: 123456789 gives "1,234,567.89".
std::wstring FormatHundredths(std::uint64_t hundredths) {
  std::wstring whole;
  std::uint64_t value = hundredths / 100;
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) whole.insert(whole.begin(), L',');
    whole.insert(whole.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
    ++digits;
  } while (value != 0);
  const auto fraction = static_cast<unsigned>(hundredths % 100);
  whole += L'.';
  whole += static_cast<wchar_t>(L'0' + fraction / 10);
  whole += static_cast<wchar_t>(L'0' + fraction % 10);
  return whole;
}

}  // namespace

std::wstring FormatBitRate(std::uint64_t v) {
  struct Range {
    std::uint64_t unit;
    const wchar_t* name;
  };
  static constexpr Range kRanges[] = {
      {1'000'000'000, L" Gbps"}, {1'000'000, L" Mbps"}, {1'000, L" Kbps"}, {1, L" bps"}};
  for (const Range& range : kRanges) {
    if (v < range.unit && range.unit != 1) continue;
    // In integers, so that 64-bit speeds keep every digit.
    const std::uint64_t hundredths =
        v / range.unit * 100 + (v % range.unit * 100 + range.unit / 2) / range.unit;
    return FormatHundredths(hundredths) + range.name;
  }
  return {};
}

std::wstring OperStatusText(std::uint32_t status) {
  static constexpr const wchar_t* kWords[] = {L"掉线", L"不可达", L"断开",
                                              L"连接中", L"已连接", L"连通"};
  return status < std::size(kWords) ? kWords[status] : L"";
}

}  // namespace net
