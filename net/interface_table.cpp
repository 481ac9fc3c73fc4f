// Decoding the interface tables row by row, every read checked against the
// filled size first.
#include "net/interface_table.h"

#include <algorithm>
#include <cstring>

#include "platform/layouts/interface_rows.h"

namespace net {
namespace {

using namespace platform::if_layout;

template <typename T>
T Read(const std::byte* at, std::size_t offset) {
  T value;
  std::memcpy(&value, at + offset, sizeof value);
  return value;
}

// IF_OPER_STATUS and NET_IF_MEDIA_CONNECT_STATE values of the newer table.
constexpr std::uint32_t kIfOperUp = 1;
constexpr std::uint32_t kIfOperDormant = 5;
constexpr std::uint32_t kMediaDisconnected = 2;
// A link speed the driver does not know reads as all ones.
constexpr std::uint64_t kUnknownSpeed = ~std::uint64_t{0};

std::uint64_t KnownSpeed(std::uint64_t speed) { return speed == kUnknownSpeed ? 0 : speed; }

// The row count, when that many rows lie inside the filled part.
bool RowCount(std::size_t filled, std::size_t rowsAt, std::size_t rowSize, const std::byte* buffer,
              std::size_t& count) {
  if (filled < rowsAt) return false;
  count = Read<std::uint32_t>(buffer, 0);
  return count <= (filled - rowsAt) / rowSize;
}

}  // namespace

std::uint32_t OperStatusOfRow2(std::uint32_t ifOperStatus, std::uint32_t mediaConnectState) {
  if (ifOperStatus == kIfOperUp) return kOperOperational;
  if (ifOperStatus == kIfOperDormant) return kOperConnecting;
  if (mediaConnectState == kMediaDisconnected) return kOperDisconnected;
  return kOperNonOperational;
}

bool WalkIfTable2(const std::byte* buffer, std::size_t filled, std::vector<InterfaceEntry>& out) {
  std::size_t count = 0;
  if (!RowCount(filled, kTable2Rows, kRow2Size, buffer, count)) return false;
  out.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::byte* row = buffer + kTable2Rows + i * kRow2Size;
    InterfaceEntry& entry = out[i];
    entry.operStatus = OperStatusOfRow2(Read<std::uint32_t>(row, kRow2OperStatus),
                                        Read<std::uint32_t>(row, kRow2MediaConnectState));
    entry.description.clear();
    for (std::size_t c = 0; c < kRow2DescriptionChars; ++c) {
      const auto unit = Read<std::uint16_t>(row, kRow2Description + 2 * c);
      if (unit == 0) break;
      entry.description.push_back(static_cast<wchar_t>(unit));
    }
    entry.speed = std::max(KnownSpeed(Read<std::uint64_t>(row, kRow2TransmitLinkSpeed)),
                           KnownSpeed(Read<std::uint64_t>(row, kRow2ReceiveLinkSpeed)));
    entry.receivedOctets = Read<std::uint64_t>(row, kRow2InOctets);
    entry.sentOctets = Read<std::uint64_t>(row, kRow2OutOctets);
    entry.counterBits = 64;
  }
  return true;
}

bool WalkIfTable(const std::byte* buffer, std::size_t filled, const AnsiDecoder& decode,
                 std::vector<InterfaceEntry>& out) {
  std::size_t count = 0;
  if (!RowCount(filled, kTableRows, kRowSize, buffer, count)) return false;
  out.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::byte* row = buffer + kTableRows + i * kRowSize;
    InterfaceEntry& entry = out[i];
    entry.operStatus = Read<std::uint32_t>(row, kRowOperStatus);
    // The bytes up to the first NUL, all 256 when there is none; the row's own
    // length field is not trusted.
    const auto* text = reinterpret_cast<const char*>(row + kRowDescription);
    std::size_t length = 0;
    while (length < kRowDescriptionBytes && text[length] != '\0') ++length;
    entry.description = decode(std::string_view(text, length));
    entry.speed = Read<std::uint32_t>(row, kRowSpeed);
    entry.receivedOctets = Read<std::uint32_t>(row, kRowInOctets);
    entry.sentOctets = Read<std::uint32_t>(row, kRowOutOctets);
    entry.counterBits = 32;
  }
  return true;
}

}  // namespace net
