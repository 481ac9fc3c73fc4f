// Ending a process, as the Processes page and the port list both do it: the
// warning asked first, then the end of the very process the row stood for, or
// the system's refusal shown (the same refusal any action on a process shows).
#pragma once
#include <cstdint>

#include "platform/dialogs.h"
#include "platform/process_api.h"
#include "procs/process_snapshot.h"

namespace procs {

// Asks "泽恩特警告" with the end-process warning; true only when the answer is Yes.
bool ConfirmKill(platform::Dialogs& dialogs);

// "访问被拒绝" under "系统提示": the system refused an action on a process.
void ShowAccessDenied(platform::Dialogs& dialogs);

// "该进程已经结束。" under "系统提示": the process a row stood for is gone.
void ShowProcessEnded(platform::Dialogs& dialogs);

enum class KillResult {
  kEnded,
  kGone,      // nobody holds the identifier any more; nothing shown
  kReplaced,  // another process holds it now: nothing ended, "该进程已经结束。" shown
  kRefused,   // the system refused: "访问被拒绝" shown, the calling action must stop
};

// Ends the process `pid` that was created at `createTime` (100 ns units, as the
// process snapshot gives it). An identifier is soon reused after its process
// ends, so the process that holds it is ended only when its creation time is
// that one; where that time is unknown, when it was created by `createdBy` (a
// reuse since would be younger).
// `tellReplaced` false keeps quiet about a process that is no longer the one
// asked for (a branch goes on past it).
KillResult KillProcess(platform::ProcessApi& processes, platform::Dialogs& dialogs,
                       std::uint32_t pid, std::int64_t createTime,
                       std::int64_t createdBy = kUnknownCreateTime, bool tellReplaced = true);

}  // namespace procs
