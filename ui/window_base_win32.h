// What every window class of the program shares: the object that answers a
// window is tied to it from the window's first message to its last, and an
// error of a handler is shown in a message box instead of unwinding through the
// system's code.
#pragma once
#include <windows.h>

#include <exception>

namespace ui {

// The error text over the window's top-level window, with that window's title.
void ShowHandlerError(HWND window, const std::exception& error);

// `Derived` answers with `LRESULT HandleMessage(UINT, WPARAM, LPARAM)` (for a
// dialog: INT_PTR, FALSE when it leaves the message to the dialog manager) and
// may define `void WindowGone()`, called once the window is gone. A private
// handler needs `friend class ui::WindowBase<Derived>;`.
template <class Derived>
class WindowBase {
 public:
  HWND Handle() const { return window_; }
  // The object of a window of this class; null once the window is gone.
  static Derived* FromHandle(HWND window) {
    return window != nullptr
               ? reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA))
               : nullptr;
  }

 protected:
  WindowBase() = default;
  ~WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Registers the class the first time, with the window procedure below; the
  // arrow cursor unless the class names one.
  static bool RegisterWindowClass(WNDCLASSEXW windowClass) {
    windowClass.cbSize = sizeof(windowClass);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing)) return true;
    windowClass.lpfnWndProc = WindowProc;
    if (windowClass.hCursor == nullptr) windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    return RegisterClassExW(&windowClass) != 0;
  }

  // A window of a class registered above, answered by this object from its
  // first message on; null when it could not be made.
  HWND CreateOwnWindow(DWORD exStyle, const wchar_t* className, const wchar_t* caption,
                       DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                       HINSTANCE instance) {
    CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, menu,
                    instance, static_cast<Derived*>(this));
    return window_;
  }

  // The dialog procedure of a dialog whose creation parameter is this object.
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) Attach(dialog, DWLP_USER, reinterpret_cast<Derived*>(lParam));
    return Route<INT_PTR>(dialog, DWLP_USER, message, wParam, lParam,
                          [] { return static_cast<INT_PTR>(FALSE); });
  }

  void WindowGone() {}

  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
      Attach(window, GWLP_USERDATA,
             static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    return Route<LRESULT>(window, GWLP_USERDATA, message, wParam, lParam,
                          [&] { return DefWindowProcW(window, message, wParam, lParam); });
  }

  static void Attach(HWND window, int slot, Derived* self) {
    if (self == nullptr) return;
    static_cast<WindowBase&>(*self).window_ = window;
    SetWindowLongPtrW(window, slot, reinterpret_cast<LONG_PTR>(self));
  }

  template <class Result, class Unhandled>
  static Result Route(HWND window, int slot, UINT message, WPARAM wParam, LPARAM lParam,
                      Unhandled unhandled) {
    auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, slot));
    if (self == nullptr) return unhandled();
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, slot, 0);
      static_cast<WindowBase&>(*self).window_ = nullptr;
      self->WindowGone();
      return unhandled();
    }
    try {
      return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
      ShowHandlerError(window, error);
    }
    return 0;
  }
};

}  // namespace ui
