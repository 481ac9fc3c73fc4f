// A window collector and the Applications page wired to the fake system, as the
// main window wires them to the real one, with image lists that only remember.
#pragma once
#include <vector>

#include "app/update_messages.h"
#include "apps/applications_page.h"
#include "apps/window_collector.h"
#include "platform/fake/fake_system.h"
#include "ui/list_model.h"

namespace testing_support {

// What each place of the two image lists holds.
struct FakeImageLists : apps::TaskImageLists {
  struct Place {
    platform::IconHandle large = 0, small = 0;
  };
  std::vector<Place> places;
  int writes = 0;
  bool refuse = false;

  bool Put(int slot, platform::IconHandle large, platform::IconHandle small) override {
    if (refuse || slot < 0 || slot > static_cast<int>(places.size())) return false;
    if (slot == static_cast<int>(places.size())) places.emplace_back();
    places[static_cast<std::size_t>(slot)] = {large, small};
    ++writes;
    return true;
  }
};

struct WindowWorld {
  WindowWorld() { page.SetImageLists(&images); }

  platform::fake::FakeSystem system;
  apps::WinTable table;
  ui::ListModel list;
  bool closing = false;
  FakeImageLists images;
  procs::ProcessPathLookup paths{system, system, system};
  apps::WindowCollector collector{system, paths, {system, app::kUpdateWindows}, table, closing};
  apps::ApplicationsPage page{table, list, system, system, closing};

  // One refresh tick and the page's handling of the update it posted.
  void Tick() {
    const std::size_t posted = system.posted.size();
    collector.CollectWindows();
    if (system.posted.size() > posted) page.UpdateTaskList();
  }
  std::optional<std::size_t> ItemOf(platform::WindowHandle window) const {
    return list.FindByKey(static_cast<std::int64_t>(window));
  }
  const std::wstring& Cell(platform::WindowHandle window, std::size_t column) const {
    static const std::wstring kMissing = L"<no item>";
    const auto item = ItemOf(window);
    return item ? list.Text(*item, column) : kMissing;
  }
  // The window handles of the list, top to bottom.
  std::vector<platform::WindowHandle> Order() const {
    std::vector<platform::WindowHandle> order;
    for (std::size_t i = 0; i < list.Count(); ++i)
      order.push_back(static_cast<platform::WindowHandle>(list.Item(i).key));
    return order;
  }
  void SelectOnly(std::initializer_list<platform::WindowHandle> windows) {
    for (std::size_t i = 0; i < list.Count(); ++i) list.Select(i, false);
    for (const auto window : windows) list.Select(*ItemOf(window), true);
  }
};

}  // namespace testing_support
