// A whole Windows program that cannot start: its import of orv_absent_library.dll fails before
// its entry point runs.
#include <windows.h>

extern "C" __declspec(dllimport) int OrvAbsentValue();

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return OrvAbsentValue(); }
