#pragma once
#include <string>

// A manifest name is joined to "temp\" and to the program folder, so a name from the server must
// stay inside that folder: not empty, not absolute, no drive or other ':' (also no alternate
// data stream), no ".." component with either separator, nor a component of dots and spaces
// that Windows would trim to "..". Sub-folders are fine.
bool IsSafeManifestName(const std::string& name);
