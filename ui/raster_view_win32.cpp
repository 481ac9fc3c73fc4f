// The picture window: a class of its own whose paint copies the picture's
// pixels straight to the window, then draws the caption.
#include "ui/raster_view_win32.h"

namespace ui {
namespace {

constexpr wchar_t kRasterClass[] = L"ZentrikRaster";

}  // namespace

RasterView::RasterView(HWND parent, const Raster* picture) : picture_(picture) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  WNDCLASSEXW rasterClass{};
  rasterClass.hInstance = instance;
  rasterClass.lpszClassName = kRasterClass;
  RegisterWindowClass(rasterClass);
  if (CreateOwnWindow(0, kRasterClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                      parent, nullptr, instance) == nullptr)
    return;
  // Above the group box it is shown in, whenever it is made.
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RasterView::~RasterView() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void RasterView::SetPicture(const Raster* picture) {
  picture_ = picture;
  Refresh();
}

void RasterView::MoveTo(const Rect& place) {
  MoveWindow(window_, place.left, place.top, place.Width(), place.Height(), TRUE);
}

// A window on a hidden page is painted whole when its page is shown; invalidating
// it before then would only cost a call to the window system at every tick.
void RasterView::Refresh() {
  if (IsWindowVisible(window_)) InvalidateRect(window_, nullptr, FALSE);
}

void RasterView::SetCaptionStyle(HFONT font, COLORREF color, int x, int y) {
  font_ = font;
  captionColor_ = color;
  captionAt_ = {x, y};
  Refresh();
}

void RasterView::SetCaption(const std::wstring& text) {
  if (text == caption_) return;
  caption_ = text;
  // The window's text (for screen readers) of a hidden window follows when it
  // is painted: each text is a call to the window system.
  textBehind_ = !IsWindowVisible(window_);
  if (!textBehind_) SetWindowTextW(window_, text.c_str());
  Refresh();
}

LRESULT RasterView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      Paint();
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks belong to the page
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void RasterView::Paint() {
  if (textBehind_) {
    textBehind_ = false;
    SetWindowTextW(window_, caption_.c_str());
  }
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  int width = 0, height = 0;
  if (picture_ != nullptr && picture_->Width() > 0 && picture_->Height() > 0) {
    width = picture_->Width();
    height = picture_->Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), picture_->Pixels(), &info, DIB_RGB_COLORS);
  }
  // Whatever the picture does not cover (it is resized a moment later) is black.
  const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const RECT right{width, 0, client.right, client.bottom};
  const RECT below{0, height, width, client.bottom};
  if (!IsRectEmpty(&right)) FillRect(dc, &right, black);
  if (!IsRectEmpty(&below)) FillRect(dc, &below, black);
  if (!caption_.empty()) {
    const HGDIOBJ oldFont = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, captionColor_);
    TextOutW(dc, captionAt_.x, captionAt_.y, caption_.c_str(), static_cast<int>(caption_.size()));
    if (oldFont != nullptr) SelectObject(dc, oldFont);
  }
  EndPaint(window_, &paint);
}

}  // namespace ui
