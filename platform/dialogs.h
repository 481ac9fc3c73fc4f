// Message boxes owned by the main window, so that page commands can ask and warn
// without knowing about windows.
#pragma once
#include <string>

namespace platform {

enum class BoxIcon { kNone, kInformation, kWarning, kError, kQuestion };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Yes/No box; true unless the user answered No.
  virtual bool AskYesNo(const std::wstring& caption, const std::wstring& text,
                        BoxIcon icon) = 0;
  // Yes/No box; true only when the user answered Yes (a box that could not be
  // shown is no Yes).
  virtual bool AskYes(const std::wstring& caption, const std::wstring& text, BoxIcon icon) = 0;
  // OK box.
  virtual void ShowMessage(const std::wstring& caption, const std::wstring& text,
                           BoxIcon icon) = 0;
};

}  // namespace platform
