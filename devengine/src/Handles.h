#pragma once
// Owning wrappers of the engine's Win32 handles: the code base's handle family (common/) with
// the one kind only the engine opens, its WinHTTP handles.
#include <windows.h>
#include <winhttp.h>

#include "HandleScopes.h"
#include "OwnedHandle.h"

namespace devengine {

using FileHandle = UniqueKernelHandle;

struct InternetTraits : NullIsNone<HINTERNET> {
  static void Free(HINTERNET h) { WinHttpCloseHandle(h); }
};
using InternetHandle = OwnedHandle<HINTERNET, InternetTraits>;

using GdiObject = OwnedHandle<HGDIOBJ, GdiObjectTraits>;

using ::WindowDc;

}  // namespace devengine
