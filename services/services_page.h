// The 服务 page's logic: keeps the list of services in step with the service
// table (items stay in place, gone services leave, new ones come in at their
// place in the order), and says which commands the selection allows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/service_api.h"
#include "services/service_collector.h"
#include "services/service_table.h"
#include "ui/list_model.h"

namespace services {

// Cells of an item, by column: 0 caption (the service's name), then sub-items.
enum ServiceColumn : std::size_t { kColName = 0, kColPid, kColDescription, kColState,
                                   kColStartType, kColGroup, kServiceColumnCount };

std::wstring ServiceStateText(std::uint32_t state);
std::wstring StartTypeText(std::uint32_t startType, bool delayedAutoStart);

// Which context-menu items the selected service allows.
struct ServiceCommands {
  bool start = false;        // "启动(&S)"
  bool stop = false;         // "停止(&O)"
  bool restart = false;      // "重新启动(&R)"
  bool goToProcess = false;  // "转到进程(&G)"
};

class ServicesPage {
 public:
  ServicesPage(ServiceTable& table, ServiceCollector& collector, ui::ListModel& list,
               const bool& closing);

  static const std::vector<ui::ListColumn>& Columns();

  // Handler of the services update.
  void UpdateServicesPage();
  // The page is shown (the list is read at once and from then on at each tick)
  // or hidden (it is read no more).
  void PageShown(bool shown);

  // --- order ---
  void SortByColumn(std::size_t column);
  std::size_t SortColumn() const { return sortColumn_; }
  bool SortDescending() const { return descending_; }

  // --- selection ---
  ServiceCommands Commands() const;
  std::optional<std::uint32_t> ProcessOfSelected() const;
  // Whether the process runs a service; the list is read for it while the page is hidden.
  bool HostsServices(std::uint32_t pid);
  // Selects every service of the process and nothing else; false when it has none.
  bool SelectServicesOf(std::uint32_t pid);

 private:
  const ServiceRow* RowOfItem(std::size_t index) const;
  const ServiceRow* SelectedRow() const;
  void FormatCell(const ServiceRow& row, std::size_t column, std::wstring& out) const;
  ui::ListItem MakeItem(std::size_t rowIndex);
  bool Before(const ServiceRow& a, const ServiceRow& b) const;
  void InsertSorted(std::size_t rowIndex);
  void KeepSorted();
  void Reconcile();

  ServiceTable& table_;
  ServiceCollector& collector_;
  ui::ListModel& list_;
  const bool& closing_;
  std::size_t sortColumn_ = kColName;
  bool descending_ = false;
  std::wstring scratch_;  // formatting space reused for every cell
  std::vector<std::size_t> order_;
};

}  // namespace services
