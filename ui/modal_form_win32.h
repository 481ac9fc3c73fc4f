// The program's one kind of modal dialog. The dialog manager makes it from a
// template written in memory; its own loop then keeps the owner from input until
// it closes (the owner's timer goes on), and it is destroyed when it closes,
// whichever way. A form laid out in pixels starts from an empty template, is
// centred on its owner and kept on that screen, and creates its controls itself;
// a form written in dialog units brings its whole template.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/owned_handles_win32.h"
#include "ui/dialog_template_win32.h"
#include "ui/dpi.h"
#include "ui/window_base_win32.h"

namespace ui {

class ModalForm : public WindowBase<ModalForm> {
 public:
  ModalForm() = default;
  virtual ~ModalForm();
  ModalForm(const ModalForm&) = delete;
  ModalForm& operator=(const ModalForm&) = delete;

  // Shows the form made by CreateForm and handles messages until it closes;
  // returns the code given to Close (IDCANCEL when it was not closed by Close).
  INT_PTR ShowModal();
  // Ends the form: at once when it is not shown modally, else when the loop sees it.
  void Close(INT_PTR result = IDCANCEL);

 protected:
  // Makes the form, hidden, with a client area of the given size in logical
  // pixels (scaled to the owner's DPI); its
  // controls take `font`. False when it could not be made.
  bool CreateForm(HWND owner, const wchar_t* caption, int clientWidth, int clientHeight,
                  HFONT font);
  // Makes the form, hidden, from a whole template.
  bool CreateForm(HWND owner, const DialogTemplate& layout);
  // CreateForm in pixels, then ShowModal.
  INT_PTR ShowModal(HWND owner, HFONT font, const std::wstring& caption, int clientWidth,
                    int clientHeight);

  // Places and sizes are logical pixels, scaled to the form's DPI.
  HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int x, int y,
                  int width, int height, UINT id);
  // A 16 x 16 icon of the program's resources stretched over a 32 x 32 picture;
  // the system's application icon when the program has no such icon.
  HWND AddIconPicture(int x, int y, int iconId);

  // The form has just been made: a form laid out in pixels may create its
  // controls here. Putting the focus on a control keeps it there.
  virtual void FormCreate() {}
  // A command from the form's controls; a button's click goes on to Clicked.
  virtual void OnCommand(UINT id, UINT code, HWND control);
  // A button was pressed. Enter and Esc press IDOK and IDCANCEL, and so does the
  // title-bar button IDCANCEL when the form has such a button; else it just closes.
  virtual void Clicked(UINT) {}

 private:
  bool Make(HWND owner, const DialogTemplate& layout);
  friend class WindowBase<ModalForm>;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void WindowGone();
  void Place();
  void DrawPicture(const DRAWITEMSTRUCT& item) const;

  HWND owner_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = kLogicalDpi;  // the owner's, read when the form is made
  int clientWidth_ = 0, clientHeight_ = 0;  // 0: the template gives the size
  platform::win32::UniqueIcon icon_;          // loaded from the resources
  HICON picture_ = nullptr;  // what the picture shows: that icon or the system's
  INT_PTR result_ = IDCANCEL;
  bool modal_ = false;
  bool closed_ = false;
};

}  // namespace ui
