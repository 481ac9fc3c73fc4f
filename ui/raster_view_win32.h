// A child window that shows a portable picture (a graph, a meter) as it is, with
// an optional caption drawn over it. The picture is owned elsewhere; the window
// only copies its pixels to the screen when it paints, so it holds no drawing
// object of its own. Also used by the Networking page's adapter graphs.
#pragma once
#include <windows.h>

#include <string>

#include "ui/raster.h"
#include "ui/rect.h"
#include "ui/window_base_win32.h"

namespace ui {

class RasterView final : public WindowBase<RasterView> {
 public:
  RasterView(HWND parent, const Raster* picture);
  ~RasterView();
  RasterView(const RasterView&) = delete;
  RasterView& operator=(const RasterView&) = delete;

  void SetPicture(const Raster* picture);
  void MoveTo(const Rect& place);
  // Repaints from the picture at the next paint.
  void Refresh();
  // The caption is the window's text, drawn transparently at (x, y).
  void SetCaptionStyle(HFONT font, COLORREF color, int x, int y);
  void SetCaption(const std::wstring& text);

 private:
  friend class WindowBase<RasterView>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  const Raster* picture_ = nullptr;
  HFONT font_ = nullptr;
  COLORREF captionColor_ = 0;
  POINT captionAt_{};
  std::wstring caption_;
  bool textBehind_ = false;  // the window's text still holds an older caption
};

}  // namespace ui
