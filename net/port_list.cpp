// Filling the port list from the system's connection tables.
#include "net/port_list.h"

#include <cwctype>
#include <string>

#include "net/connection_format.h"

namespace net {
namespace {

const wchar_t kKillWarning[] =
    L"警告：终止进程会导致不希望发生的结果，\n\r包括数据丢失和系统不稳定。在被终止前，\n\r"
    L"进程将没有机会保存其状态和数据。确实\n\r想终止该进程吗？";

std::wstring AddressText(const ConnectionEntry& e, bool remote) {
  const auto& address = remote ? e.remoteAddress : e.localAddress;
  return e.ipv6 ? FormatAddress6(address) : FormatAddress(address);
}

bool IsZeroIpv4(const std::array<std::uint8_t, 16>& address) {
  return address[0] == 0 && address[1] == 0 && address[2] == 0 && address[3] == 0;
}

// A decimal number, 0 for text that is not one ("不支持").
std::uint32_t ParsePid(const std::wstring& text) {
  if (text.empty() || text.size() > 10) return 0;
  std::uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
  }
  return value > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(value);
}

}  // namespace

TableVariant ChooseTableVariant(const platform::ConnectionEntryPoints& entryPoints) {
  if (entryPoints.extendedTcp) return TableVariant::kExtended;
  if (entryPoints.stackTcp) return TableVariant::kStack;
  return TableVariant::kPlain;
}

PortList::PortList(platform::ConnectionApi& tables, procs::ProcessPathLookup& paths,
                   platform::Dialogs& dialogs, procs::ProcessesPage& processesPage,
                   app::ListModel& list)
    : tables_(tables),
      paths_(paths),
      dialogs_(dialogs),
      processesPage_(processesPage),
      list_(list),
      entryPoints_(tables.EntryPoints()),
      variant_(ChooseTableVariant(entryPoints_)) {}

const std::vector<app::ListColumn>& PortList::Columns() {
  static const std::vector<app::ListColumn> kColumns{
      {L"PID", 65, false},          {L"本机IP", 80, false},
      {L"本地Port", 75, false, true}, {L"远程IP", 80, false, true},
      {L"远程Port", 80, false, true}, {L"进程路径", 100, false, true},
      {L"状态", 80, false, true},     {L"协议", 65, false, true},
  };
  return kColumns;
}

void PortList::Fill() {
  switch (variant_) {
    case TableVariant::kExtended: FillOwnerTablesExtended(); break;
    case TableVariant::kStack: FillOwnerTablesEx(); break;
    case TableVariant::kPlain: FillPlainTables(); break;
  }
}

TableRead PortList::ReadTable(const TableCall& call, ConnectionLayout layout) {
  std::size_t filled = 0;
  const TableRead read = ReadConnectionTable(call, buffer_, filled);
  if (read == TableRead::kOk) WalkConnectionTable(buffer_.data(), filled, layout, entries_);
  return read;
}

void PortList::FillOwnerTablesExtended() {
  list_.Clear();
  entries_.clear();
  auto tcp = [this](std::uint32_t family) {
    return [this, family](void* b, std::uint32_t* s) { return tables_.GetExtendedTcpTable(b, s, family); };
  };
  auto udp = [this](std::uint32_t family) {
    return [this, family](void* b, std::uint32_t* s) { return tables_.GetExtendedUdpTable(b, s, family); };
  };
  // Without an answer to the first size query the system offers nothing.
  if (ReadTable(tcp(platform::kAfInet), ConnectionLayout::kTcpOwnerPid) == TableRead::kNoSizeAnswer) {
    return;
  }
  ReadTable(tcp(platform::kAfInet6), ConnectionLayout::kTcp6OwnerPid);
  // A system without the UDP partner shows its TCP rows alone.
  if (entryPoints_.extendedUdp &&
      ReadTable(udp(platform::kAfInet), ConnectionLayout::kUdpOwnerPid) != TableRead::kNoSizeAnswer) {
    ReadTable(udp(platform::kAfInet6), ConnectionLayout::kUdp6OwnerPid);
  }
  AddOwnerRows();
}

void PortList::FillOwnerTablesEx() {
  entries_.clear();
  // Either call failing leaves the list as it was.
  const TableCall tcp = [this](void* b, std::uint32_t* s) { return tables_.TcpExTableFromStack(b, s); };
  const TableCall udp = [this](void* b, std::uint32_t* s) { return tables_.UdpExTableFromStack(b, s); };
  if (ReadTable(tcp, ConnectionLayout::kTcpOwnerPid) != TableRead::kOk) return;
  if (entryPoints_.stackUdp && ReadTable(udp, ConnectionLayout::kUdpOwnerPid) != TableRead::kOk) return;
  list_.Clear();
  AddOwnerRows();
}

void PortList::FillPlainTables() {
  list_.Clear();
  entries_.clear();
  ReadTable([this](void* b, std::uint32_t* s) { return tables_.GetTcpTable(b, s); },
            ConnectionLayout::kTcpPlain);
  ReadTable([this](void* b, std::uint32_t* s) { return tables_.GetUdpTable(b, s); },
            ConnectionLayout::kUdpPlain);
  AddPlainRows();
}

void PortList::AddOwnerRows() {
  for (const ConnectionEntry& e : entries_) {
    const std::wstring local = AddressText(e, false);
    if (hideLocal_ && IsLocalAddressText(local)) continue;
    const bool tcp = e.protocol == Protocol::kTcp;
    app::ListItem item;
    item.key = e.pid;
    item.caption = std::to_wstring(e.pid);
    // Identifier 0 is no process (the system reports it for some listeners): "unknown".
    item.subItems = {local,
                     FormatPort(e.localPort),
                     tcp ? AddressText(e, true) : L"",
                     tcp ? FormatPort(e.remotePort) : L"",
                     paths_.GetProcessPath(e.pid),
                     tcp ? TcpStateName(e.state) : L"",
                     tcp ? L"TCP" : L"UDP"};
    list_.Append(std::move(item));
  }
}

void PortList::AddPlainRows() {
  for (const ConnectionEntry& e : entries_) {
    app::ListItem item;
    item.caption = L"不支持";
    if (e.protocol == Protocol::kTcp) {
      const std::uint32_t remotePort = IsZeroIpv4(e.remoteAddress) ? 0 : e.remotePort;
      item.subItems = {FormatAddress(e.localAddress), FormatPlainPort(e.localPort),
                       FormatAddress(e.remoteAddress), FormatPlainPort(remotePort), L"-",
                       TcpStateName(e.state), L"TCP"};
    } else {
      item.subItems = {FormatAddress(e.localAddress), FormatPlainPort(e.localPort), L"*", L"*",
                       L"-", L"-", L"UDP"};
    }
    list_.Append(std::move(item));
  }
}

bool PortList::BitBtn4Click() {
  if (!dialogs_.AskYesNo(L"泽恩特警告", kKillWarning, platform::BoxIcon::kWarning)) return false;
  const auto selected = list_.FirstSelected();
  if (!selected) return false;
  const std::uint32_t pid = ParsePid(list_.Text(*selected, kPortPid));
  if (pid != 0 && !processesPage_.KillProcess(pid)) return false;
  return true;
}

}  // namespace net
