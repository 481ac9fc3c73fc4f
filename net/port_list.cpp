// Filling the port list from the system's connection tables.
#include "net/port_list.h"

#include <iterator>
#include <string>
#include <utility>

#include "net/connection_format.h"
#include "procs/process_actions.h"

namespace net {
namespace {

std::wstring AddressText(const ConnectionEntry& e, bool remote) {
  const auto& address = remote ? e.remoteAddress : e.localAddress;
  return e.ipv6 ? FormatAddress6(address) : FormatAddress(address);
}

bool IsZeroIpv4(const std::array<std::uint8_t, 16>& address) {
  return address[0] == 0 && address[1] == 0 && address[2] == 0 && address[3] == 0;
}

// The texts of one row of the list, by what they show.
struct PortRowTexts {
  std::wstring pid, localIp, localPort, remoteIp, remotePort, path, state, protocol;
};

// The list's columns, in the order of PortColumn: the header, and the text of a
// row that the column shows.
struct PortColumnSpec {
  PortColumn column;
  const wchar_t* caption;
  int width;
  bool centred;
  std::wstring PortRowTexts::*text;
};

constexpr PortColumnSpec kPortColumns[] = {
    {kPortPid, L"PID", 65, false, &PortRowTexts::pid},
    {kPortLocalIp, L"本机IP", 80, false, &PortRowTexts::localIp},
    {kPortLocalPort, L"本地Port", 75, true, &PortRowTexts::localPort},
    {kPortRemoteIp, L"远程IP", 80, true, &PortRowTexts::remoteIp},
    {kPortRemotePort, L"远程Port", 80, true, &PortRowTexts::remotePort},
    {kPortPath, L"进程路径", 100, true, &PortRowTexts::path},
    {kPortState, L"状态", 80, true, &PortRowTexts::state},
    {kPortProtocol, L"协议", 65, true, &PortRowTexts::protocol},
};

static_assert([] {
  for (std::size_t c = 0; c < std::size(kPortColumns); ++c)
    if (kPortColumns[c].column != c) return false;
  return std::size(kPortColumns) == kPortColumnCount;
}(), "one row per column, in the columns' order");

// `key`: the owning process, 0 when the table names none.
ui::ListItem ItemOf(PortRowTexts texts, std::uint32_t key) {
  ui::ListItem item;
  item.key = key;
  item.caption = std::move(texts.*kPortColumns[kPortPid].text);
  for (std::size_t c = 1; c < kPortColumnCount; ++c)
    item.subItems.push_back(std::move(texts.*kPortColumns[c].text));
  return item;
}

}  // namespace

TableVariant ChooseTableVariant(const platform::ConnectionEntryPoints& entryPoints) {
  if (entryPoints.extendedTcp) return TableVariant::kExtended;
  if (entryPoints.stackTcp) return TableVariant::kStack;
  return TableVariant::kPlain;
}

PortList::PortList(platform::ConnectionApi& tables, procs::ProcessPathLookup& paths,
                   platform::Dialogs& dialogs, platform::ProcessApi& processes,
                   ui::ListModel& list)
    : tables_(tables),
      paths_(paths),
      dialogs_(dialogs),
      processes_(processes),
      list_(list),
      entryPoints_(tables.EntryPoints()),
      variant_(ChooseTableVariant(entryPoints_)) {}

const std::vector<ui::ListColumn>& PortList::Columns() {
  static const std::vector<ui::ListColumn> columns = [] {
    std::vector<ui::ListColumn> headers;
    for (const PortColumnSpec& c : kPortColumns)
      headers.push_back({c.caption, c.width, false, c.centred});
    return headers;
  }();
  return columns;
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
  const ui::ListModel::ChangeBatch batch(list_);
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
  const ui::ListModel::ChangeBatch batch(list_);
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
  const ui::ListModel::ChangeBatch batch(list_);
  list_.Clear();
  entries_.clear();
  ReadTable([this](void* b, std::uint32_t* s) { return tables_.GetTcpTable(b, s); },
            ConnectionLayout::kTcpPlain);
  ReadTable([this](void* b, std::uint32_t* s) { return tables_.GetUdpTable(b, s); },
            ConnectionLayout::kUdpPlain);
  AddPlainRows();
}

void PortList::AddOwnerRows() {
  ownerCreateTimes_.clear();
  for (const ConnectionEntry& e : entries_) {
    const std::wstring local = AddressText(e, false);
    if (hideLocal_ && IsLocalAddressText(local)) continue;
    const bool tcp = e.protocol == Protocol::kTcp;
    // Identifier 0 is no process (the system reports it for some listeners).
    list_.Append(ItemOf(
        {.pid = std::to_wstring(e.pid),
         .localIp = local,
         .localPort = FormatPort(e.localPort),
         .remoteIp = tcp ? AddressText(e, true) : L"",
         .remotePort = tcp ? FormatPort(e.remotePort) : L"",
         .path = e.pid == 0 ? L"unknown" : OwnerPath(e.pid),
         .state = tcp ? TcpStateName(e.state) : L"",
         .protocol = tcp ? L"TCP" : L"UDP"},
        e.pid));
  }
}

// The path look-up knows which process it answered for: the one this row is for.
const std::wstring& PortList::OwnerPath(std::uint32_t pid) {
  const std::wstring& path = paths_.GetProcessPath(pid);
  ownerCreateTimes_[pid] = paths_.CreateTimeOf(pid);
  return path;
}

void PortList::AddPlainRows() {
  for (const ConnectionEntry& e : entries_) {
    const bool tcp = e.protocol == Protocol::kTcp;
    const std::uint32_t remotePort = IsZeroIpv4(e.remoteAddress) ? 0 : e.remotePort;
    // The plain tables name no owner.
    list_.Append(ItemOf(
        {.pid = L"不支持",
         .localIp = FormatAddress(e.localAddress),
         .localPort = FormatPlainPort(e.localPort),
         .remoteIp = tcp ? FormatAddress(e.remoteAddress) : L"*",
         .remotePort = tcp ? FormatPlainPort(remotePort) : L"*",
         .path = L"-",
         .state = tcp ? TcpStateName(e.state) : L"-",
         .protocol = tcp ? L"TCP" : L"UDP"},
        0));
  }
}

bool PortList::BitBtn4Click() {
  if (!procs::ConfirmKill(dialogs_)) return false;
  const auto selected = list_.FirstSelected();
  if (!selected) return false;
  const auto pid = static_cast<std::uint32_t>(list_.Item(*selected).key);
  if (pid == 0) return true;
  const auto owner = ownerCreateTimes_.find(pid);
  const std::int64_t createTime =
      owner == ownerCreateTimes_.end() ? procs::kUnknownCreateTime : owner->second;
  switch (procs::KillProcess(processes_, dialogs_, pid, createTime)) {
    case procs::KillResult::kRefused: return false;
    case procs::KillResult::kGone: procs::ShowProcessEnded(dialogs_); [[fallthrough]];
    case procs::KillResult::kReplaced:
      // The path was the ended owner's: the next fill asks who holds the identifier now.
      paths_.Forget(pid);
      break;
    case procs::KillResult::kEnded: break;
  }
  return true;
}

}  // namespace net
