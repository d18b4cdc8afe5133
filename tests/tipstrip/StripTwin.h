#pragma once
// The tool strip built in this process from a tool list, as the main frame builds it (created
// hidden unless asked): to read its buttons' rectangles and to look at it.
#include <windows.h>

#include <vector>

#include "TipDialog.h"
#include "VenueProfile.h"
#include "model/UiTypes.h"

namespace striptest {

// Starts the toolkit with this program's skin (once).
void StartToolkitOnce();

ToolEntry Tool(bool open, int type, const char* utf8Name, const char* utf8Path = "");

// Sets the process's profile to the place and tools and creates a strip; shown with `show`.
TipDialog* MakeStrip(int place, const std::vector<ToolEntry>& tools, bool show);
void DestroyStrip(TipDialog* strip);
// The client rectangles of the strip's buttons, in order.
std::vector<ui::Rect> ButtonRects(TipDialog& strip);
// The work area of the primary monitor.
RECT WorkArea();

}  // namespace striptest
