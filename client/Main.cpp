#include <windows.h>

#include "ClientEntry.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return RunClient(instance); }
