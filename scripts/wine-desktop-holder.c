// Holds a test prefix's desktop open for a whole test run (scripts/wine-env.sh starts it).
// Wine's server closes the emulated desktop about a second after its last window goes, and the
// next program that opens a window starts a new one: without this window every test case that
// opens one would wait for a desktop of its own, and a case could start while the old desktop
// is still going away. A hidden window is enough; the run ends it with the prefix's wineserver.
//
// Usage: wine-desktop-holder.exe READY-FILE: creates READY-FILE once its window, and with it
// the desktop, exists.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR args, int show) {
  (void)previous;
  (void)show;
  WNDCLASSW windowClass = {0};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"OrvantaTestDesktopHolder";
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, NULL,
                                NULL, instance, NULL);
  if (window == NULL) return 1;
  if (args != NULL && *args != L'\0') {
    HANDLE ready = CreateFileW(args, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
  }
  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
