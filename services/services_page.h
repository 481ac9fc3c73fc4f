// The 服务 page's logic: keeps the list of services in step with the service
// table (items stay in place, gone services leave, new ones come in at their
// place in the order), says which commands the selection allows, and carries
// out start, stop and restart without waiting: a command is a sequence of steps
// (stop the running dependents, stop the service, start it), each issued once
// the one before has reached its state, and followed by looking at the
// service's status at each tick and every kFollowIntervalMs while one runs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/elevation_api.h"
#include "platform/service_api.h"
#include "platform/shell_api.h"
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
  static constexpr int kFollowIntervalMs = 250;
  // A pending state whose check point stands still longer than the service's
  // wait hint ends the command; the hint counts for at least the first and at
  // most the second of these.
  static constexpr std::int64_t kShortestWaitMs = 1000;
  static constexpr std::int64_t kLongestWaitMs = 30000;

  ServicesPage(ServiceTable& table, ServiceCollector& collector, ui::ListModel& list,
               platform::ServiceApi& services, platform::Dialogs& dialogs,
               platform::ShellApi& shell, platform::ElevationApi& elevation,
               platform::Clock& clock, const bool& closing);

  static const std::vector<ui::ListColumn>& Columns();

  // Handler of the services update: follows a running command, then the list.
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

  // --- commands on the selected service ---
  void StartSelected();    // "启动(&S)"
  void StopSelected();     // "停止(&O)": asks first when running services depend on it
  void RestartSelected();  // "重新启动(&R)": stops as above, then starts
  void btn_ServiceManagerClick();  // "服务管理器(&M)...": the system's services console
  bool CommandInProgress() const { return command_.has_value(); }
  // Issues the next step or looks at the current one's service.
  void FollowCommand();

 private:
  enum class StepKind { kStop, kStart };
  struct CommandStep {
    StepKind kind;
    std::wstring name;
  };
  // Without member initializers: std::optional of it is declared in this class.
  struct RunningCommand {
    std::vector<CommandStep> steps;
    std::size_t next;  // the step issued or to be issued
    bool issued;
    std::uint32_t checkPoint;
    std::int64_t progressMs;  // when the check point last moved
    std::uint32_t waitHintMs;
  };

  const ServiceRow* RowOfItem(std::size_t index) const;
  const ServiceRow* SelectedRow() const;
  void FormatCell(const ServiceRow& row, std::size_t column, std::wstring& out) const;
  ui::ListItem MakeItem(std::size_t rowIndex);
  bool Before(const ServiceRow& a, const ServiceRow& b) const;
  void InsertSorted(std::size_t rowIndex);
  void KeepSorted();
  void Reconcile();
  // A stop or restart: the running dependents first, once the user agrees.
  void BeginStop(bool thenStart);
  void Begin(std::vector<CommandStep> steps);
  // The command ends; the system's words, or the refusal for want of rights.
  void Fail(std::uint32_t error);
  void ShowStatus(const std::wstring& name, const platform::ServiceStatus& status);

  ServiceTable& table_;
  ServiceCollector& collector_;
  ui::ListModel& list_;
  platform::ServiceApi& services_;
  platform::Dialogs& dialogs_;
  platform::ShellApi& shell_;
  platform::ElevationApi& elevation_;
  platform::Clock& clock_;
  const bool& closing_;
  std::size_t sortColumn_ = kColName;
  bool descending_ = false;
  std::optional<RunningCommand> command_;
  bool following_ = false;
  std::wstring scratch_;  // formatting space reused for every cell
  std::vector<std::size_t> order_;
  std::vector<platform::DependentService> dependents_;
};

}  // namespace services
