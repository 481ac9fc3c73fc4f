// The fake system's network: interfaces, adapters, registry names and sockets
// that tests script, answered in the system's byte layouts, with calls that can
// be made to fail or go missing, and a record of what was asked.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/adapter_api.h"
#include "platform/connection_api.h"

namespace platform::fake {

struct FakeInterface {
  std::wstring description;
  std::uint32_t operStatus = 5;         // the older table's word: operational
  std::uint32_t ifOperStatus = 1;       // the newer table's state: up
  std::uint32_t mediaConnectState = 1;  // connected
  std::uint64_t speed = 100'000'000;
  std::uint64_t receivedOctets = 0;     // the older table keeps the low 32 bits
  std::uint64_t sentOctets = 0;
};

struct FakeAdapter {
  std::string adapterName;   // "{GUID}"
  std::wstring description;  // written as bytes in the older list
  std::wstring friendlyName;
};

struct FakeSocket {
  bool tcp = true;
  bool ipv6 = false;
  std::array<std::uint8_t, 16> local{};   // IPv4 in the first four bytes
  std::array<std::uint8_t, 16> remote{};
  std::uint16_t localPort = 0;            // host order
  std::uint16_t remotePort = 0;
  std::uint32_t state = 5;                // established; UDP ignores it
  std::uint32_t pid = 0;
};

// How one table call goes wrong.
enum class CallFailure { kNone, kSizeQuery, kRealCall };

class FakeNetwork : public AdapterApi, public ConnectionApi {
 public:
  // --- scripting ---
  std::vector<FakeInterface> interfaces;
  std::vector<FakeAdapter> adapters;
  // (key path, value name) -> string
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> registry;
  bool hasIfTable2 = true;
  bool failInterfaceTable = false;
  bool hasAdaptersAddresses = true;
  bool failAdapterLists = false;
  ConnectionEntryPoints entryPoints{true, true, true, true};
  std::vector<FakeSocket> sockets;
  // By call: "tcp4", "tcp6", "udp4", "udp6", "stackTcp", "stackUdp", "tcp", "udp".
  std::map<std::string, CallFailure> tableFailures;

  static FakeSocket Ipv4Socket(bool tcp, std::array<std::uint8_t, 4> local, std::uint16_t localPort,
                               std::array<std::uint8_t, 4> remote, std::uint16_t remotePort,
                               std::uint32_t pid, std::uint32_t state = 5);

  // --- record ---
  std::vector<std::wstring> registryReads;  // key paths
  std::vector<std::string> tableCalls;      // every call by name, size queries too
  int interfaceReads = 0;
  int adapterListReads = 0;

  // --- AdapterApi ---
  std::uint32_t GetIfTable2(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetIfTable(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetAdaptersAddresses(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetAdaptersInfo(void* buffer, std::uint32_t* size) override;
  std::wstring ReadMachineString(const std::wstring& keyPath,
                                 const std::wstring& valueName) override;
  std::wstring AnsiText(std::string_view bytes) override;  // Latin-1
  // --- ConnectionApi ---
  ConnectionEntryPoints EntryPoints() override { return entryPoints; }
  std::uint32_t GetExtendedTcpTable(void* buffer, std::uint32_t* size,
                                    std::uint32_t family) override;
  std::uint32_t GetExtendedUdpTable(void* buffer, std::uint32_t* size,
                                    std::uint32_t family) override;
  std::uint32_t TcpExTableFromStack(void* buffer, std::uint32_t* size) override;
  std::uint32_t UdpExTableFromStack(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetTcpTable(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetUdpTable(void* buffer, std::uint32_t* size) override;

 private:
  enum class Form { kOwner, kPlain };
  std::uint32_t WriteSockets(const std::string& call, bool tcp, bool ipv6, Form kind, void* buffer,
                             std::uint32_t* size);
};

}  // namespace platform::fake
