// One open per call: full query rights first, the limited right after a refusal.
#include "procs/process_path.h"

#include <memory>
#include <optional>

#include "procs/process_format.h"

namespace procs {

std::wstring GetProcessPath(platform::ProcessApi& processes, std::uint32_t pid) {
  std::optional<std::wstring> path;
  if (auto process = processes.Open(pid, platform::ProcessAccess::kQuery)) {
    path = process->MainModulePath();
    if (!path) path = process->ImagePath();
  } else if (auto limited = processes.Open(pid, platform::ProcessAccess::kQueryLimited)) {
    path = limited->ImagePath();
  }
  const std::wstring cleaned = path ? CleanModulePath(*path) : std::wstring();
  return cleaned.empty() ? L"unknown" : cleaned;
}

}  // namespace procs
