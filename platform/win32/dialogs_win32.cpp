// Message boxes owned by the main window.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

namespace {
UINT IconStyle(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kInformation: return MB_ICONINFORMATION;
    case BoxIcon::kWarning: return MB_ICONWARNING;
    case BoxIcon::kError: return MB_ICONERROR;
    case BoxIcon::kQuestion: return MB_ICONQUESTION;
    case BoxIcon::kNone: break;
  }
  return 0;
}
}  // namespace

bool Win32Dialogs::AskYesNo(const std::wstring& caption, const std::wstring& text,
                            BoxIcon icon) {
  // Only an explicit No refuses; a box that could not be shown (0) does not.
  const int answer = MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_YESNO | IconStyle(icon));
  return answer != IDNO;
}

bool Win32Dialogs::AskYes(const std::wstring& caption, const std::wstring& text, BoxIcon icon) {
  return MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_YESNO | IconStyle(icon)) == IDYES;
}

void Win32Dialogs::ShowMessage(const std::wstring& caption, const std::wstring& text,
                               BoxIcon icon) {
  MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_OK | IconStyle(icon));
}

}  // namespace platform::win32
