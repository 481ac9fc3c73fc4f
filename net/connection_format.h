// How TCP and UDP endpoints read in the port list: addresses (IPv4 dotted,
// IPv6 in the compressed standard form), ports, TCP state words, and the
// well-known service names of the plain listing.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace net {

// The bytes as stored, first byte first: 127, 0, 0, 1 gives "127.0.0.1".
std::wstring FormatAddress(const std::array<std::uint8_t, 16>& address);
// Lower-case hexadecimal groups, the longest run of two or more zero groups as
// "::", IPv4-mapped addresses with a dotted tail ("::ffff:127.0.0.1").
std::wstring FormatAddress6(const std::array<std::uint8_t, 16>& address);
// The low 16 bits of the field, swapped from network to host order, in decimal.
std::wstring FormatPort(std::uint32_t portField);
// The same number right-aligned in four characters ("   0", " 445"), or the
// well-known service's name in its place.
std::wstring FormatPlainPort(std::uint32_t portField);
// "closed" .. "delete_tcb" for the states 1..12; empty for anything else.
std::wstring TcpStateName(std::uint32_t state);
// "HTTP" for 80, "DNS " for 53...; empty when the port is not one of them.
std::wstring WellKnownPortName(std::uint16_t port);
// An address the local filter hides: 127.0.0.1, 0.0.0.0, ::1 and ::.
bool IsLocalAddressText(const std::wstring& text);

}  // namespace net
