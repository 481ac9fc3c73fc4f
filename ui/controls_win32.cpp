// Creation of child controls and the placing of list context menus.
#include "ui/controls_win32.h"

#include <commctrl.h>
#include <windowsx.h>

namespace ui {

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                 DWORD exStyle, UINT id, HFONT font) {
  HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               InstanceOf(parent), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

HWND CreatePushButton(HWND parent, const wchar_t* text, UINT id, HFONT font) {
  return CreateChild(parent, L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, 0, id, font);
}

HWND CreateGroupBox(HWND parent, const wchar_t* caption, HFONT font, DWORD style) {
  return CreateChild(parent, L"BUTTON", caption, BS_GROUPBOX | style, WS_EX_TRANSPARENT, 0, font);
}

POINT ContextMenuPoint(HWND list, LPARAM screenPoint, std::optional<std::size_t> item) {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x != -1 || at.y != -1) return at;
  at = {0, 0};
  RECT place{};
  if (item && ListView_GetItemRect(list, static_cast<int>(*item), &place, LVIR_LABEL))
    at = {place.left, place.bottom};
  ClientToScreen(list, &at);
  return at;
}

UINT TrackListMenu(HMENU menu, HWND owner, HWND list, LPARAM screenPoint,
                   std::optional<std::size_t> item) {
  const POINT at = ContextMenuPoint(list, screenPoint, item);
  return TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

}  // namespace ui
