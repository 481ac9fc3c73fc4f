// A page of the main window's tab control: a plain child window that hands the
// messages of its own controls (notifications, commands, its size, context menus)
// to the content object that fills it.
#pragma once
#include <windows.h>

namespace ui {

class PageContent {
 public:
  virtual ~PageContent() = default;
  // True when the content handled the message; `result` is then returned.
  virtual bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT& result) = 0;
};

// A hidden, empty page; its content is set once the page's controls exist.
HWND CreatePageWindow(HWND parent, HINSTANCE instance);
// Null detaches the content (before it goes away).
void SetPageContent(HWND page, PageContent* content);

}  // namespace ui
