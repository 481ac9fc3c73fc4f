// Row decoding of the TCP and UDP tables, checked against the filled size.
#include "net/connection_table.h"

#include <algorithm>
#include <cstring>

#include "platform/adapter_api.h"
#include "platform/layouts/connection_rows.h"

namespace net {
namespace {

using platform::connection_layout::kAbsent;
using platform::connection_layout::RowForm;

std::uint32_t Dword(const std::byte* at, std::size_t offset) {
  std::uint32_t value;
  std::memcpy(&value, at + offset, sizeof value);
  return value;
}

struct LayoutForm {
  Protocol protocol;
  const RowForm& form;
};

LayoutForm FormOf(ConnectionLayout layout) {
  namespace rows = platform::connection_layout;
  switch (layout) {
    case ConnectionLayout::kTcpOwnerPid: return {Protocol::kTcp, rows::kTcpOwnerPid};
    case ConnectionLayout::kTcp6OwnerPid: return {Protocol::kTcp, rows::kTcp6OwnerPid};
    case ConnectionLayout::kUdpOwnerPid: return {Protocol::kUdp, rows::kUdpOwnerPid};
    case ConnectionLayout::kUdp6OwnerPid: return {Protocol::kUdp, rows::kUdp6OwnerPid};
    case ConnectionLayout::kTcpPlain: return {Protocol::kTcp, rows::kTcpPlain};
    case ConnectionLayout::kUdpPlain: return {Protocol::kUdp, rows::kUdpPlain};
  }
  return {Protocol::kUdp, rows::kUdpPlain};
}

ConnectionEntry Decode(const std::byte* row, const LayoutForm& layout) {
  const RowForm& f = layout.form;
  ConnectionEntry e;
  e.protocol = layout.protocol;
  e.ipv6 = f.addressBytes == 16;
  std::memcpy(e.localAddress.data(), row + f.localAddress, f.addressBytes);
  e.localPort = Dword(row, f.localPort);
  if (f.remoteAddress != kAbsent)
    std::memcpy(e.remoteAddress.data(), row + f.remoteAddress, f.addressBytes);
  if (f.remotePort != kAbsent) e.remotePort = Dword(row, f.remotePort);
  if (f.state != kAbsent) e.state = Dword(row, f.state);
  if (f.owningPid != kAbsent) e.pid = Dword(row, f.owningPid);
  return e;
}

constexpr int kMaxCalls = 4;
constexpr std::uint32_t kMaxTable = 64u << 20;

}  // namespace

std::size_t WalkConnectionTable(const std::byte* buffer, std::size_t filled,
                                ConnectionLayout layout, std::vector<ConnectionEntry>& out) {
  using platform::connection_layout::kRows;
  if (filled < kRows) return 0;
  const LayoutForm form = FormOf(layout);
  const std::size_t rowSize = form.form.size;
  const std::size_t count = std::min<std::size_t>(Dword(buffer, 0), (filled - kRows) / rowSize);
  for (std::size_t i = 0; i < count; ++i) out.push_back(Decode(buffer + kRows + i * rowSize, form));
  return count;
}

TableRead ReadConnectionTable(const TableCall& call, std::vector<std::byte>& buffer,
                              std::size_t& filled) {
  filled = 0;
  std::uint32_t size = 0;
  if (call(nullptr, &size) != platform::kErrorInsufficientBuffer) return TableRead::kNoSizeAnswer;
  for (int attempt = 0; attempt < kMaxCalls; ++attempt) {
    if (size > kMaxTable) return TableRead::kFailed;
    buffer.assign(std::max<std::size_t>(size, platform::connection_layout::kRows), std::byte{0});
    size = static_cast<std::uint32_t>(buffer.size());
    const std::uint32_t result = call(buffer.data(), &size);
    if (result == platform::kNoError) {
      filled = buffer.size();
      return TableRead::kOk;
    }
    // Connections opened between the two calls: ask again with the new size.
    if (result != platform::kErrorInsufficientBuffer || size <= buffer.size()) break;
  }
  return TableRead::kFailed;
}

}  // namespace net
