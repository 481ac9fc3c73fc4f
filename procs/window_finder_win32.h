// The window finder of the Processes page: a crosshair the user drags onto any
// window on the screen. While the button is held the mouse is captured, the
// cursor is the crosshair and the top-level window under the pointer is
// outlined by a frame window of its own (nothing is drawn on other programs'
// windows, so nothing is left behind on them); on release that window's process
// is handed on. Esc, a release over one of this program's windows or the
// desktop, or losing the capture ends the drag with nothing found.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "ui/tooltip_win32.h"
#include "ui/window_base_win32.h"

namespace procs {

// A frame around a screen rectangle: a topmost window shaped as a ring.
class OutlineFrame final : public ui::WindowBase<OutlineFrame> {
 public:
  explicit OutlineFrame(HINSTANCE instance);
  ~OutlineFrame();
  OutlineFrame(const OutlineFrame&) = delete;
  OutlineFrame& operator=(const OutlineFrame&) = delete;

  void Show(const RECT& around, int thickness);
  void Hide();

 private:
  friend class ui::WindowBase<OutlineFrame>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

class WindowFinder {
 public:
  // `found` gets the process of the window the drag ended on.
  WindowFinder(HWND parent, UINT id, std::function<void(std::uint32_t pid)> found);
  ~WindowFinder();
  WindowFinder(const WindowFinder&) = delete;
  WindowFinder& operator=(const WindowFinder&) = delete;

  HWND Handle() const { return control_; }
  bool Dragging() const { return dragging_; }
  // The window outlined now; null when none is.
  HWND Outlined() const { return target_; }
  bool OutlineShown() const { return frame_ && IsWindowVisible(frame_->Handle()); }

 private:
  static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);
  void Paint();
  void Begin();
  void Follow(POINT screen);
  void End(bool found);

  HWND control_ = nullptr;
  std::function<void(std::uint32_t)> found_;
  std::unique_ptr<ui::Tooltip> tip_;
  std::unique_ptr<OutlineFrame> frame_;
  bool dragging_ = false;
  HWND target_ = nullptr;
  HWND focusBefore_ = nullptr;
};

}  // namespace procs
