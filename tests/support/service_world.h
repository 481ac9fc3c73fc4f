// The service collector and the 服务 page wired to the fake system, as the main
// window wires them to the real ones, with the page shown.
#pragma once
#include <string>
#include <vector>

#include "app/update_messages.h"
#include "platform/fake/fake_system.h"
#include "services/service_collector.h"
#include "services/services_page.h"
#include "ui/list_model.h"

namespace testing_support {

struct ServiceWorld {
  platform::fake::FakeSystem system;
  services::ServiceTable table;
  ui::ListModel list;
  bool closing = false;
  services::ServiceCollector collector{system, system, {system, app::kUpdateServices}, table};
  services::ServicesPage page{table, collector, list, system, system, system, system, system,
                              closing};

  // One refresh tick and the page's handling of the update it posted.
  void Tick() {
    collector.CollectServices();
    page.UpdateServicesPage();
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(list.Item(i).caption);
    return names;
  }
  std::wstring Cell(const std::wstring& name, std::size_t column) const {
    for (std::size_t i = 0; i < list.Count(); ++i)
      if (list.Item(i).caption == name) return list.Text(i, column);
    return L"(no item)";
  }
  void Select(const std::wstring& name) {
    for (std::size_t i = 0; i < list.Count(); ++i)
      list.SelectionFromView(i, list.Item(i).caption == name);
  }
};

}  // namespace testing_support
