// The library that the unstartable program imports and that is never beside it.
extern "C" __declspec(dllexport) int OrvAbsentValue() { return 42; }
