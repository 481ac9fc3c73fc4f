// A modal dialog laid out in pixels: an empty in-memory dialog template whose
// controls the form creates itself, centred on its owner, closed by its buttons,
// Enter, Esc or the title-bar button.
#pragma once
#include <windows.h>

#include <string>

namespace app {

class ModalForm {
 public:
  virtual ~ModalForm() = default;

  // Runs until the form closes; returns the code given to Close (IDCANCEL for
  // Esc and the title-bar button, unless the form decides otherwise).
  INT_PTR ShowModal(HWND owner, HFONT font, const std::wstring& caption, int clientWidth,
                    int clientHeight);
  HWND Handle() const { return dialog_; }

 protected:
  // The controls, created when the dialog starts.
  virtual void FormCreate() = 0;
  // A button was pressed (IDOK for Enter, IDCANCEL for Esc and the title-bar button).
  virtual void Clicked(UINT id) = 0;

  HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int x, int y,
                  int width, int height, UINT id);
  void Close(INT_PTR result) { EndDialog(dialog_, result); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void Place();

  HWND dialog_ = nullptr;
  HWND owner_ = nullptr;
  HFONT font_ = nullptr;
  std::wstring caption_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
};

}  // namespace app
