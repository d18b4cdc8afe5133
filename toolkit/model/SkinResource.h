#pragma once
// The skin package carried in an executable as a resource. Kept apart from the package reader,
// which needs no Windows header.
#include <windows.h>

#include "model/SkinPackage.h"

namespace ui {

// Resource that carries the skin package in the client executable.
constexpr WORD kSkinResourceId = 129;
constexpr wchar_t kSkinResourceType[] = L"ZIPRES";

// Opens the resource 129 of type "ZIPRES" of a module, read in place. False when it is missing,
// empty or no ZIP.
bool OpenSkinResource(SkinPackage& package, HMODULE module);
// Opens the process's package from the module's resource, unless one is loaded already (a
// second start keeps the first package). True when a package is loaded afterwards.
bool LoadSkinPackage(HMODULE module);

}  // namespace ui
