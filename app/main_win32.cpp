// Program entry: the DLL search confined to the system folder, the common
// controls, the main window, and the message loop that runs until the main
// window has closed.
#include <windows.h>
#include <commctrl.h>

#include "app/main_window_win32.h"
#include "platform/win32/system_library_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  // Before anything loads a DLL by name: a file of that name in the program's
  // folder (Downloads, say) must never be the one that runs.
  platform::win32::RestrictDllSearchToSystemFolder();

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  app::TMainForm mainForm;
  if (!mainForm.Create(instance, showCommand)) return 1;

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab moves between the controls, and their & letters press them, in the
    // main window and in the windows of their own (the port list).
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
