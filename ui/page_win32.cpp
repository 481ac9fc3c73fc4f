// The page window class: a container in the dialog colour that forwards its
// messages to its content, if any.
#include "ui/page_win32.h"

namespace ui {

namespace {

constexpr wchar_t kPageClass[] = L"ZentrikPage";

}  // namespace

PageWindow::PageWindow(HWND parent, HINSTANCE instance) {
  WNDCLASSEXW pageClass{};
  pageClass.hInstance = instance;
  pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  pageClass.lpszClassName = kPageClass;
  RegisterWindowClass(pageClass);
  CreateOwnWindow(WS_EX_CONTROLPARENT, kPageClass, L"",
                  WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                  instance);
}

PageWindow::~PageWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT PageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (content_ != nullptr && message == WM_SHOWWINDOW) content_->PageShown(wParam != FALSE);
  if (content_ != nullptr && content_->HandlePageMessage(message, wParam, lParam, result))
    return result;
  return DefWindowProcW(window_, message, wParam, lParam);
}

void SetPageContent(HWND page, PageContent* content) {
  PageWindow* window = PageWindow::FromHandle(page);
  if (window == nullptr) return;
  window->SetContent(content);
  if (content != nullptr) content->PageShown((GetWindowLongW(page, GWL_STYLE) & WS_VISIBLE) != 0);
}

}  // namespace ui
