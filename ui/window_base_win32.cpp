// The message box of an error that escaped a window's handler.
#include "ui/window_base_win32.h"

#include <string>

#include "ui/refresh_error.h"
#include "ui/text_utf8.h"

namespace ui {

void ShowHandlerError(HWND window, const std::exception& error) {
  HWND top = GetAncestor(window, GA_ROOT);
  if (top == nullptr) top = window;
  wchar_t title[256] = L"";
  GetWindowTextW(top, title, static_cast<int>(std::size(title)));
  const auto* refresh = dynamic_cast<const RefreshError*>(&error);
  const std::wstring text = refresh != nullptr ? refresh->Text() : WidenUtf8(error.what());
  MessageBoxW(top, text.c_str(), title, MB_OK | MB_ICONERROR);
}

}  // namespace ui
