// Lets the messages that are already waiting run, then blocks the thread.
#include "platform/win32/win32_system.h"

namespace platform::win32 {

void Win32UiWait::PumpThenSleep(int milliseconds) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left to the message loop that owns it.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace platform::win32
