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

BoxAnswer Win32Dialogs::AskYesNo(const std::wstring& caption, const std::wstring& text,
                                 BoxIcon icon) {
  // The system gives 0 for a box it could not show, Wine -1 for one without a
  // valid owner: anything but Yes or No was answered by nobody.
  const int answer = MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_YESNO | IconStyle(icon));
  if (answer == IDYES) return BoxAnswer::kYes;
  return answer == IDNO ? BoxAnswer::kNo : BoxAnswer::kNotShown;
}

void Win32Dialogs::ShowMessage(const std::wstring& caption, const std::wstring& text,
                               BoxIcon icon) {
  MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_OK | IconStyle(icon));
}

}  // namespace platform::win32
