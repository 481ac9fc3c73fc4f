// Message boxes owned by the main window, so that page commands can ask and warn
// without knowing about windows.
#pragma once
#include <string>

namespace platform {

enum class BoxIcon { kNone, kInformation, kWarning, kError, kQuestion };

// kNotShown: the box could not be shown, so nobody answered. Only kYes consents.
enum class BoxAnswer { kYes, kNo, kNotShown };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Yes/No box.
  virtual BoxAnswer AskYesNo(const std::wstring& caption, const std::wstring& text,
                             BoxIcon icon) = 0;
  // OK box.
  virtual void ShowMessage(const std::wstring& caption, const std::wstring& text,
                           BoxIcon icon) = 0;
};

}  // namespace platform
