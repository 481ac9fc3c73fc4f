// Filling the debugger's placeholders and cutting the command for the shell.
#include "procs/debugger_command.h"

#include <cwctype>
#include <string_view>

namespace procs {

namespace {

struct Placeholder {
  std::size_t length = 0;
  bool number = false;  // false: an address, always 0
};

Placeholder PlaceholderAt(const std::wstring& text, std::size_t at) {
  for (const wchar_t* form : {L"%ld", L"%lu", L"%d", L"%u"}) {
    const std::wstring_view placeholder(form);
    if (text.compare(at, placeholder.size(), placeholder) == 0) return {placeholder.size(), true};
  }
  if (text.compare(at, 2, L"%p") == 0) return {2, false};
  return {};
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring TrimmedFrom(const std::wstring& text, std::size_t from) {
  while (from < text.size() && IsBlank(text[from])) ++from;
  std::size_t end = text.size();
  while (end > from && IsBlank(text[end - 1])) --end;
  return text.substr(from, end - from);
}

// Where an unquoted program named "….exe" ends, or npos.
std::size_t EndOfExe(const std::wstring& text, std::size_t from) {
  constexpr std::wstring_view kExe = L".exe";
  for (std::size_t at = from; at + kExe.size() <= text.size(); ++at) {
    bool match = true;
    for (std::size_t i = 0; i < kExe.size() && match; ++i)
      match = std::towlower(static_cast<std::wint_t>(text[at + i])) ==
              static_cast<std::wint_t>(kExe[i]);
    const std::size_t end = at + kExe.size();
    if (match && (end == text.size() || IsBlank(text[end]))) return end;
  }
  return std::wstring::npos;
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
    if (const Placeholder placeholder = PlaceholderAt(registered, i); placeholder.length > 0) {
      const bool takesPid = placeholder.number && !pidPlaced;
      command += takesPid ? std::to_wstring(pid) : L"0";
      pidPlaced = pidPlaced || takesPid;
      i += placeholder.length;
      continue;
    }
    command += registered[i++];
  }
  if (!pidPlaced) command += L" " + std::to_wstring(pid);
  return command;
}

CommandParts SplitCommandLine(const std::wstring& commandLine) {
  std::size_t start = 0;
  while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
  if (start < commandLine.size() && commandLine[start] == L'"') {
    const std::size_t close = commandLine.find(L'"', start + 1);
    if (close == std::wstring::npos) return {commandLine.substr(start + 1), L""};
    return {commandLine.substr(start + 1, close - start - 1), TrimmedFrom(commandLine, close + 1)};
  }
  std::size_t end = start;
  while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
  // A path cut at a blank ("C:\Program") goes on to its ".exe", as the system
  // reads such a command; a bare name ends at its first blank.
  const std::wstring_view first(commandLine.data() + start, end - start);
  if (first.find(L'\\') != std::wstring_view::npos) {
    if (const std::size_t exeEnd = EndOfExe(commandLine, start); exeEnd != std::wstring::npos)
      end = exeEnd;
  }
  return {commandLine.substr(start, end - start), TrimmedFrom(commandLine, end)};
}

}  // namespace procs
