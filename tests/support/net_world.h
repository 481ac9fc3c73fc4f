// The adapter collector and the Networking page wired to the fake system, as the
// main window wires them to the real one. The collector is made on first use, so
// that a test can script the interfaces its buffer is first sized for.
#pragma once
#include <memory>
#include <string>

#include "app/update_messages.h"
#include "net/adapter_collector.h"
#include "net/networking_page.h"
#include "platform/fake/fake_system.h"
#include "ui/list_model.h"

namespace testing_support {

struct NetWorld {
  platform::fake::FakeSystem system;
  net::TAdapterStatuses table;
  ui::ListModel list;
  bool closing = false;
  net::NetworkingPage page{table, list, closing};
  std::unique_ptr<net::AdapterCollector> collector;

  net::AdapterCollector& Collector() {
    if (!collector)
      collector = std::make_unique<net::AdapterCollector>(
          system, system, ui::UpdateNotice{system, app::kUpdateAdapters}, table);
    return *collector;
  }
  // An interface with its adapter record (a GUID made from `n`) and, when
  // `registryName` is given, the connection name in the registry.
  platform::fake::FakeInterface& AddAdapter(int n, const std::wstring& description,
                                            const std::wstring& friendlyName,
                                            const std::wstring& registryName = L"") {
    const std::string guid = "{0000000" + std::to_string(n) + "-AAAA-BBBB-CCCC-DDDDDDDDDDDD}";
    system.adapters.push_back({guid, description, friendlyName});
    if (!registryName.empty()) {
      system.registry[{net::ConnectionKeyPath(std::wstring(guid.begin(), guid.end())), L"Name"}] =
          registryName;
    }
    system.interfaces.push_back({});
    system.interfaces.back().description = description;
    return system.interfaces.back();
  }
  // One reading of the collector and, when it posted, the page's handling of it.
  net::NetworkingPage::Update Tick(std::int64_t ms = 1000) {
    return After(ms, [this] { Collector().CollectAdapters(); });
  }
  // A tick as the program makes it, with the page shown or hidden.
  net::NetworkingPage::Update ScheduledTick(bool shown) {
    return After(1000, [this, shown] { Collector().Tick(shown); });
  }
  template <class Step>
  net::NetworkingPage::Update After(std::int64_t ms, Step step) {
    system.Advance(ms);
    const std::size_t posted = system.posted.size();
    step();
    if (system.posted.size() == posted || system.posted.back() != app::kUpdateAdapters)
      return net::NetworkingPage::Update::kNone;
    return page.UpdateNetPage();
  }
};

}  // namespace testing_support
