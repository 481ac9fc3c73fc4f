// Loading the program's icon from its resources at a given size.
#include "app/program_icon_win32.h"

#include <commctrl.h>

#include "app/resource_ids.h"

namespace app {

platform::win32::UniqueIcon LoadProgramIcon(HINSTANCE instance, int size) {
  using LoadScaledFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  static const auto loadScaled = [] {
    HMODULE comctl32 = GetModuleHandleW(L"comctl32.dll");
    return comctl32 == nullptr ? nullptr
                               : reinterpret_cast<LoadScaledFn>(reinterpret_cast<void*>(
                                     GetProcAddress(comctl32, "LoadIconWithScaleDown")));
  }();
  HICON icon = nullptr;
  if (loadScaled == nullptr ||
      FAILED(loadScaled(instance, MAKEINTRESOURCEW(IDI_ZENTRIK), size, size, &icon))) {
    icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_ZENTRIK), IMAGE_ICON, size, size, 0));
  }
  return platform::win32::UniqueIcon(icon);
}

}  // namespace app
