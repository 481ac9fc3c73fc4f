// A page of the main window's tab control: a plain child window that hands the
// messages of its own controls (notifications, commands, its size, context menus)
// to the content object that fills it.
#pragma once
#include <windows.h>

#include "ui/window_base_win32.h"

namespace ui {

class PageContent {
 public:
  virtual ~PageContent() = default;
  // True when the content handled the message; `result` is then returned.
  virtual bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT& result) = 0;
  // The page is about to be shown or has been hidden; also told once when the
  // content is set. A hidden page need not draw what nobody can see.
  virtual void PageShown(bool /*shown*/) {}
};

// A hidden, empty page; its content is set once the page's controls exist.
class PageWindow final : public WindowBase<PageWindow> {
 public:
  PageWindow(HWND parent, HINSTANCE instance);
  ~PageWindow();
  void SetContent(PageContent* content) { content_ = content; }

 private:
  friend class WindowBase<PageWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  PageContent* content_ = nullptr;
};

// Null detaches the content (before it goes away); nothing once the page is gone.
void SetPageContent(HWND page, PageContent* content);

}  // namespace ui
