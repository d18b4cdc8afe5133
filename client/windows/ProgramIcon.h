#pragma once
// A program's own icon as a PNG file, for the tool strip's program buttons.
#include <windows.h>

#include <string>

// Writes the first icon of the source file (a program, an icon file, an image, or whatever the
// shell shows for it) as a PNG at pngPath. False when the source cannot be read or no icon could
// be had; an icon that was had but could not be written still reports true (the button is made
// and shows no image).
bool ProgramIconToPng(const std::wstring& source, const std::wstring& pngPath);

// Saves an icon handle as PNG, keeping a 32-bit icon's transparency. False for a null handle or
// an icon whose bitmaps cannot be read; the save itself is not reported.
bool SaveIconAsPng(HICON icon, const std::wstring& pngPath);
