#pragma once
#include <string>
#include <vector>

namespace ui {

// The display time of each frame of a GIF file in milliseconds, read from the graphic control
// extensions (a frame without one gets 0). Empty when the bytes are not a well-formed GIF.
// GDI+ reports these delays inconsistently between its implementations, so the file itself is
// the reference.
std::vector<int> GifFrameDelays(const std::string& bytes);

}  // namespace ui
