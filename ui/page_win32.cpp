// The page window class: a container in the dialog colour that forwards its
// messages to its content, if any.
#include "ui/page_win32.h"

namespace ui {

namespace {

constexpr wchar_t kPageClass[] = L"ZentrikPage";

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* content = reinterpret_cast<PageContent*>(GetWindowLongPtrW(page, GWLP_USERDATA));
  LRESULT result = 0;
  if (content != nullptr && content->HandlePageMessage(message, wParam, lParam, result))
    return result;
  return DefWindowProcW(page, message, wParam, lParam);
}

void RegisterPageClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kPageClass, &existing)) return;
  WNDCLASSEXW pageClass{};
  pageClass.cbSize = sizeof(pageClass);
  pageClass.lpfnWndProc = PageProc;
  pageClass.hInstance = instance;
  pageClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  pageClass.lpszClassName = kPageClass;
  RegisterClassExW(&pageClass);
}

}  // namespace

HWND CreatePageWindow(HWND parent, HINSTANCE instance) {
  RegisterPageClass(instance);
  return CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"",
                         WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                         nullptr, instance, nullptr);
}

void SetPageContent(HWND page, PageContent* content) {
  SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(content));
}

}  // namespace ui
