// A process collector and its page wired to the fake system, as the main window
// wires them to the real one.
#pragma once
#include "app/update_messages.h"
#include "platform/fake/fake_system.h"
#include "procs/process_collector.h"
#include "procs/processes_page.h"
#include "ui/list_model.h"

namespace testing_support {

struct ProcessWorld {
  platform::fake::FakeSystem system;
  procs::ProcessTable table;
  procs::TMainProcInfo totals;
  ui::ListModel list;
  bool closing = false;
  int cpuInstanceCount = 2;  // one processor
  procs::ProcessPathLookup paths{system, system, system};
  procs::ProcessCollector collector{system, system, paths, system,
                                    {system, app::kUpdateProcesses}, table, totals, closing,
                                    cpuInstanceCount};
  procs::ProcessesPage page{table, list, system, system, system, system, closing};

  // One refresh tick and, when it posted its update, the page's handling of it.
  void Tick(std::int64_t ms = 1000) {
    system.Advance(ms);
    const std::size_t posted = system.posted.size();
    collector.CollectProcesses();
    if (system.posted.size() > posted) page.UpdateProcessList();
  }
  const std::wstring& Cell(std::uint32_t pid, std::size_t column) const {
    static const std::wstring kMissing = L"<no item>";
    const auto item = list.FindByKey(pid);
    return item ? list.Text(*item, column) : kMissing;
  }
  bool Listed(std::uint32_t pid) const { return list.FindByKey(pid).has_value(); }
  void SelectOnly(std::uint32_t pid) {
    for (std::size_t i = 0; i < list.Count(); ++i) list.Select(i, list.Item(i).key == pid);
  }
};

}  // namespace testing_support
