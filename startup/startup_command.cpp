// Finding the program in a startup command.
#include "startup/startup_command.h"

#include <cwctype>
#include <string_view>

namespace startup {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::wstring_view tail = text.substr(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (std::towlower(static_cast<std::wint_t>(tail[i])) != static_cast<std::wint_t>(suffix[i]))
      return false;
  return true;
}

bool IsFullPath(std::wstring_view path) {
  const bool drive = path.size() >= 3 && std::iswalpha(static_cast<std::wint_t>(path[0])) &&
                     path[1] == L':' && IsSeparator(path[2]);
  return drive || (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]));
}

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The first program of `text` (leading blanks gone); `rest` gets what follows it.
std::wstring_view FirstProgram(std::wstring_view text, std::wstring_view& rest) {
  if (!text.empty() && text.front() == L'"') {
    const std::size_t close = text.find(L'"', 1);
    rest = close == std::wstring_view::npos ? std::wstring_view{} : text.substr(close + 1);
    return text.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1);
  }
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  if (text.substr(0, end).find_first_of(L"\\/") != std::wstring_view::npos) {
    // The shortest prefix that ends in ".exe" at a blank or at the end.
    for (std::size_t at = end; at <= text.size(); ++at) {
      if (at < text.size() && !IsBlank(text[at])) continue;
      if (EndsWithNoCase(text.substr(0, at), L".exe")) {
        end = at;
        break;
      }
    }
  }
  rest = text.substr(end);
  return text.substr(0, end);
}

bool IsRundll32(std::wstring_view program) {
  const std::size_t slash = program.find_last_of(L"\\/");
  const std::wstring_view name =
      slash == std::wstring_view::npos ? program : program.substr(slash + 1);
  const auto is = [name](std::wstring_view wanted) {
    return name.size() == wanted.size() && EndsWithNoCase(name, wanted);
  };
  return is(L"rundll32.exe") || is(L"rundll32");
}

// rundll32's DLL: the first argument up to its comma, quoted or not.
std::wstring_view DllOf(std::wstring_view arguments) {
  arguments = TrimBlanks(arguments);
  if (!arguments.empty() && arguments.front() == L'"') {
    const std::size_t close = arguments.find(L'"', 1);
    return close == std::wstring_view::npos ? arguments.substr(1)
                                            : arguments.substr(1, close - 1);
  }
  return TrimBlanks(arguments.substr(0, arguments.find(L',')));
}

}  // namespace

std::wstring ProgramPathOf(const std::wstring& command) {
  std::wstring_view rest;
  const std::wstring_view program = TrimBlanks(FirstProgram(TrimBlanks(command), rest));
  if (IsRundll32(program)) {
    const std::wstring_view dll = DllOf(rest);
    if (IsFullPath(dll)) return std::wstring(dll);
  }
  return IsFullPath(program) ? std::wstring(program) : std::wstring();
}

}  // namespace startup
