// The byte offsets that the portable walks read the system's network tables
// with (and the fake system writes them with), checked against the real
// structures of the Windows headers.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstddef>

#include "platform/layouts/adapter_records.h"
#include "platform/layouts/connection_rows.h"
#include "platform/layouts/interface_rows.h"

TEST(NetLayoutTest, InterfaceTablesMatchTheSystemStructures) {
  using namespace platform::if_layout;
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
  using namespace platform::adapter_layout;
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
  using namespace platform::connection_layout;
  EXPECT_EQ(kRows, offsetof(MIB_TCPTABLE_OWNER_PID, table));
  EXPECT_EQ(kRows, offsetof(MIB_TCP6TABLE_OWNER_PID, table));
  EXPECT_EQ(kRows, offsetof(MIB_UDP6TABLE_OWNER_PID, table));
  EXPECT_EQ(kRows, offsetof(MIB_TCPTABLE, table));
  EXPECT_EQ(kTcpOwnerPid.size, sizeof(MIB_TCPROW_OWNER_PID));
  EXPECT_EQ(kTcp6OwnerPid.size, sizeof(MIB_TCP6ROW_OWNER_PID));
  EXPECT_EQ(kUdpOwnerPid.size, sizeof(MIB_UDPROW_OWNER_PID));
  EXPECT_EQ(kUdp6OwnerPid.size, sizeof(MIB_UDP6ROW_OWNER_PID));
  EXPECT_EQ(kTcpPlain.size, sizeof(MIB_TCPROW));
  EXPECT_EQ(kUdpPlain.size, sizeof(MIB_UDPROW));
  // The field positions the rows are decoded with.
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwState), kTcpOwnerPid.state);
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwLocalPort), kTcpOwnerPid.localPort);
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwRemoteAddr), kTcpOwnerPid.remoteAddress);
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwRemotePort), kTcpOwnerPid.remotePort);
  EXPECT_EQ(offsetof(MIB_TCPROW_OWNER_PID, dwOwningPid), kTcpOwnerPid.owningPid);
  EXPECT_EQ(offsetof(MIB_UDPROW_OWNER_PID, dwLocalPort), kUdpOwnerPid.localPort);
  EXPECT_EQ(offsetof(MIB_UDPROW_OWNER_PID, dwOwningPid), kUdpOwnerPid.owningPid);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwLocalPort), kTcp6OwnerPid.localPort);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, ucRemoteAddr), kTcp6OwnerPid.remoteAddress);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwRemotePort), kTcp6OwnerPid.remotePort);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwState), kTcp6OwnerPid.state);
  EXPECT_EQ(offsetof(MIB_TCP6ROW_OWNER_PID, dwOwningPid), kTcp6OwnerPid.owningPid);
  EXPECT_EQ(offsetof(MIB_UDP6ROW_OWNER_PID, dwLocalPort), kUdp6OwnerPid.localPort);
  EXPECT_EQ(offsetof(MIB_UDP6ROW_OWNER_PID, dwOwningPid), kUdp6OwnerPid.owningPid);
  EXPECT_EQ(offsetof(MIB_TCPROW, dwRemotePort), kTcpPlain.remotePort);
  EXPECT_EQ(offsetof(MIB_UDPROW, dwLocalPort), kUdpPlain.localPort);
}
