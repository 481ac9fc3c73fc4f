// A tooltip control and its tools: a fixed tip that a control shows by itself
// when the pointer rests on it, or one tracking tip that its owner places and
// fills as the pointer moves over a picture whose tip changes from point to
// point. The control is destroyed with its owner object.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace ui {

class Tooltip {
 public:
  // `owner`: the window whose client area the tracking tip belongs to.
  explicit Tooltip(HWND owner);
  ~Tooltip();
  Tooltip(const Tooltip&) = delete;
  Tooltip& operator=(const Tooltip&) = delete;

  HWND Handle() const { return tip_; }
  // A tip `control` shows when the pointer rests on it.
  void AddControlTip(HWND control, const wchar_t* text);
  // The tracking tip below and right of the screen point `pointer` (kept on the
  // pointer's screen); its text is sent only when it differs from the shown one.
  void Track(POINT pointer, const std::wstring& text);
  void HideTrack();
  bool Tracking() const { return tracking_; }
  const std::wstring& TrackText() const { return trackText_; }

 private:
  TTTOOLINFOW TrackTool(const wchar_t* text = nullptr) const;

  HWND owner_;
  HWND tip_ = nullptr;
  bool trackToolAdded_ = false;
  bool tracking_ = false;
  std::wstring trackText_;
};

}  // namespace ui
