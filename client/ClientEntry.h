#pragma once
// The client's start-up sequence, everything its entry point does.
#include <windows.h>

// Runs the client for this instance and returns its exit code, 0 on every path.
int RunClient(HINSTANCE instance);
