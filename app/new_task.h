// What the Create New Task dialog decides: when "确定" may be pressed, and how
// the typed name goes to the shell (whole and untrimmed, with the verb "Open").
#pragma once
#include <string>
#include <string_view>

#include "platform/shell_api.h"

namespace app {

// "确定" is enabled exactly when the name has a character above the space.
bool TaskNameAcceptable(std::wstring_view name);
// Hands the name to the shell as the file to open; the whole text is the file,
// nothing is split off as arguments, and the shell's answer is not examined.
void RunNewTask(platform::ShellApi& shell, const std::wstring& name);

}  // namespace app
