// The Processes page: reconciliation of the list with the process table, and the
// commands on the selected process.
#include "procs/processes_page.h"

#include "procs/process_format.h"

namespace procs {

namespace {

const wchar_t kKillWarning[] =
    L"警告：终止进程会导致不希望发生的结果，\n包括数据丢失和系统不稳定。在被终止前，\n"
    L"进程将没有机会保存其状态和数据。确实\n想终止该进程吗？";

}  // namespace

ProcessesPage::ProcessesPage(ProcessTable& table, app::ListModel& list,
                             platform::ProcessApi& processes, platform::ShellApi& shell,
                             platform::Dialogs& dialogs, const bool& closing)
    : table_(table),
      list_(list),
      processes_(processes),
      shell_(shell),
      dialogs_(dialogs),
      closing_(closing) {}

const std::vector<app::ListColumn>& ProcessesPage::Columns() {
  static const std::vector<app::ListColumn> columns = {
      {L"映像名称", 95, false}, {L"PID", 40, true},     {L"用户名", 60, true},
      {L"CPU", 40, true},       {L"内存使用", 65, true}, {L"CPU时间", 65, false},
      {L"路径", 80, false},     {L"优先级", 50, true},
  };
  return columns;
}

app::ListItem ProcessesPage::MakeItem(const TprocTimeInfo& row) const {
  app::ListItem item;
  item.key = row.ProcessId;
  item.caption = row.ImageName;
  item.subItems = {std::to_wstring(row.ProcessId), row.UserName,
                   row.CpuText, FormatMemoryK(row.MemoryK),
                   FormatCpuTime(row.CpuTime), row.ImagePath,
                   row.PriorityText};
  return item;
}

TprocTimeInfo* ProcessesPage::TakeListedRow(std::int64_t pid) {
  TprocTimeInfo* row = table_.Find(pid);
  if (row == nullptr || row->Listed != 0) return nullptr;
  row->Listed = 1;
  return row;
}

// Only the figures change from tick to tick; a renewed row brings a new identity.
void ProcessesPage::RefreshItem(std::size_t index, TprocTimeInfo& row) {
  if (row.Renewed) {
    const app::ListItem fresh = MakeItem(row);
    list_.SetText(index, kColName, fresh.caption);
    for (std::size_t c = 1; c < kProcessColumnCount; ++c)
      list_.SetText(index, c, fresh.subItems[c - 1]);
    row.Renewed = false;
    row.Changed = 0;
    return;
  }
  if (row.Changed & kCpuTextChanged) list_.SetText(index, kColCpu, row.CpuText);
  if (row.Changed & kMemoryChanged) {
    FormatMemoryK(row.MemoryK, scratch_);
    list_.SetText(index, kColMemory, scratch_);
  }
  if (row.Changed & kCpuTimeChanged) {
    FormatCpuTime(row.CpuTime, scratch_);
    list_.SetText(index, kColCpuTime, scratch_);
  }
  row.Changed = 0;
}

void ProcessesPage::UpdateProcessList() {
  // Items are visited from the last so that deleting one does not skip another.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (closing_) return;
    const std::int64_t pid = list_.Item(i).key;
    if (TprocTimeInfo* row = TakeListedRow(pid)) {
      RefreshItem(i, *row);
    } else if (const TprocTimeInfo* gone = table_.Find(pid); gone && gone->Listed == 1) {
      // Not refreshed by the last snapshot: the process has ended.
      table_.Free(pid);
      list_.Delete(i);
    }
  }
  // Rows of processes ended from the page have no item any more; free them unless
  // the process is still there (then it is listed again below).
  for (const std::int64_t pid : endedFromPage_) {
    if (const TprocTimeInfo* row = table_.Find(pid); row && row->Listed == 1) table_.Free(pid);
  }
  endedFromPage_.clear();
  for (std::size_t r = 0; r < table_.Capacity(); ++r) {
    if (closing_) return;
    TprocTimeInfo& row = table_.Row(r);
    if (row.ProcessId == ProcessTable::kFree || row.Listed != 0) continue;
    list_.Append(MakeItem(row));
    row.Listed = 1;
    row.Renewed = false;
    row.Changed = 0;
  }
}

void ProcessesPage::act_KillProcExecute() {
  if (!dialogs_.AskYesNo(L"泽恩特警告", kKillWarning, platform::BoxIcon::kWarning)) return;
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (!list_.Item(i).selected) continue;
    const std::int64_t pid = list_.Item(i).key;
    if (!KillProcess(static_cast<std::uint32_t>(pid))) return;
    list_.Delete(i);
    endedFromPage_.push_back(pid);
  }
}

bool ProcessesPage::KillProcess(std::uint32_t pid) {
  platform::OpenError error = platform::OpenError::kNone;
  auto process = processes_.Open(pid, platform::ProcessAccess::kTerminate, &error);
  if (!process && error == platform::OpenError::kNotFound) return true;
  if (!process || !process->Terminate(1)) {
    dialogs_.ShowMessage(L"系统提示", L"访问被拒绝", platform::BoxIcon::kError);
    return false;
  }
  return true;
}

int ProcessesPage::PriorityIndexOf(std::uint32_t pid) {
  auto process = processes_.Open(pid, platform::ProcessAccess::kQueryLimited);
  return PriorityTagOf(process ? process->GetPriorityClass() : 0);
}

bool ProcessesPage::SetProcessPriority(std::uint32_t pid, int tag) {
  auto process = processes_.Open(pid, platform::ProcessAccess::kSetInformation);
  if (!process) return false;
  const std::uint32_t priorityClass = PriorityClassOfTag(tag);
  return priorityClass == 0 || process->SetPriorityClass(priorityClass);
}

void ProcessesPage::N34Click() {
  const auto selected = list_.FirstSelected();
  if (!selected) return;
  const std::wstring& path = list_.Text(*selected, kColPath);
  if (TrimBlanks(path).empty()) return;
  shell_.Execute(L"Open", L"Explorer.exe", L"/select,\"" + path + L"\"");
}

std::optional<std::uint32_t> ProcessesPage::SelectedPid() const {
  const auto selected = list_.FirstSelected();
  if (!selected) return std::nullopt;
  return static_cast<std::uint32_t>(list_.Item(*selected).key);
}

std::optional<std::size_t> ProcessesPage::FindItemByPid(std::uint32_t pid) const {
  return list_.FindByKey(pid);
}

}  // namespace procs

