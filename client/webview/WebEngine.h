#pragma once
// The web engine's process-wide function table and its loader. Each operation of
// WKE_API_LIST is a pointer named after the engine's own function, so callers write
// wkeLoadURL(view, url) as if the engine were linked. A pointer stays null until
// LoadWebEngine found the function in "node.dll".
#include <string>

#include "WebEngineApi.h"

#define ORV_WKE_DECLARE_POINTER(name, ret, params) \
  typedef ret(__cdecl* name##Fn) params;           \
  extern name##Fn name;
WKE_API_LIST(ORV_WKE_DECLARE_POINTER)
#undef ORV_WKE_DECLARE_POINTER

// Loads the engine library at the full path, starts it (wkeInitializeEx, no settings) and
// resolves every operation by name. A name the library lacks is reported with a message box
// naming it and stays null. False when the library cannot be loaded; nothing is resolved then.
bool LoadWebEngine(const std::wstring& path);

// Calls wkeFinalize when the loader found it.
void FinalizeWebEngine();
