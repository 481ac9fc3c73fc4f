// Decoding the adapter chains. Every link and string address is checked against
// the filled part of the buffer before anything is read through it.
#include "net/adapter_records.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/layouts/adapter_records.h"

namespace net {
namespace {

using namespace platform::adapter_layout;

template <typename T>
T Read(const std::byte* at, std::size_t offset) {
  T value;
  std::memcpy(&value, at + offset, sizeof value);
  return value;
}

// The buffer offset an address names, when it lies inside the filled part.
std::optional<std::size_t> OffsetOf(std::uint64_t address, std::uint64_t base, std::size_t filled) {
  if (address < base || address - base >= filled) return std::nullopt;
  return static_cast<std::size_t>(address - base);
}

std::string_view AnsiAt(const std::byte* buffer, std::size_t filled, std::size_t offset,
                        std::size_t limit) {
  const auto* text = reinterpret_cast<const char*>(buffer + offset);
  const std::size_t room = std::min(limit, filled - offset);
  std::size_t length = 0;
  while (length < room && text[length] != '\0') ++length;
  return {text, length};
}

void WideAt(const std::byte* buffer, std::size_t filled, std::uint64_t address, std::uint64_t base,
            std::wstring& out) {
  out.clear();
  const auto offset = OffsetOf(address, base, filled);
  if (!offset) return;
  for (std::size_t at = *offset; filled - at >= 2; at += 2) {
    const auto unit = Read<std::uint16_t>(buffer, at);
    if (unit == 0) break;
    out.push_back(static_cast<wchar_t>(unit));
  }
}

// Follows the chain from offset 0; `decodeRecord` fills one record.
template <typename DecodeRecord>
void WalkChain(const std::byte* buffer, std::size_t filled, std::uint64_t base,
               std::size_t nextField, std::size_t used,
               std::vector<AdapterRecord>& out, DecodeRecord decodeRecord) {
  std::size_t count = 0;
  std::optional<std::size_t> offset = filled >= used ? std::optional<std::size_t>(0) : std::nullopt;
  // Records never overlap: a chain longer than this loops.
  const std::size_t maxRecords = filled / used;
  while (offset && filled - *offset >= used && count < maxRecords) {
    const std::byte* record = buffer + *offset;
    if (count == out.size()) out.emplace_back();
    decodeRecord(record, out[count++]);
    const auto next = Read<std::uint64_t>(record, nextField);
    offset = next == 0 ? std::nullopt : OffsetOf(next, base, filled);
  }
  out.resize(count);
}

bool IsBlank(wchar_t c) { return c <= L' '; }

}  // namespace

void WalkAdaptersAddresses(const std::byte* buffer, std::size_t filled, std::uint64_t base,
                           const AnsiDecoder& decode, std::vector<AdapterRecord>& out) {
  WalkChain(buffer, filled, base, kAddressesNext, kAddressesUsed, out,
            [&](const std::byte* record, AdapterRecord& r) {
              const auto name = OffsetOf(Read<std::uint64_t>(record, kAddressesAdapterName),
                                         base, filled);
              r.adapterName = name ? decode(AnsiAt(buffer, filled, *name, filled)) : L"";
              WideAt(buffer, filled, Read<std::uint64_t>(record, kAddressesDescription), base,
                     r.description);
              WideAt(buffer, filled, Read<std::uint64_t>(record, kAddressesFriendlyName), base,
                     r.friendlyName);
            });
}

void WalkAdaptersInfo(const std::byte* buffer, std::size_t filled, std::uint64_t base,
                      const AnsiDecoder& decode, std::vector<AdapterRecord>& out) {
  WalkChain(buffer, filled, base, kInfoNext, kInfoUsed, out,
            [&](const std::byte* record, AdapterRecord& r) {
              const std::size_t at = static_cast<std::size_t>(record - buffer);
              r.adapterName =
                  decode(AnsiAt(buffer, filled, at + kInfoAdapterName, kInfoAdapterNameBytes));
              r.description =
                  decode(AnsiAt(buffer, filled, at + kInfoDescription, kInfoDescriptionBytes));
              r.friendlyName.clear();
            });
}

const AdapterRecord* FindAdapterByDescription(const std::vector<AdapterRecord>& records,
                                              const std::wstring& description) {
  for (const AdapterRecord& record : records) {
    std::wstring_view text = record.description;
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text == description) return &record;
  }
  return nullptr;
}

}  // namespace net
