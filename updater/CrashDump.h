#pragma once
#include <windows.h>

// The unhandled-exception filter: writes a minidump to "Error\[exe name][yyyymmddhhmmss].dmp"
// beside the executable and answers EXCEPTION_EXECUTE_HANDLER (1), so that the process ends
// without the system's error report. Nothing is reported when the dump cannot be written.
LONG WINAPI WriteCrashDump(EXCEPTION_POINTERS* pointers);

// Installs WriteCrashDump as the unhandled-exception filter, and makes an exception that nothing
// catches reach it where it was thrown, before the stack is unwound.
void InstallCrashDump();
// Removes the filter again (the run's last step).
void RemoveCrashDump();
