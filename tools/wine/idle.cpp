// zentrik_idle.exe: a process that only sleeps until it is ended, so that a
// desktop can be given hundreds of processes that cost nothing (make cost, the
// tick-cost benchmark). It imports nothing beyond kernel32 and the C runtime, so
// it never connects to the window system. When the semaphore below exists it is
// released once, to tell whoever started it that it runs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (HANDLE started = OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, L"ZentrikIdleStarted")) {
    ReleaseSemaphore(started, 1, nullptr);
    CloseHandle(started);
  }
  Sleep(INFINITE);
  return 0;
}
