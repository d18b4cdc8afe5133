#include <windows.h>

#include "ScopeTimer.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ScopeTimer main("Main");
  return 0;
}
