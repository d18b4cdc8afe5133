#pragma once
// The few Windows types that the toolkit's model headers name, for the native (Linux) build of
// the fuzz targets. The model's sources call no Windows function.
#include <cstdint>

using UINT = unsigned int;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT_PTR = uintptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using HWND = struct HWND__*;
struct POINT {
  long x;
  long y;
};
