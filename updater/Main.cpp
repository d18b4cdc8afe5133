#include <windows.h>

#include "Logger.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ShutdownLogger();
  return 0;
}
