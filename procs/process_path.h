// The executable path of a process by its identifier, for lists that show the
// owner of something (the port list): the loader's module path, or the image
// path that protected processes still give, or "unknown".
#pragma once
#include <cstdint>
#include <string>

#include "platform/process_api.h"

namespace procs {

std::wstring GetProcessPath(platform::ProcessApi& processes, std::uint32_t pid);

}  // namespace procs
