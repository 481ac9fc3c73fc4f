// The DPI a window is drawn at, and its logical sizes in device pixels there.
#pragma once
#include <windows.h>

#include "ui/dpi.h"

namespace ui {

// WM_DPICHANGED (Windows 8.1 and later), which the headers for Windows 7 leave out:
// a window dragged to a screen of another density. lParam is the suggested place.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// Takes the place the system suggests with WM_DPICHANGED; the size message that
// follows lays the window out again at its new DPI.
void TakeSuggestedPlace(HWND window, LPARAM suggestedRect);

// The window's DPI where the system tells it per window (Windows 10 1607 and
// later); elsewhere the screen's, which is the whole program's; 96 when neither
// answers.
int WindowDpi(HWND window);

// A system metric (SM_CXSMICON, say) at `dpi` where the system tells it per DPI
// (Windows 10 1607 and later); elsewhere the system's own.
int SystemMetricForDpi(int index, int dpi);

// Widens a client rectangle (no menu) to the window around it, with the frame
// drawn at `dpi` where the system tells it per DPI (Windows 10 1607 and later);
// elsewhere the frame at the system's DPI.
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

inline int ScaleFor(HWND window, int logical) { return Scale(logical, WindowDpi(window)); }

// Logical pixels to one window's device pixels, its DPI read once.
class Scaler {
 public:
  explicit Scaler(HWND window) : dpi_(WindowDpi(window)) {}
  int operator()(int logical) const { return Scale(logical, dpi_); }
  int Dpi() const { return dpi_; }

 private:
  int dpi_;
};

}  // namespace ui
