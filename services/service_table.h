// The service table: one row per service of the last enumeration, kept under the
// service's name from pass to pass so that what is read once per service (its
// configuration) stays with it. Written by the service collector, read by the
// 服务 page, whose items hold their row's index.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/service_api.h"

namespace services {

struct ServiceRow {
  std::wstring name;  // empty: a free row
  std::wstring displayName;
  std::uint32_t state = platform::kServiceStopped;
  std::uint32_t controlsAccepted = 0;
  std::uint32_t processId = 0;
  // The configuration, read when the row comes and again when due.
  bool configKnown = false;
  bool configDue = true;
  std::uint32_t startType = platform::kServiceDemandStart;
  bool delayedAutoStart = false;
  std::wstring group;  // the svchost group; empty for none
  std::uint64_t seenInPass = 0;  // the collector's last pass that found the service
  bool listed = false;           // the page has an item for the row
};

class ServiceTable {
 public:
  std::size_t Capacity() const { return rows_.size(); }
  bool InUse(std::size_t index) const { return !rows_[index].name.empty(); }
  ServiceRow& Row(std::size_t index) { return rows_[index]; }
  const ServiceRow& Row(std::size_t index) const { return rows_[index]; }

  std::optional<std::size_t> IndexOf(const std::wstring& name) const;
  ServiceRow* Find(const std::wstring& name);
  // A row for a service the table does not hold yet: a free one if there is one.
  // Earlier references to rows may no longer be valid afterwards.
  std::size_t Add(const std::wstring& name);
  void Free(std::size_t index);

 private:
  std::vector<ServiceRow> rows_;
  std::unordered_map<std::wstring, std::size_t> index_;
  std::vector<std::size_t> free_;
};

}  // namespace services
