// Filling the debugger's placeholders.
#include "procs/debugger_command.h"

namespace procs {

namespace {

// Length of a number placeholder at `at`, or 0.
std::size_t PlaceholderAt(const std::wstring& text, std::size_t at) {
  for (const wchar_t* form : {L"%ld", L"%lu", L"%d", L"%u"}) {
    const std::wstring placeholder(form);
    if (text.compare(at, placeholder.size(), placeholder) == 0) return placeholder.size();
  }
  return 0;
}

}  // namespace

std::wstring DebuggerCommandFor(const std::wstring& registered, std::uint32_t pid) {
  std::wstring command;
  bool pidPlaced = false;
  for (std::size_t i = 0; i < registered.size();) {
    if (registered[i] == L'%' && i + 1 < registered.size() && registered[i + 1] == L'%') {
      command += L'%';
      i += 2;
      continue;
    }
    if (const std::size_t length = PlaceholderAt(registered, i)) {
      command += pidPlaced ? L"0" : std::to_wstring(pid);
      pidPlaced = true;
      i += length;
      continue;
    }
    command += registered[i++];
  }
  if (!pidPlaced) command += L" " + std::to_wstring(pid);
  return command;
}

}  // namespace procs
