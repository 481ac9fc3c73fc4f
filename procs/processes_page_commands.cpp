// The Processes page's commands on the selected processes: ending them or their
// trees, suspending and resuming, priority, affinity, the debugger and the
// file's folder.
#include "procs/processes_page.h"

#include <algorithm>
#include <bit>
#include <cwctype>

#include "procs/affinity.h"
#include "procs/debugger_command.h"
#include "procs/process_actions.h"
#include "procs/process_format.h"
#include "procs/process_snapshot.h"
#include "procs/process_tree.h"

namespace procs {

namespace {

bool SameNameNoCase(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towlower(static_cast<std::wint_t>(x)) ==
                  std::towlower(static_cast<std::wint_t>(y));
         });
}

}  // namespace

void ProcessesPage::act_KillProcExecute() {
  if (!ConfirmKill(dialogs_)) return;
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (list_.Item(i).selected && !EndProcess(list_.Item(i).key)) return;
  }
}

void ProcessesPage::N38Click() {
  if (!ConfirmKill(dialogs_)) return;
  const auto pid = SelectedPid();
  if (!pid) return;
  // In the tree, the branch as the user sees it.
  std::vector<std::int64_t> tree =
      treeView_ ? tree_.BranchOf(*pid) : ProcessTreeOf(table_, *pid);
  if (tree.empty()) tree.push_back(*pid);
  EndProcesses(tree);
}

void ProcessesPage::EndProcesses(const std::vector<std::int64_t>& pids) {
  for (const std::int64_t pid : pids)
    if (!EndProcess(pid, pids.size() > 1)) return;
}

bool ProcessesPage::EndProcess(std::int64_t pid, bool inBranch) {
  // The row's creation time names the process the item stands for; without a
  // row no process can match it.
  const TprocTimeInfo* row = table_.Find(pid);
  const KillResult result =
      KillProcess(processes_, dialogs_, static_cast<std::uint32_t>(pid),
                  row ? row->CreateTime : kUnknownCreateTime,
                  row ? row->CreatedBy : kUnknownCreateTime, !inBranch);
  if (result == KillResult::kRefused) return false;
  // Another process holds the identifier now: it is neither ended nor unlisted.
  if (result == KillResult::kReplaced) return inBranch;
  if (const auto item = list_.FindByKey(pid)) list_.Delete(*item);
  endedFromPage_.push_back(pid);
  return true;
}

TprocTimeInfo* ProcessesPage::SelectedOtherRow() const {
  const auto pid = SelectedPid();
  if (!pid || *pid == ownProcessId_) return nullptr;
  return table_.Find(*pid);
}

// A process suspended from here is resumed from here, whatever its threads say;
// any other needs a thread in the suspended wait. A thread blocked in a read
// never reaches that wait, so "every thread" would leave it suspended for good.
bool ProcessesPage::CanResume() const {
  const TprocTimeInfo* row = SelectedOtherRow();
  return row != nullptr && (row->SuspendedHere || row->SomeThreadSuspended);
}

bool ProcessesPage::CanSuspend() const { return SelectedOtherRow() != nullptr && !CanResume(); }

// Suspending the taskbar's process or the window manager freezes the desktop,
// this window with it: the user is asked first.
bool ProcessesPage::StopsTheDesktop(const TprocTimeInfo& row) {
  if (SameNameNoCase(row.ImageName, L"dwm.exe")) return true;
  const std::uint32_t taskbar = shell_.TaskbarProcessId();
  return taskbar != 0 && row.ProcessId == taskbar;
}

void ProcessesPage::SuspendProcess() {
  TprocTimeInfo* row = SelectedOtherRow();
  if (row == nullptr) return;
  const auto pid = static_cast<std::uint32_t>(row->ProcessId);
  // The system stops with a critical process: signing in, or drawing.
  if (auto probe = processes_.Open(pid, platform::ProcessAccess::kQueryLimited);
      probe && probe->IsCritical().value_or(false)) {
    dialogs_.ShowMessage(L"系统提示", L"无法挂起系统关键进程。", platform::BoxIcon::kError);
    return;
  }
  if (StopsTheDesktop(*row) &&
      dialogs_.AskYesNo(L"泽恩特警告",
                        L"挂起“" + row->ImageName + L"”会使桌面停止响应，直到恢复为止。确实要挂起吗？",
                        platform::BoxIcon::kWarning) != platform::BoxAnswer::kYes)
    return;
  auto process = processes_.Open(pid, platform::ProcessAccess::kSuspendResume);
  if (!process || !process->Suspend()) {
    ShowAccessDenied(dialogs_);
    return;
  }
  row->SuspendedHere = true;
}

void ProcessesPage::ResumeProcess() {
  TprocTimeInfo* row = SelectedOtherRow();
  if (row == nullptr) return;
  auto process = processes_.Open(static_cast<std::uint32_t>(row->ProcessId),
                                 platform::ProcessAccess::kSuspendResume);
  if (!process || !process->Resume()) {
    ShowAccessDenied(dialogs_);
    return;
  }
  row->SuspendedHere = false;
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

std::optional<platform::AffinityMasks> ProcessesPage::AffinityOf(std::uint32_t pid) {
  auto process = processes_.Open(pid, platform::ProcessAccess::kQueryLimited);
  return process ? process->GetAffinity() : std::nullopt;
}

bool ProcessesPage::SetAffinity(std::uint32_t pid, std::uint64_t mask) {
  auto process = processes_.Open(pid, platform::ProcessAccess::kSetInformation);
  return process && process->SetAffinity(mask);
}

void ProcessesPage::N41Click(AffinityChooser& chooser, int processors) {
  const auto pid = SelectedPid();
  if (!pid) return;
  const auto masks = AffinityOf(*pid);
  if (!masks) {
    ShowAccessDenied(dialogs_);
    return;
  }
  // Without a count from the sampler, the system's own mask tells how many there are.
  if (processors <= 0) processors = 64 - std::countl_zero(masks->system);
  const auto chosen = chooser.Choose(ProcessorsOfMask(masks->process, processors));
  if (!chosen) return;
  const auto mask = MaskOfProcessors(*chosen);
  if (mask && !SetAffinity(*pid, *mask)) ShowAccessDenied(dialogs_);
}

bool ProcessesPage::DebuggerRegistered() {
  const auto command = debugger_.RegisteredDebugger();
  return command && !command->empty();
}

void ProcessesPage::N37Click() {
  const auto pid = SelectedPid();
  if (!pid) return;
  const auto command = debugger_.RegisteredDebugger();
  if (!command || command->empty()) return;
  const CommandParts parts = SplitCommandLine(DebuggerCommandFor(*command, *pid));
  if (!parts.program.empty()) debugger_.StartCommand(parts.program, parts.parameters);
}

void ProcessesPage::N34Click() {
  const auto pid = SelectedPid();
  const TprocTimeInfo* row = pid ? table_.Find(*pid) : nullptr;
  if (row == nullptr) return;
  const std::wstring& path = row->ImagePath;
  if (TrimBlanks(path).empty()) return;
  // By its full path: a bare name is looked for in this program's folder and the
  // current one first, where anyone could have put an Explorer.exe.
  std::wstring explorer = shell_.WindowsFolder();
  if (explorer.empty()) return;
  if (explorer.back() != L'\\') explorer += L'\\';
  shell_.Execute(L"Open", explorer + L"explorer.exe", L"/select,\"" + path + L"\"");
}

}  // namespace procs
