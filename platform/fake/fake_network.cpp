// The fake network's answers, written byte for byte in the system's layouts
// (platform/layouts), the ones the walks in net/ decode.
#include "platform/fake/fake_network.h"

#include <algorithm>
#include <cstring>

#include "platform/fake/fake_bytes.h"
#include "platform/layouts/adapter_records.h"
#include "platform/layouts/connection_rows.h"
#include "platform/layouts/interface_rows.h"

namespace platform::fake {
namespace {

constexpr std::uint32_t kInvalidParameter = 87;

// A port in network order in the low 16 bits of its field.
std::uint32_t PortField(std::uint16_t port) {
  return static_cast<std::uint32_t>(((port & 0xFF) << 8) | (port >> 8));
}

std::uint64_t AddressOf(const std::byte* at) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(at));
}

// Room check shared by every table: too small gives the size needed.
bool Fits(void* buffer, std::uint32_t* size, std::size_t needed, std::uint32_t tooSmall,
          std::uint32_t& result) {
  if (buffer != nullptr && *size >= needed) return true;
  *size = static_cast<std::uint32_t>(needed);
  result = tooSmall;
  return false;
}

std::size_t Align8(std::size_t n) { return (n + 7) & ~std::size_t{7}; }

}  // namespace

FakeSocket FakeNetwork::Ipv4Socket(bool tcp, std::array<std::uint8_t, 4> local,
                                   std::uint16_t localPort, std::array<std::uint8_t, 4> remote,
                                   std::uint16_t remotePort, std::uint32_t pid,
                                   std::uint32_t state) {
  FakeSocket s;
  s.tcp = tcp;
  std::copy(local.begin(), local.end(), s.local.begin());
  std::copy(remote.begin(), remote.end(), s.remote.begin());
  s.localPort = localPort;
  s.remotePort = remotePort;
  s.pid = pid;
  s.state = state;
  return s;
}

std::uint32_t FakeNetwork::GetIfTable2(void* buffer, std::uint32_t* size) {
  using namespace if_layout;
  if (!hasIfTable2) return kErrorNotSupported;
  ++interfaceReads;
  if (failInterfaceTable) return kInvalidParameter;
  std::uint32_t result = kNoError;
  if (!Fits(buffer, size, kTable2Rows + interfaces.size() * kRow2Size, kErrorInsufficientBuffer,
            result)) {
    return result;
  }
  auto* out = static_cast<std::byte*>(buffer);
  std::memset(out, 0, *size);
  Put<std::uint32_t>(out, 0, static_cast<std::uint32_t>(interfaces.size()));
  for (std::size_t i = 0; i < interfaces.size(); ++i) {
    const FakeInterface& f = interfaces[i];
    std::byte* row = out + kTable2Rows + i * kRow2Size;
    const std::size_t chars = std::min(f.description.size(), kRow2DescriptionChars - 1);
    for (std::size_t c = 0; c < chars; ++c)
      Put<std::uint16_t>(row, kRow2Description + 2 * c, static_cast<std::uint16_t>(f.description[c]));
    Put(row, kRow2OperStatus, f.ifOperStatus);
    Put(row, kRow2MediaConnectState, f.mediaConnectState);
    Put(row, kRow2TransmitLinkSpeed, f.speed);
    Put(row, kRow2ReceiveLinkSpeed, f.speed);
    Put(row, kRow2InOctets, f.receivedOctets);
    Put(row, kRow2OutOctets, f.sentOctets);
  }
  return kNoError;
}

std::uint32_t FakeNetwork::GetIfTable(void* buffer, std::uint32_t* size) {
  using namespace if_layout;
  ++interfaceReads;
  if (failInterfaceTable) return kInvalidParameter;
  std::uint32_t result = kNoError;
  if (!Fits(buffer, size, kTableRows + interfaces.size() * kRowSize, kErrorInsufficientBuffer,
            result)) {
    return result;
  }
  auto* out = static_cast<std::byte*>(buffer);
  std::memset(out, 0, *size);
  Put<std::uint32_t>(out, 0, static_cast<std::uint32_t>(interfaces.size()));
  for (std::size_t i = 0; i < interfaces.size(); ++i) {
    const FakeInterface& f = interfaces[i];
    std::byte* row = out + kTableRows + i * kRowSize;
    Put(row, kRowSpeed, static_cast<std::uint32_t>(std::min<std::uint64_t>(f.speed, 0xFFFFFFFFu)));
    Put(row, kRowOperStatus, f.operStatus);
    Put(row, kRowInOctets, static_cast<std::uint32_t>(f.receivedOctets));
    Put(row, kRowOutOctets, static_cast<std::uint32_t>(f.sentOctets));
    // All 256 bytes when the description is that long: no NUL then.
    const std::size_t bytes = std::min(f.description.size(), kRowDescriptionBytes);
    for (std::size_t c = 0; c < bytes; ++c)
      Put(row, kRowDescription + c, static_cast<std::uint8_t>(f.description[c]));
  }
  return kNoError;
}

std::uint32_t FakeNetwork::GetAdaptersAddresses(void* buffer, std::uint32_t* size) {
  using namespace adapter_layout;
  if (!hasAdaptersAddresses) return kErrorNotSupported;
  ++adapterListReads;
  if (failAdapterLists) return kInvalidParameter;
  if (adapters.empty()) return kErrorNoData;
  // The records first, their strings after them.
  std::size_t needed = adapters.size() * kAddressesSize;
  for (const FakeAdapter& a : adapters) {
    needed += Align8(a.adapterName.size() + 1) + Align8(2 * (a.description.size() + 1)) +
              Align8(2 * (a.friendlyName.size() + 1));
  }
  std::uint32_t result = kNoError;
  if (!Fits(buffer, size, needed, kErrorBufferOverflow, result)) return result;
  auto* out = static_cast<std::byte*>(buffer);
  std::memset(out, 0, *size);
  std::size_t strings = adapters.size() * kAddressesSize;
  auto putWide = [&](const std::wstring& text) {
    const std::size_t at = strings;
    for (std::size_t c = 0; c < text.size(); ++c)
      Put<std::uint16_t>(out, at + 2 * c, static_cast<std::uint16_t>(text[c]));
    strings += Align8(2 * (text.size() + 1));
    return AddressOf(out + at);
  };
  for (std::size_t i = 0; i < adapters.size(); ++i) {
    const FakeAdapter& a = adapters[i];
    std::byte* record = out + i * kAddressesSize;
    Put<std::uint32_t>(record, 0, static_cast<std::uint32_t>(kAddressesSize));
    const bool last = i + 1 == adapters.size();
    Put<std::uint64_t>(record, kAddressesNext, last ? 0 : AddressOf(record + kAddressesSize));
    std::memcpy(out + strings, a.adapterName.data(), a.adapterName.size());
    Put<std::uint64_t>(record, kAddressesAdapterName, AddressOf(out + strings));
    strings += Align8(a.adapterName.size() + 1);
    Put<std::uint64_t>(record, kAddressesDescription, putWide(a.description));
    Put<std::uint64_t>(record, kAddressesFriendlyName, putWide(a.friendlyName));
  }
  return kNoError;
}

std::uint32_t FakeNetwork::GetAdaptersInfo(void* buffer, std::uint32_t* size) {
  using namespace adapter_layout;
  ++adapterListReads;
  if (failAdapterLists) return kInvalidParameter;
  if (adapters.empty()) return kErrorNoData;
  std::uint32_t result = kNoError;
  if (!Fits(buffer, size, adapters.size() * kInfoSize, kErrorBufferOverflow, result)) return result;
  auto* out = static_cast<std::byte*>(buffer);
  std::memset(out, 0, *size);
  for (std::size_t i = 0; i < adapters.size(); ++i) {
    const FakeAdapter& a = adapters[i];
    std::byte* record = out + i * kInfoSize;
    const bool last = i + 1 == adapters.size();
    Put<std::uint64_t>(record, kInfoNext, last ? 0 : AddressOf(record + kInfoSize));
    std::memcpy(record + kInfoAdapterName, a.adapterName.data(),
                std::min(a.adapterName.size(), kInfoAdapterNameBytes - 1));
    const std::size_t bytes = std::min(a.description.size(), kInfoDescriptionBytes - 1);
    for (std::size_t c = 0; c < bytes; ++c)
      Put(record, kInfoDescription + c, static_cast<std::uint8_t>(a.description[c]));
  }
  return kNoError;
}

std::wstring FakeNetwork::ReadMachineString(const std::wstring& keyPath,
                                            const std::wstring& valueName) {
  registryReads.push_back(keyPath);
  const auto found = registry.find({keyPath, valueName});
  return found == registry.end() ? std::wstring() : found->second;
}

std::wstring FakeNetwork::AnsiText(std::string_view bytes) {
  std::wstring text;
  for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return text;
}

std::uint32_t FakeNetwork::WriteSockets(const std::string& call, bool tcp, bool ipv6, Form kind,
                                        void* buffer, std::uint32_t* size) {
  tableCalls.push_back(call);
  const auto failure = tableFailures.find(call);
  const CallFailure how = failure == tableFailures.end() ? CallFailure::kNone : failure->second;
  if (how == CallFailure::kSizeQuery || (how == CallFailure::kRealCall && buffer != nullptr))
    return kInvalidParameter;
  using namespace connection_layout;
  const RowForm& form = kind == Form::kPlain ? (tcp ? kTcpPlain : kUdpPlain)
                        : tcp ? (ipv6 ? kTcp6OwnerPid : kTcpOwnerPid)
                              : (ipv6 ? kUdp6OwnerPid : kUdpOwnerPid);
  std::vector<const FakeSocket*> chosen;
  for (const FakeSocket& s : sockets)
    if (s.tcp == tcp && s.ipv6 == ipv6) chosen.push_back(&s);
  std::uint32_t result = kNoError;
  if (!Fits(buffer, size, kRows + chosen.size() * form.size, kErrorInsufficientBuffer, result))
    return result;
  auto* out = static_cast<std::byte*>(buffer);
  Put<std::uint32_t>(out, 0, static_cast<std::uint32_t>(chosen.size()));
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    const FakeSocket& s = *chosen[i];
    std::byte* row = out + kRows + i * form.size;
    std::memset(row, 0, form.size);
    std::memcpy(row + form.localAddress, s.local.data(), form.addressBytes);
    Put(row, form.localPort, PortField(s.localPort));
    if (form.remoteAddress != kAbsent)
      std::memcpy(row + form.remoteAddress, s.remote.data(), form.addressBytes);
    if (form.remotePort != kAbsent) Put(row, form.remotePort, PortField(s.remotePort));
    if (form.state != kAbsent) Put(row, form.state, s.state);
    if (form.owningPid != kAbsent) Put(row, form.owningPid, s.pid);
  }
  return kNoError;
}

std::uint32_t FakeNetwork::GetExtendedTcpTable(void* buffer, std::uint32_t* size,
                                               std::uint32_t family) {
  if (!entryPoints.extendedTcp) return kErrorNotSupported;
  const bool ipv6 = family == kAfInet6;
  return WriteSockets(ipv6 ? "tcp6" : "tcp4", true, ipv6, Form::kOwner, buffer, size);
}

std::uint32_t FakeNetwork::GetExtendedUdpTable(void* buffer, std::uint32_t* size,
                                               std::uint32_t family) {
  if (!entryPoints.extendedUdp) return kErrorNotSupported;
  const bool ipv6 = family == kAfInet6;
  return WriteSockets(ipv6 ? "udp6" : "udp4", false, ipv6, Form::kOwner, buffer, size);
}

std::uint32_t FakeNetwork::TcpExTableFromStack(void* buffer, std::uint32_t* size) {
  if (!entryPoints.stackTcp) return kErrorNotSupported;
  return WriteSockets("stackTcp", true, false, Form::kOwner, buffer, size);
}

std::uint32_t FakeNetwork::UdpExTableFromStack(void* buffer, std::uint32_t* size) {
  if (!entryPoints.stackUdp) return kErrorNotSupported;
  return WriteSockets("stackUdp", false, false, Form::kOwner, buffer, size);
}

std::uint32_t FakeNetwork::GetTcpTable(void* buffer, std::uint32_t* size) {
  return WriteSockets("tcp", true, false, Form::kPlain, buffer, size);
}

std::uint32_t FakeNetwork::GetUdpTable(void* buffer, std::uint32_t* size) {
  return WriteSockets("udp", false, false, Form::kPlain, buffer, size);
}

}  // namespace platform::fake
