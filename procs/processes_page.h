// The Processes page's logic: keeps the list in step with the process table at
// every update (items stay in place, gone ones leave, new ones come in at the end
// or, while the list is sorted, in their place), shows the chosen columns and the
// chosen users' processes, and carries out the page's commands.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/debugger_api.h"
#include "platform/dialogs.h"
#include "platform/process_api.h"
#include "platform/shell_api.h"
#include "procs/process_columns.h"
#include "procs/process_table.h"
#include "procs/process_tree_view.h"
#include "ui/list_model.h"

namespace procs {

// Positions of the columns of a fresh window (DefaultColumns): 0 is the caption.
inline constexpr std::size_t kColName = StartSlotOf(ColumnKind::kImageName);
inline constexpr std::size_t kColPid = StartSlotOf(ColumnKind::kPid);
inline constexpr std::size_t kColUser = StartSlotOf(ColumnKind::kUserName);
inline constexpr std::size_t kColCpu = StartSlotOf(ColumnKind::kCpu);
inline constexpr std::size_t kColMemory = StartSlotOf(ColumnKind::kMemory);
inline constexpr std::size_t kColCpuTime = StartSlotOf(ColumnKind::kCpuTime);
inline constexpr std::size_t kColPath = StartSlotOf(ColumnKind::kPath);
inline constexpr std::size_t kColPriority = StartSlotOf(ColumnKind::kPriority);

// Asks the user for a new affinity ("关系设置"): one check per processor.
// Empty when the user cancelled.
class AffinityChooser {
 public:
  virtual ~AffinityChooser() = default;
  virtual std::optional<std::vector<bool>> Choose(const std::vector<bool>& current) = 0;
};

class ProcessesPage {
 public:
  ProcessesPage(ProcessTable& table, ui::ListModel& list, platform::ProcessApi& processes,
                platform::ShellApi& shell, platform::Dialogs& dialogs,
                platform::DebuggerApi& debugger, const bool& closing);

  // Handler of the processes update.
  void UpdateProcessList();

  // --- columns ---
  const std::vector<ProcessColumn>& Columns() const { return columns_; }
  std::vector<ui::ListColumn> ListColumns() const;
  // Shows these columns: every cell is made again for the kind of its column.
  void SetColumns(std::vector<ProcessColumn> columns);
  // Called after the columns changed, for the view's headers.
  void SetColumnsChangedHandler(std::function<void()> handler) {
    columnsChanged_ = std::move(handler);
  }

  // --- order ---
  // A click on a column's header: sorts by it, or reverses when it is sorted by it.
  void SortByColumn(std::size_t column);
  // The column the list is sorted by; empty while it keeps the order of arrival.
  std::optional<std::size_t> SortColumn() const;
  bool SortDescending() const { return sort_ && sort_->descending; }

  // --- "显示所有用户的进程(&S)" ---
  // Unchecked, only the processes of this program's user and those without a user.
  void SetShowAllUsers(bool all);
  bool ShowAllUsers() const { return showAllUsers_; }

  // --- "筛选(&L):" ---
  // Lists only the rows whose image name, PID, user name, path, command line or
  // description (those two as far as they were read) contains `text`, ignoring case; empty lists every row. Combines
  // with the user filter and keeps the order and the selection of what stays.
  void SetFilterText(const std::wstring& text);
  const std::wstring& FilterText() const { return filter_; }

  // --- "树状视图(&T)" ---
  // Each process under the one that started it, depth first, siblings in the
  // list's order (by creation time without a sort column); the filter keeps the
  // ancestors of its matches. Off, nothing of the tree is made.
  void SetTreeView(bool on);
  bool TreeView() const { return treeView_; }
  // The tree line of a listed item; null in the flat list.
  const TreeLine* TreeLineOf(std::size_t item) const;
  // Folds or opens the item's branch; the folding is kept by process.
  void SetFolded(std::size_t item, bool folded);
  // The keys of the tree on the selected item: ← folds an open node or goes to
  // the parent, → opens a folded node or goes to the first child, * (numeric
  // pad) opens the whole branch. False when the key does nothing here.
  enum class TreeKey { kLeft, kRight, kOpenBranch };
  bool TreeKeyDown(TreeKey key);
  // Opens the folded nodes above the process, so that it has an item.
  void OpenAncestors(std::uint32_t pid);

  // --- commands ---
  // "结束进程(&E)": asks, then ends every selected process.
  void act_KillProcExecute();
  // "结束进程树(&T)": asks, then ends the selected process and its descendants,
  // children first; in the tree, the branch the user sees.
  void N38Click();
  // "挂起进程(&U)" and "恢复进程(&R)": every thread of the selected process stopped
  // or let go; a refusal says "访问被拒绝". A critical process is never suspended,
  // and the taskbar's process or the window manager only on an explicit Yes.
  // The page remembers what it suspended until it resumes it; the "状态" cell
  // follows at the next tick.
  void SuspendProcess();
  void ResumeProcess();
  // Whether the menu offers them for the selection: never for this program
  // itself; resuming for a process suspended from here or with a thread in the
  // suspended wait, suspending for any other.
  bool CanSuspend() const;
  bool CanResume() const;
  void SetOwnProcessId(std::uint32_t pid) { ownProcessId_ = pid; }
  // Tag 0..5 of the process's current priority class.
  int PriorityIndexOf(std::uint32_t pid);
  bool SetProcessPriority(std::uint32_t pid, int tag);
  // "关系设置(&A)": the selected process's affinity, shown and set through `chooser`.
  void N41Click(AffinityChooser& chooser, int processors);
  std::optional<platform::AffinityMasks> AffinityOf(std::uint32_t pid);
  bool SetAffinity(std::uint32_t pid, std::uint64_t mask);
  // "调试(&D)": available while a debugger is registered; starts it on the selection.
  bool DebuggerRegistered();
  void N37Click();
  // "查找目标(&F)": Explorer with the selected process's file selected.
  void N34Click();

  std::optional<std::uint32_t> SelectedPid() const;
  std::optional<std::size_t> FindItemByPid(std::uint32_t pid) const;
  // The window finder's pick: lists the process even where the filter text or
  // the user filter hid it (clearing the one, showing all users for the other)
  // and makes it the only selected item, scrolled into view. False when the
  // table holds no process `pid` to list.
  bool ShowAndSelectProcess(std::uint32_t pid);

 private:
  struct SortOrder {
    ColumnKind kind;
    bool descending;
  };

  // The row of `pid` that the collector refreshed since the last update, now
  // marked as taken; null when there is none.
  TprocTimeInfo* TakeListedRow(std::int64_t pid);
  ui::ListItem MakeItem(const TprocTimeInfo& row);
  void RefreshItem(std::size_t index, TprocTimeInfo& row);
  void RewriteItem(std::size_t index, const TprocTimeInfo& row);
  // Lists a row: at the end, or while sorted, in its place.
  void ShowRow(TprocTimeInfo& row);
  bool Shows(TprocTimeInfo& row) const;
  bool ShowsUser(const TprocTimeInfo& row) const;
  // Whether the row matches the filter text; remembered in the row until the
  // text or the row's texts change.
  bool MatchesFilter(TprocTimeInfo& row) const;
  bool Before(const TprocTimeInfo& a, const TprocTimeInfo& b) const;
  // Restores the sort order after figures changed, moving only what must move.
  void KeepSorted();
  // Makes the list again without the items `leaving` (indices, from the last) and
  // with the rows `coming`, in order, selections kept.
  void RebuildList(const std::vector<std::size_t>& leaving, std::vector<TprocTimeInfo*>& coming);
  // The selected row unless it is this program's own process.
  TprocTimeInfo* SelectedOtherRow() const;
  bool StopsTheDesktop(const TprocTimeInfo& row);
  // Ends the processes in turn; stops at the first refusal or at one that is
  // no longer the process its row describes.
  void EndProcesses(const std::vector<std::int64_t>& pids);
  // Ends the process of the item `pid` and drops the item; false when the
  // action must stop there.
  // False when ending stops there; a branch goes on past a member that has gone.
  bool EndProcess(std::int64_t pid, bool inBranch = false);

  // The tree view: arranges the list as the tree of the processes shown; the
  // flat update has refreshed the listed items before.
  void ArrangeTree();
  void PlaceTreeItems();
  // The indents, and the sums and "(+N)" of the folded nodes.
  void ShowTreeFigures();
  // Back to the flat list: the rows the filter shows, in the list's order.
  void LeaveTree();
  void SelectOnly(std::size_t item);

  ProcessTable& table_;
  ui::ListModel& list_;
  platform::ProcessApi& processes_;
  platform::ShellApi& shell_;
  platform::Dialogs& dialogs_;
  platform::DebuggerApi& debugger_;
  const bool& closing_;
  std::vector<ProcessColumn> columns_;
  std::uint32_t shownKinds_ = 0;  // ChangeBit of every kind shown
  // The column of each shown kind (a kind is shown at most once).
  std::array<std::size_t, static_cast<std::size_t>(ColumnKind::kCount)> columnOfKind_{};
  std::function<void()> columnsChanged_;
  std::optional<SortOrder> sort_;
  bool showAllUsers_ = false;
  std::uint32_t ownProcessId_ = 0;
  std::optional<std::wstring> currentUser_;
  std::wstring filter_;  // in lower case
  std::uint32_t filterGeneration_ = 1;
  // Processes ended from the page lose their item at once; their rows are freed
  // at the next update unless the process turned out to be still running.
  std::vector<std::int64_t> endedFromPage_;
  std::wstring scratch_;  // formatting space reused for every cell
  // Scratch of the sorting, kept to spare the allocations.
  std::vector<const TprocTimeInfo*> rowsOfItems_;
  std::vector<std::size_t> order_;
  bool treeView_ = false;
  ProcessTreeView tree_;
  std::vector<TprocTimeInfo*> treeRows_;
  std::unordered_map<std::int64_t, std::size_t> itemOfKey_;
  std::vector<std::int64_t> summedKeys_;  // items showing their branch's sums
};

}  // namespace procs
