// GetDpiForWindow, GetSystemMetricsForDpi and AdjustWindowRectExForDpi are
// newer than Windows 7, so they are bound by name.
#include "ui/dpi_win32.h"

namespace ui {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 == nullptr
             ? nullptr
             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

GetDpiForWindowFn BoundGetDpiForWindow() {
  static const auto function = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
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

int SystemMetricForDpi(int index, int dpi) {
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi != nullptr && dpi > 0) {
    if (const int value = forDpi(index, static_cast<UINT>(dpi)); value > 0) return value;
  }
  return GetSystemMetrics(index);
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto forDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  const RECT client = rect;
  if (forDpi != nullptr && dpi > 0 &&
      forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE)
    return;
  rect = client;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void TakeSuggestedPlace(HWND window, LPARAM suggestedRect) {
  const auto& place = *reinterpret_cast<const RECT*>(suggestedRect);
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
