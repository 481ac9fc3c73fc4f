// The Create New Task dialog's rules.
#include "app/new_task.h"

namespace app {

bool TaskNameAcceptable(std::wstring_view name) {
  for (const wchar_t c : name)
    if (c > L' ') return true;
  return false;
}

void RunNewTask(platform::ShellApi& shell, const std::wstring& name) {
  shell.Execute(L"Open", name, L"");
}

}  // namespace app
