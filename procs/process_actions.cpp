// The end-process warning, the end itself, and the one refusal message.
#include "procs/process_actions.h"

namespace procs {
namespace {

const wchar_t kKillCaption[] = L"泽恩特警告";
// Lines are broken with a line feed alone, as the message box breaks them; a
// carriage return after it would be a stray character of the text.
const wchar_t kKillWarning[] =
    L"警告：终止进程会导致不希望发生的结果，\n包括数据丢失和系统不稳定。在被终止前，\n"
    L"进程将没有机会保存其状态和数据。确实\n想终止该进程吗？";

}  // namespace

void ShowAccessDenied(platform::Dialogs& dialogs) {
  dialogs.ShowMessage(L"系统提示", L"访问被拒绝", platform::BoxIcon::kError);
}

bool ConfirmKill(platform::Dialogs& dialogs) {
  return dialogs.AskYesNo(kKillCaption, kKillWarning, platform::BoxIcon::kWarning) ==
         platform::BoxAnswer::kYes;
}

void ShowProcessEnded(platform::Dialogs& dialogs) {
  dialogs.ShowMessage(L"系统提示", L"该进程已经结束。", platform::BoxIcon::kInformation);
}

KillResult KillProcess(platform::ProcessApi& processes, platform::Dialogs& dialogs,
                       std::uint32_t pid, std::int64_t createTime, std::int64_t createdBy,
                       bool tellReplaced) {
  // The idle process cannot be opened at all, and the system says so with the
  // answer it gives for an identifier nobody holds: that is a refusal, not an end.
  if (pid == 0) {
    ShowAccessDenied(dialogs);
    return KillResult::kRefused;
  }
  platform::OpenError error = platform::OpenError::kNone;
  auto process = processes.Open(pid, platform::ProcessAccess::kTerminate, &error);
  if (!process && error == platform::OpenError::kNotFound) return KillResult::kGone;
  if (!process) {
    ShowAccessDenied(dialogs);
    return KillResult::kRefused;
  }
  // Ended on its own since (a parent whose child was just ended, say): nothing to end.
  if (process->Exited()) return KillResult::kGone;
  // The open handle keeps the identifier from being reused while it is compared.
  const std::optional<std::int64_t> created = process->CreationTime();
  const bool same = createTime != kUnknownCreateTime
                        ? created == createTime
                        : created && createdBy != kUnknownCreateTime && *created <= createdBy;
  if (!same) {
    // An exiting process may no longer tell its times.
    if (process->Exited()) return KillResult::kGone;
    if (tellReplaced) ShowProcessEnded(dialogs);
    return KillResult::kReplaced;
  }
  if (!process->Terminate(1)) {
    // Ended on its own between the question and the end: not a refusal.
    if (process->Exited()) return KillResult::kGone;
    ShowAccessDenied(dialogs);
    return KillResult::kRefused;
  }
  return KillResult::kEnded;
}

}  // namespace procs
