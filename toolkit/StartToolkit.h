#pragma once
// Start of the user-interface toolkit, once per process before the first window.
#include <windows.h>

// Records the instance, makes its folder the current directory and loads the skin package
// (resource 129 of type "ZIPRES") from it.
void StartToolkit(HINSTANCE instance);
