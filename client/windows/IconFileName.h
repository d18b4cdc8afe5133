#pragma once
// The file name of a program tool's icon in the icon cache. The display name comes from the
// service, so it is never trusted as a path.
#include <string>

// The display name made safe as one file name in one folder, followed by ".png": every
// character that Windows forbids in a file name or that would end the image descriptor's quoted
// value (control characters, < > : " / \ | ? * and ') becomes '_', so that no separator, drive
// or ".." can lead outside the folder. A name that Windows reserves for a device (CON, NUL,
// COM1...) gets a leading '_', and very long names are cut, so that the file can always be made.
std::wstring IconFileName(const std::wstring& displayName);
