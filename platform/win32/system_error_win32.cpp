// Turning an error code into the words the system has for it.
#include "platform/win32/system_error_win32.h"

#include <cwctype>
#include <iterator>
#include <string>

namespace platform::win32 {

namespace {

std::wstring UnexplainedFailure(DWORD code) {
  return L"操作未能完成（错误代码 " + std::to_wstring(code) + L"）。";
}

}  // namespace

std::wstring SystemErrorText(DWORD code) {
  wchar_t text[512];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, text, static_cast<DWORD>(std::size(text)),
                                nullptr);
  while (length > 0 && std::iswspace(text[length - 1])) --length;
  if (length == 0) return UnexplainedFailure(code);
  return std::wstring(text, length);
}

ActionResult ResultOfCall(BOOL ok) {
  if (ok) return ActionResult::Done();
  const DWORD code = GetLastError();
  // A failure that left no error behind must not read "completed successfully".
  if (code == ERROR_SUCCESS) return ActionResult::Refused(UnexplainedFailure(code));
  return ActionResult::Refused(SystemErrorText(code));
}

}  // namespace platform::win32
