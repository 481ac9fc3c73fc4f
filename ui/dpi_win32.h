// The DPI a window is drawn at, and its logical sizes in device pixels there.
#pragma once
#include <windows.h>

#include "ui/dpi.h"

namespace ui {

// The window's DPI where the system tells it per window (Windows 10 1607 and
// later); elsewhere the screen's, which is the whole program's; 96 when neither
// answers.
int WindowDpi(HWND window);

// A system metric (SM_CXSMICON, say) at `dpi` where the system tells it per DPI
// (Windows 10 1607 and later); elsewhere the system's own.
int SystemMetricForDpi(int index, int dpi);

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
