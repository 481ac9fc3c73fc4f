// The byte offsets that the portable walks read the system's network tables
// with, checked against the real structures of the Windows headers.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstddef>

#include "net/adapter_records.h"
#include "net/connection_table.h"
#include "net/interface_table.h"

TEST(NetLayoutTest, InterfaceTablesMatchTheSystemStructures) {
  using namespace net::if_layout;
  EXPECT_EQ(kTable2Rows, offsetof(MIB_IF_TABLE2, Table));
  EXPECT_EQ(kRow2Size, sizeof(MIB_IF_ROW2));
  EXPECT_EQ(kRow2Description, offsetof(MIB_IF_ROW2, Description));
  EXPECT_EQ(kRow2DescriptionChars * 2, sizeof(MIB_IF_ROW2::Description));
  EXPECT_EQ(kRow2OperStatus, offsetof(MIB_IF_ROW2, OperStatus));
  EXPECT_EQ(kRow2MediaConnectState, offsetof(MIB_IF_ROW2, MediaConnectState));
  EXPECT_EQ(kRow2TransmitLinkSpeed, offsetof(MIB_IF_ROW2, TransmitLinkSpeed));
  EXPECT_EQ(kRow2ReceiveLinkSpeed, offsetof(MIB_IF_ROW2, ReceiveLinkSpeed));
  EXPECT_EQ(kRow2InOctets, offsetof(MIB_IF_ROW2, InOctets));
  EXPECT_EQ(kRow2OutOctets, offsetof(MIB_IF_ROW2, OutOctets));
  EXPECT_EQ(kTableRows, offsetof(MIB_IFTABLE, table));
  EXPECT_EQ(kRowSize, sizeof(MIB_IFROW));
  EXPECT_EQ(kRowSpeed, offsetof(MIB_IFROW, dwSpeed));
  EXPECT_EQ(kRowOperStatus, offsetof(MIB_IFROW, dwOperStatus));
  EXPECT_EQ(kRowInOctets, offsetof(MIB_IFROW, dwInOctets));
  EXPECT_EQ(kRowOutOctets, offsetof(MIB_IFROW, dwOutOctets));
  EXPECT_EQ(kRowDescription, offsetof(MIB_IFROW, bDescr));
  EXPECT_EQ(kRowDescriptionBytes, sizeof(MIB_IFROW::bDescr));
}

TEST(NetLayoutTest, AdapterListsMatchTheSystemStructures) {
  using namespace net::adapter_layout;
  EXPECT_EQ(kAddressesNext, offsetof(IP_ADAPTER_ADDRESSES, Next));
  EXPECT_EQ(kAddressesAdapterName, offsetof(IP_ADAPTER_ADDRESSES, AdapterName));
  EXPECT_EQ(kAddressesDescription, offsetof(IP_ADAPTER_ADDRESSES, Description));
  EXPECT_EQ(kAddressesFriendlyName, offsetof(IP_ADAPTER_ADDRESSES, FriendlyName));
  EXPECT_EQ(kAddressesSize, sizeof(IP_ADAPTER_ADDRESSES));
  EXPECT_EQ(kInfoNext, offsetof(IP_ADAPTER_INFO, Next));
  EXPECT_EQ(kInfoAdapterName, offsetof(IP_ADAPTER_INFO, AdapterName));
  EXPECT_EQ(kInfoAdapterNameBytes, sizeof(IP_ADAPTER_INFO::AdapterName));
  EXPECT_EQ(kInfoDescription, offsetof(IP_ADAPTER_INFO, Description));
  EXPECT_EQ(kInfoDescriptionBytes, sizeof(IP_ADAPTER_INFO::Description));
  EXPECT_EQ(kInfoSize, sizeof(IP_ADAPTER_INFO));
}

TEST(NetLayoutTest, ConnectionTablesMatchTheSystemStructures) {
  using net::ConnectionLayout;
  EXPECT_EQ(net::kConnectionRows, offsetof(MIB_TCPTABLE_OWNER_PID, table));
  EXPECT_EQ(net::kConnectionRows, offsetof(MIB_TCP6TABLE_OWNER_PID, table));
  EXPECT_EQ(net::kConnectionRows, offsetof(MIB_UDP6TABLE_OWNER_PID, table));
  EXPECT_EQ(net::kConnectionRows, offsetof(MIB_TCPTABLE, table));
  EXPECT_EQ(net::ConnectionRowSize(ConnectionLayout::kTcpOwnerPid), sizeof(MIB_TCPROW_OWNER_PID));
  EXPECT_EQ(net::ConnectionRowSize(ConnectionLayout::kTcp6OwnerPid), sizeof(MIB_TCP6ROW_OWNER_PID));
  EXPECT_EQ(net::ConnectionRowSize(ConnectionLayout::kUdpOwnerPid), sizeof(MIB_UDPROW_OWNER_PID));
  EXPECT_EQ(net::ConnectionRowSize(ConnectionLayout::kUdp6OwnerPid), sizeof(MIB_UDP6ROW_OWNER_PID));
  EXPECT_EQ(net::ConnectionRowSize(ConnectionLayout::kTcpPlain), sizeof(MIB_TCPROW));
  EXPECT_EQ(net::ConnectionRowSize(ConnectionLayout::kUdpPlain), sizeof(MIB_UDPROW));
  // The field positions the IPv4 rows are decoded with (in 32-bit fields).
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwState), 0u);
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwRemotePort), 16u);
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwOwningPid), 20u);
  EXPECT_EQ(offsetof(MIB_UDPROW_OWNER_PID, dwOwningPid), 8u);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwLocalPort), 20u);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, ucRemoteAddr), 24u);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwRemotePort), 44u);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwState), 48u);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwOwningPid), 52u);
  EXPECT_EQ(offsetof(MIB_UDP6ROW_OWNER_PID, dwLocalPort), 20u);
  EXPECT_EQ(offsetof(MIB_UDP6ROW_OWNER_PID, dwOwningPid), 24u);
}
