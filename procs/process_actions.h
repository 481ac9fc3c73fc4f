// Ending a process, as the Processes page and the port list both do it: the
// warning asked first, then the end, or the system's refusal shown (the same
// refusal any action on a process shows).
#pragma once
#include <cstdint>

#include "platform/dialogs.h"
#include "platform/process_api.h"

namespace procs {

// Asks "泽恩特警告" with the end-process warning; true only when the answer is Yes.
bool ConfirmKill(platform::Dialogs& dialogs);

// "访问被拒绝" under "系统提示": the system refused an action on a process.
void ShowAccessDenied(platform::Dialogs& dialogs);

// Ends one process. False when the system refused: the refusal has been shown and
// the calling action must stop. A process that is already gone is no refusal.
bool KillProcess(platform::ProcessApi& processes, platform::Dialogs& dialogs, std::uint32_t pid);

}  // namespace procs
