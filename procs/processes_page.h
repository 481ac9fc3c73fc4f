// The Processes page's logic: keeps the list in step with the process table at
// every update (items stay in place, gone ones leave, new ones are appended) and
// carries out the page's commands on the selected process.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "app/list_model.h"
#include "platform/dialogs.h"
#include "platform/process_api.h"
#include "platform/shell_api.h"
#include "procs/process_table.h"

namespace procs {

// Cells of an item, by column: 0 caption (image name), then sub-items.
enum ProcessColumn : std::size_t {
  kColName = 0, kColPid, kColUser, kColCpu, kColMemory, kColCpuTime, kColPath,
  kColPriority, kProcessColumnCount
};

class ProcessesPage {
 public:
  ProcessesPage(ProcessTable& table, app::ListModel& list,
                platform::ProcessApi& processes, platform::ShellApi& shell,
                platform::Dialogs& dialogs, const bool& closing);

  static const std::vector<app::ListColumn>& Columns();

  // Handler of the processes update.
  void UpdateProcessList();

  // "结束进程(&E)": asks, then ends every selected process.
  void act_KillProcExecute();
  // Ends one process. False when the system refused: the refusal has been shown
  // and the calling action must stop. A process that is already gone is no refusal.
  bool KillProcess(std::uint32_t pid);
  // Tag 0..5 of the process's current priority class.
  int PriorityIndexOf(std::uint32_t pid);
  bool SetProcessPriority(std::uint32_t pid, int tag);
  // "查找目标(&F)": Explorer with the selected process's file selected.
  void N34Click();

  std::optional<std::uint32_t> SelectedPid() const;
  std::optional<std::size_t> FindItemByPid(std::uint32_t pid) const;

 private:
  // The row of `pid` that the collector refreshed since the last update, now
  // marked as taken; null when there is none.
  TprocTimeInfo* TakeListedRow(std::int64_t pid);
  app::ListItem MakeItem(const TprocTimeInfo& row) const;
  void RefreshItem(std::size_t index, TprocTimeInfo& row);

  ProcessTable& table_;
  app::ListModel& list_;
  platform::ProcessApi& processes_;
  platform::ShellApi& shell_;
  platform::Dialogs& dialogs_;
  const bool& closing_;
  // Processes ended from the page lose their item at once; their rows are freed
  // at the next update unless the process turned out to be still running.
  std::vector<std::int64_t> endedFromPage_;
  std::wstring scratch_;  // formatting space reused for every cell
};

}  // namespace procs
