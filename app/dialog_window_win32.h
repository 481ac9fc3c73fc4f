// A small modal dialog window built from code: fixed dialog border, given client
// size, centred on its owner, the program's font, Tab between the controls, and a
// loop that keeps the owner from input until the form closes. The Create New
// Task dialog and the About box are built on it.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace app {

class DialogWindow {
 public:
  DialogWindow() = default;
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  HWND Handle() const { return form_; }
  // Shows the form and handles messages until it closes; meanwhile the owner
  // takes no input (its timer goes on). The window is destroyed when it closes,
  // whichever way it was closed.
  void ShowModal();
  // Ends the form: at once when it is not shown modally, else when the loop sees it.
  void Close();

 protected:
  // Creates the window, hidden. False when it could not be made.
  bool CreateForm(HWND owner, const wchar_t* caption, int clientWidth, int clientHeight,
                  HFONT font);
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                  int width, int height, UINT id);
  // The program's 16 x 16 icon, stretched over a 32 x 32 picture.
  HWND AddProgramPicture(int x, int y);
  virtual void OnCommand(UINT id, UINT code, HWND control) = 0;

 private:
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void DrawPicture(const DRAWITEMSTRUCT& item) const;

  HWND form_ = nullptr;
  HFONT font_ = nullptr;
  UniqueIcon programIcon_;  // loaded from the resources
  HICON picture_ = nullptr;  // what the picture shows: that icon or the system's
  bool modal_ = false;
  bool closed_ = false;
};

}  // namespace app
