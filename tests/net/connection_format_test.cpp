// Endpoint texts of the port list in both listings.
#include "net/connection_format.h"

#include <gtest/gtest.h>

using namespace net;

namespace {

std::array<std::uint8_t, 16> V4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return {a, b, c, d};
}

std::array<std::uint8_t, 16> V6(std::initializer_list<unsigned> groups) {
  std::array<std::uint8_t, 16> bytes{};
  std::size_t i = 0;
  for (unsigned g : groups) {
    bytes[2 * i] = static_cast<std::uint8_t>(g >> 8);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(g);
    ++i;
  }
  return bytes;
}

// A port as the system stores it: network order in the low 16 bits.
std::uint32_t Field(std::uint16_t port, std::uint32_t highBits = 0) {
  return highBits << 16 | static_cast<std::uint32_t>((port & 0xFF) << 8 | port >> 8);
}

}  // namespace

TEST(ConnectionFormat, Ipv4AddressesInMemoryOrder) {
  EXPECT_EQ(FormatAddress(V4(127, 0, 0, 1)), L"127.0.0.1");
  EXPECT_EQ(FormatAddress(V4(0, 0, 0, 0)), L"0.0.0.0");
  EXPECT_EQ(FormatAddress(V4(192, 168, 0, 255)), L"192.168.0.255");
}

TEST(ConnectionFormat, Ipv6AddressesInTheCompressedForm) {
  EXPECT_EQ(FormatAddress6(V6({})), L"::");
  EXPECT_EQ(FormatAddress6(V6({0, 0, 0, 0, 0, 0, 0, 1})), L"::1");
  EXPECT_EQ(FormatAddress6(V6({0xfe80, 0, 0, 0, 0, 0, 0, 1})), L"fe80::1");
  EXPECT_EQ(FormatAddress6(V6({0x2001, 0xdb8, 0, 0, 0, 0, 0, 0})), L"2001:db8::");
  // Of two equal runs the first is shortened; a lone zero group stays.
  EXPECT_EQ(FormatAddress6(V6({0x2001, 0xdb8, 0, 0, 1, 0, 0, 1})), L"2001:db8::1:0:0:1");
  EXPECT_EQ(FormatAddress6(V6({0x2001, 0xdb8, 0, 1, 1, 1, 1, 1})), L"2001:db8:0:1:1:1:1:1");
  EXPECT_EQ(FormatAddress6(V6({0x2001, 0, 0, 1, 0, 0, 0, 1})), L"2001:0:0:1::1");
  EXPECT_EQ(FormatAddress6(V6({0x2001, 0x0DB8, 0xABCD, 0x0012, 0, 0, 0, 0x00FF})),
            L"2001:db8:abcd:12::ff");
  EXPECT_EQ(FormatAddress6(V6({0, 0, 0, 0, 0, 0xffff, 0x7f00, 0x0001})), L"::ffff:127.0.0.1");
}

TEST(ConnectionFormat, PortsOfBothListings) {
  EXPECT_EQ(FormatPort(Field(445)), L"445");
  EXPECT_EQ(FormatPort(Field(0)), L"0");
  EXPECT_EQ(FormatPort(Field(65535, 0xABCD)), L"65535");  // the high half is not the port
  EXPECT_EQ(FormatPlainPort(Field(0)), L"   0");
  EXPECT_EQ(FormatPlainPort(Field(445)), L" 445");
  EXPECT_EQ(FormatPlainPort(Field(1025)), L"1025");
  EXPECT_EQ(FormatPlainPort(Field(49152)), L"49152");
  EXPECT_EQ(FormatPlainPort(Field(80)), L"HTTP");
  EXPECT_EQ(FormatPlainPort(Field(53)), L"DNS ");
  EXPECT_EQ(FormatPlainPort(Field(20)), L"FTP ");
  EXPECT_EQ(FormatPlainPort(Field(123)), L"NTP ");
  EXPECT_EQ(FormatPlainPort(Field(161)), L"SNMP");
  EXPECT_EQ(WellKnownPortName(7), L"ECHO");
  EXPECT_EQ(WellKnownPortName(8), L"");
}

TEST(ConnectionFormat, TcpStatesAndLocalAddresses) {
  EXPECT_EQ(TcpStateName(1), L"closed");
  EXPECT_EQ(TcpStateName(2), L"listening");
  EXPECT_EQ(TcpStateName(5), L"established");
  EXPECT_EQ(TcpStateName(12), L"delete_tcb");
  EXPECT_EQ(TcpStateName(0), L"");
  EXPECT_EQ(TcpStateName(13), L"");
  for (const wchar_t* local : {L"127.0.0.1", L"0.0.0.0", L"::1", L"::"})
    EXPECT_TRUE(IsLocalAddressText(local)) << local;
  for (const wchar_t* other : {L"127.0.0.2", L"192.168.0.5", L"fe80::1", L""})
    EXPECT_FALSE(IsLocalAddressText(other)) << other;
}
