// GetDpiForWindow is newer than Windows 7, so it is bound by name.
#include "ui/dpi_win32.h"

namespace ui {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn BoundGetDpiForWindow() {
  static const GetDpiForWindowFn function = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 == nullptr ? nullptr
                             : reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
                                   GetProcAddress(user32, "GetDpiForWindow")));
  }();
  return function;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kLogicalDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLogicalDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  if (GetDpiForWindowFn getDpi = BoundGetDpiForWindow(); getDpi != nullptr && window != nullptr) {
    // Zero for a handle that is no window (any more).
    if (const UINT dpi = getDpi(window); dpi != 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

}  // namespace ui
