/* An idle Windows process for tools/wine/cost.sh: it sleeps until it is ended,
   so that a desktop can be given hundreds of processes that cost nothing. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  (void)instance; (void)previous; (void)command_line; (void)show;
  Sleep(INFINITE);
  return 0;
}
