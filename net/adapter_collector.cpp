// The adapter collector: interface table, adapter list, connection names.
#include "net/adapter_collector.h"

#include <algorithm>
#include <cstdint>


namespace net {
namespace {

constexpr std::uint32_t kInitialAdapterBuffer = 16 * 1024;
// An answer asking for more than this is broken, not a list of interfaces.
constexpr std::uint32_t kMaxBuffer = 64u << 20;
constexpr int kMaxQueries = 4;
// A connection renamed while its interface stays shows its new name within this.
constexpr std::int64_t kNamesMaxAgeMs = 60'000;

// Grows `buffer` for a table of `needed` bytes, with room for a few interfaces
// more; false when the request is not believable or would not grow the buffer.
bool GrowFor(std::vector<std::byte>& buffer, std::uint32_t needed) {
  if (needed <= buffer.size() || needed > kMaxBuffer) return false;
  buffer.resize(needed + needed / 4);
  return true;
}

std::uint32_t SizeOf(const std::vector<std::byte>& buffer) {
  return static_cast<std::uint32_t>(buffer.size());
}

}  // namespace

std::wstring ConnectionKeyPath(const std::wstring& adapterName) {
  return L"SYSTEM\\CurrentControlSet\\Control\\Network\\"
         L"{4D36E972-E325-11CE-BFC1-08002BE10318}\\" +
         adapterName + L"\\Connection";
}

AdapterCollector::AdapterCollector(platform::AdapterApi& api, platform::Clock& clock,
                                   ui::UpdateNotice notice, TAdapterStatuses& table)
    : api_(api),
      clock_(clock),
      notice_(notice),
      table_(table),
      decode_([&api](std::string_view bytes) { return api.AnsiText(bytes); }),
      adapterBuffer_(kInitialAdapterBuffer) {
  std::uint32_t size = 0;
  if (api_.GetIfTable2(nullptr, &size) == platform::kErrorNotSupported) {
    useIfTable2_ = false;
    size = 0;
    api_.GetIfTable(nullptr, &size);
  }
  // At least room for the count, so that the buffer always has an address.
  interfaceBuffer_.resize(std::min(std::max<std::uint32_t>(size, 8), kMaxBuffer));
}

void AdapterCollector::Tick(bool pageShown) {
  ++ticksUnread_;
  if (pageShown || ticksUnread_ >= kHiddenReadTicks) CollectAdapters();
}

void AdapterCollector::CatchUp() {
  if (ticksUnread_ > 0) CollectAdapters();
}

void AdapterCollector::CollectAdapters() {
  table_.TicksCovered = std::max(ticksUnread_, 1);
  ticksUnread_ = 0;
  if (ReadInterfaces()) {
    const std::int64_t now = clock_.NowMs();
    if (InterfacesChanged() || !named_ || now - namedAtMs_ >= kNamesMaxAgeMs) {
      NameInterfaces();
      named_ = true;
      namedAtMs_ = now;
    }
    table_.Rows.resize(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const InterfaceEntry& entry = entries_[i];
      TAdapterStatus& row = table_.Rows[i];
      row.OperStatus = entry.operStatus;
      row.Description = entry.description;
      row.ConnectionName = names_[i];
      row.Speed = entry.speed;
      row.ReceivedOctets = entry.receivedOctets;
      row.SentOctets = entry.sentOctets;
      row.CounterBits = entry.counterBits;
    }
    table_.SampleTimeMs = now;
  }
  notice_.Post();
}

bool AdapterCollector::InterfacesChanged() {
  bool same = namedInterfaces_.size() == entries_.size();
  for (std::size_t i = 0; same && i < entries_.size(); ++i) {
    same = namedInterfaces_[i].first == entries_[i].description &&
           namedInterfaces_[i].second == entries_[i].operStatus;
  }
  if (same) return false;
  namedInterfaces_.resize(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i)
    namedInterfaces_[i] = {entries_[i].description, entries_[i].operStatus};
  return true;
}

void AdapterCollector::NameInterfaces() {
  ReadAdapterRecords();
  names_.resize(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const AdapterRecord* record = FindAdapterByDescription(records_, entries_[i].description);
    names_[i] = record ? ConnectionNameOf(record->adapterName) : std::wstring();
    if (record && names_[i].empty()) names_[i] = record->friendlyName;
  }
}

std::wstring AdapterCollector::ConnectionNameOf(const std::wstring& adapterName) {
  if (adapterName.empty()) return {};
  return api_.ReadMachineString(ConnectionKeyPath(adapterName), L"Name");
}

std::uint32_t AdapterCollector::QueryInterfaces(std::uint32_t* size) {
  return useIfTable2_ ? api_.GetIfTable2(interfaceBuffer_.data(), size)
                      : api_.GetIfTable(interfaceBuffer_.data(), size);
}

bool AdapterCollector::ReadInterfaces() {
  for (int attempt = 0; attempt < kMaxQueries; ++attempt) {
    // Always the buffer's real capacity, never a size a failed call asked for.
    std::uint32_t size = SizeOf(interfaceBuffer_);
    const std::uint32_t result = QueryInterfaces(&size);
    if (result == platform::kErrorInsufficientBuffer && GrowFor(interfaceBuffer_, size)) continue;
    if (result != platform::kNoError) return false;
    const std::byte* data = interfaceBuffer_.data();
    return useIfTable2_ ? WalkIfTable2(data, interfaceBuffer_.size(), entries_)
                        : WalkIfTable(data, interfaceBuffer_.size(), decode_, entries_);
  }
  return false;
}

std::uint32_t AdapterCollector::QueryAdapters(bool addresses, std::uint32_t* size) {
  return addresses ? api_.GetAdaptersAddresses(adapterBuffer_.data(), size)
                   : api_.GetAdaptersInfo(adapterBuffer_.data(), size);
}

void AdapterCollector::ReadAdapterRecords() {
  for (int attempt = 0; attempt < kMaxQueries; ++attempt) {
    std::uint32_t size = SizeOf(adapterBuffer_);
    const std::uint32_t result = QueryAdapters(useAddresses_, &size);
    if (result == platform::kErrorNotSupported && useAddresses_) {
      useAddresses_ = false;  // an older system: the list without friendly names
      continue;
    }
    if (result == platform::kErrorBufferOverflow && GrowFor(adapterBuffer_, size)) continue;
    if (result != platform::kNoError) break;
    const std::byte* data = adapterBuffer_.data();
    const auto base = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(data));
    if (useAddresses_) {
      WalkAdaptersAddresses(data, adapterBuffer_.size(), base, decode_, records_);
    } else {
      WalkAdaptersInfo(data, adapterBuffer_.size(), base, decode_, records_);
    }
    return;
  }
  records_.clear();  // no adapter list: no interface gets a name
}

}  // namespace net
