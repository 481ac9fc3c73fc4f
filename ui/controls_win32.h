// Small helpers the pages and forms share to make their controls: a child window
// in the program's font, a push button, and where a list's context menu opens.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>

namespace ui {

HINSTANCE InstanceOf(HWND window);

// A visible child of `parent`, not yet placed, in `font`.
HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                 DWORD exStyle, UINT id, HFONT font);
HWND CreatePushButton(HWND parent, const wchar_t* text, UINT id, HFONT font);
// A group box paints its frame and caption, never its inside, and a page that
// clips its children leaves the inside alone too: what was on the screen before
// (the page shown last) would stay there. A transparent box is left out of its
// parent's clipping, so the page's background covers it.
HWND CreateGroupBox(HWND parent, const wchar_t* caption, HFONT font, DWORD style = 0);

// The screen point of a WM_CONTEXTMENU for `list`; from the keyboard, under
// `item` when it is given and shown, else at the list's corner.
POINT ContextMenuPoint(HWND list, LPARAM screenPoint, std::optional<std::size_t> item);

// Shows `menu` there for `owner` and gives the chosen command, 0 for none.
UINT TrackListMenu(HMENU menu, HWND owner, HWND list, LPARAM screenPoint,
                   std::optional<std::size_t> item);

}  // namespace ui
