// Display forms of connection endpoints.
#include "net/connection_format.h"

#include <iterator>

namespace net {
namespace {

std::uint16_t PortNumber(std::uint32_t field) {
  const auto raw = static_cast<std::uint16_t>(field & 0xFFFF);
  return static_cast<std::uint16_t>((raw >> 8) | ((raw & 0xFF) << 8));
}

std::wstring Dotted(const std::uint8_t* bytes) {
  std::wstring text;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) text += L'.';
    text += std::to_wstring(bytes[i]);
  }
  return text;
}

void AppendHex(std::wstring& out, unsigned value) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  bool started = false;
  for (int shift = 12; shift >= 0; shift -= 4) {
    const unsigned digit = (value >> shift) & 0xF;
    if (digit != 0 || started || shift == 0) {
      out += kDigits[digit];
      started = true;
    }
  }
}

struct WellKnown {
  std::uint16_t port;
  const wchar_t* name;
};
constexpr WellKnown kWellKnownPorts[] = {
    {7, L"ECHO"},     {9, L"DISCRD"},  {13, L"DAYTIM"}, {17, L"QOTD"},    {19, L"CHARGEN"},
    {20, L"FTP "},    {21, L"FTPC"},   {23, L"TELNET"}, {25, L"SMTP"},    {37, L"TIME"},
    {53, L"DNS "},    {67, L"BOOTPS"}, {68, L"BOOTPC"}, {69, L"TFTP"},    {70, L"GOPHER"},
    {79, L"FING"},    {80, L"HTTP"},   {88, L"KERB"},   {109, L"POP2"},   {110, L"POP3"},
    {119, L"NNTP"},   {123, L"NTP "},  {135, L"LOCSVC"}, {137, L"NBNAME"}, {138, L"NBDGRAM"},
    {139, L"NBSESS"}, {161, L"SNMP"},
};

}  // namespace

std::wstring FormatAddress(const std::array<std::uint8_t, 16>& address) {
  return Dotted(address.data());
}

std::wstring FormatAddress6(const std::array<std::uint8_t, 16>& address) {
  unsigned groups[8];
  for (int i = 0; i < 8; ++i) groups[i] = address[2 * i] << 8 | address[2 * i + 1];
  const bool mapped = groups[0] == 0 && groups[1] == 0 && groups[2] == 0 && groups[3] == 0 &&
                      groups[4] == 0 && groups[5] == 0xFFFF;
  if (mapped) return L"::ffff:" + Dotted(address.data() + 12);
  // The longest run of zero groups, the first one of equal runs; one group alone stays.
  int bestStart = -1, bestLength = 0;
  for (int i = 0; i < 8;) {
    if (groups[i] != 0) {
      ++i;
      continue;
    }
    int j = i;
    while (j < 8 && groups[j] == 0) ++j;
    if (j - i > bestLength) {
      bestStart = i;
      bestLength = j - i;
    }
    i = j;
  }
  if (bestLength < 2) bestStart = -1;
  std::wstring text;
  for (int i = 0; i < 8; ++i) {
    if (i == bestStart) {
      text += L"::";
      i += bestLength - 1;
      continue;
    }
    if (!text.empty() && text.back() != L':') text += L':';
    AppendHex(text, groups[i]);
  }
  return text;
}

std::wstring FormatPort(std::uint32_t portField) { return std::to_wstring(PortNumber(portField)); }

std::wstring FormatPlainPort(std::uint32_t portField) {
  const std::uint16_t port = PortNumber(portField);
  std::wstring name = WellKnownPortName(port);
  if (!name.empty()) return name;
  std::wstring text = std::to_wstring(port);
  if (text.size() < 4) text.insert(0, 4 - text.size(), L' ');
  return text;
}

std::wstring TcpStateName(std::uint32_t state) {
  static constexpr const wchar_t* kStates[] = {
      L"closed",     L"listening", L"syn_sent", L"syn_rcvd",  L"established", L"fin_wait1",
      L"fin_wait2",  L"close_wait", L"closing", L"last_ack",  L"time_wait",   L"delete_tcb"};
  return state >= 1 && state <= std::size(kStates) ? kStates[state - 1] : L"";
}

std::wstring WellKnownPortName(std::uint16_t port) {
  for (const WellKnown& known : kWellKnownPorts)
    if (known.port == port) return known.name;
  return {};
}

bool IsLocalAddressText(const std::wstring& text) {
  return text == L"127.0.0.1" || text == L"0.0.0.0" || text == L"::1" || text == L"::";
}

}  // namespace net
