// The service collector: the enumeration in parts, the table kept by name, and
// the configurations read when due.
#include "services/service_collector.h"

#include <algorithm>
#include <cwctype>

#include "platform/layouts/service_rows.h"

namespace services {

std::wstring SvchostGroup(const std::wstring& imagePath) {
  // "-k" as a word of its own, the group the word after it.
  for (std::size_t at = imagePath.find(L"-k"); at != std::wstring::npos;
       at = imagePath.find(L"-k", at + 2)) {
    const bool wordStart = at == 0 || std::iswspace(imagePath[at - 1]);
    const bool wordEnd = at + 2 < imagePath.size() && std::iswspace(imagePath[at + 2]);
    if (!wordStart || !wordEnd) continue;
    std::size_t begin = at + 2;
    while (begin < imagePath.size() && std::iswspace(imagePath[begin])) ++begin;
    std::size_t end = begin;
    while (end < imagePath.size() && !std::iswspace(imagePath[end])) ++end;
    return imagePath.substr(begin, end - begin);
  }
  return {};
}

ServiceCollector::ServiceCollector(platform::ServiceApi& services, platform::Clock& clock,
                                   ui::UpdateNotice notice, ServiceTable& table)
    : services_(services), clock_(clock), notice_(notice), table_(table) {}

void ServiceCollector::CollectServices() {
  if (!shown_) return;
  ReadServices();
  notice_.Post();
}

bool ServiceCollector::ReadList() {
  if (buffer_.empty()) buffer_.resize(kFirstBuffer);
  entryCount_ = 0;
  std::uint32_t resume = 0;
  // Each part brings at least one row, or the buffer grows: the parts end.
  for (int part = 0; part < 64; ++part) {
    const auto size = static_cast<std::uint32_t>(buffer_.size());
    const platform::ServiceListPart answer =
        services_.EnumerateServices(buffer_.data(), size, resume);
    if (answer.error != 0 && answer.error != platform::kErrorMoreData) return false;
    const std::uint32_t returned = std::min(answer.returned, size);
    entryCount_ = platform::service_rows::DecodeServiceRows(
        buffer_.data(), buffer_.size(), reinterpret_cast<std::uintptr_t>(buffer_.data()),
        returned, entries_, entryCount_);
    if (answer.error == 0) return true;
    // The manager says what the rows still to come need: with that much more
    // room the next pass reads the whole list in one part.
    if (size < kLargestBuffer && answer.bytesNeeded > 0)
      buffer_.resize(std::min<std::size_t>(std::size_t{size} + answer.bytesNeeded, kLargestBuffer));
    else if (returned == 0)
      return false;  // not even one row fits, and the buffer cannot grow
  }
  return false;
}

void ServiceCollector::ReadConfig(ServiceRow& row) {
  row.configDue = false;
  const auto config = services_.QueryConfig(row.name);
  row.configKnown = config.has_value();
  if (!config) return;
  row.startType = config->startType;
  row.delayedAutoStart = config->delayedAutoStart;
  row.group = SvchostGroup(config->imagePath);
}

bool ServiceCollector::ReadServices() {
  if (!ReadList()) return false;
  ++pass_;
  const std::int64_t now = clock_.NowMs();
  const bool sweep = shown_ && (!swept_ || now - lastSweepMs_ >= kConfigSweepMs);
  if (sweep) {
    swept_ = true;
    lastSweepMs_ = now;
  }
  for (std::size_t e = 0; e < entryCount_; ++e) {
    const platform::ServiceEntry& entry = entries_[e];
    const auto found = table_.IndexOf(entry.name);
    ServiceRow& row = table_.Row(found ? *found : table_.Add(entry.name));
    if (row.seenInPass == pass_) continue;  // listed twice: the first one counts
    row.seenInPass = pass_;
    if (row.displayName != entry.displayName) row.displayName = entry.displayName;
    row.state = entry.status.state;
    row.controlsAccepted = entry.status.controlsAccepted;
    row.processId = entry.status.processId;
    if (shown_ && (row.configDue || sweep)) ReadConfig(row);
  }
  for (std::size_t r = 0; r < table_.Capacity(); ++r)
    if (table_.InUse(r) && table_.Row(r).seenInPass != pass_) table_.Free(r);
  return true;
}

}  // namespace services
