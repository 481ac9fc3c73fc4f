// Owners of the program's window-system handles: each is released exactly once,
// by the call its kind needs, when its owner goes. Kernel handles have
// UniqueHandle (handle_win32.h).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace platform::win32 {

namespace detail {

template <class Handle, auto Release>
struct Releaser {
  void operator()(Handle handle) const { Release(handle); }
};

template <class Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Handle, Release>>;

// Wrappers, as the system's imported functions are no template arguments.
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void FreeLibraryHandle(HMODULE library) { FreeLibrary(library); }

}  // namespace detail

using UniqueBitmap = detail::Owned<HBITMAP, detail::DeleteGdiObject>;
using UniqueFont = detail::Owned<HFONT, detail::DeleteGdiObject>;
using UniqueBrush = detail::Owned<HBRUSH, detail::DeleteGdiObject>;
using UniquePen = detail::Owned<HPEN, detail::DeleteGdiObject>;
using UniqueIcon = detail::Owned<HICON, detail::DestroyIconHandle>;
using UniqueMenu = detail::Owned<HMENU, detail::DestroyMenuHandle>;
using UniqueImageList = detail::Owned<HIMAGELIST, detail::DestroyImageList>;
using UniqueKey = detail::Owned<HKEY, detail::CloseKey>;
using UniqueLibrary = detail::Owned<HMODULE, detail::FreeLibraryHandle>;

}  // namespace platform::win32
