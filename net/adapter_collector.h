// Fills the adapter table at every tick: reads the interface table into a buffer
// that grows when the table no longer fits. Each interface's adapter is found by
// its description and named from the registry or, failing that, from the adapter
// list; those names are looked up again only when the interfaces or their states
// change, or once a minute, since the adapter list and the registry cost far more
// than the counters. Posts the adapters update after every attempt. While the
// Networking page is hidden the interfaces are read only every fourth tick: a
// reading costs as much as the rest of a tick on a quiet machine.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "net/adapter_records.h"
#include "net/adapter_table.h"
#include "net/interface_table.h"
#include "platform/adapter_api.h"
#include "platform/clock.h"
#include "ui/update_notice.h"

namespace net {

// The registry key that holds the display name of an adapter's connection.
std::wstring ConnectionKeyPath(const std::wstring& adapterName);

class AdapterCollector {
 public:
  // Sizes the interface-table buffer from the system's answer at this moment.
  AdapterCollector(platform::AdapterApi& api, platform::Clock& clock,
                   ui::UpdateNotice notice, TAdapterStatuses& table);

  // A failed read keeps the table's rows; the update is posted in any case.
  void CollectAdapters();
  // One tick: the interfaces are read while the page is shown, and otherwise
  // at every kHiddenReadTicks-th tick (the first tick among them).
  void Tick(bool pageShown);
  // The page has come into view: the ticks gone by unread are read for now.
  void CatchUp();
  static constexpr int kHiddenReadTicks = 4;

  // The connection's name in the registry; empty for an empty adapter name
  // (the registry is then not asked).
  std::wstring ConnectionNameOf(const std::wstring& adapterName);

  std::size_t InterfaceBufferSize() const { return interfaceBuffer_.size(); }
  std::size_t AdapterBufferSize() const { return adapterBuffer_.size(); }
  bool UsesIfTable2() const { return useIfTable2_; }

 private:
  bool ReadInterfaces();
  bool InterfacesChanged();
  void NameInterfaces();
  void ReadAdapterRecords();
  std::uint32_t QueryInterfaces(std::uint32_t* size);
  std::uint32_t QueryAdapters(bool addresses, std::uint32_t* size);

  platform::AdapterApi& api_;
  platform::Clock& clock_;
  ui::UpdateNotice notice_;
  TAdapterStatuses& table_;
  AnsiDecoder decode_;
  bool useIfTable2_ = true;
  bool useAddresses_ = true;
  std::vector<std::byte> interfaceBuffer_;
  std::vector<std::byte> adapterBuffer_;
  std::vector<InterfaceEntry> entries_;
  std::vector<AdapterRecord> records_;
  // Description and state of each interface when they were last named.
  std::vector<std::pair<std::wstring, std::uint32_t>> namedInterfaces_;
  std::vector<std::wstring> names_;  // one per interface, in table order
  int ticksUnread_ = kHiddenReadTicks - 1;
  bool named_ = false;
  std::int64_t namedAtMs_ = 0;
};

}  // namespace net
