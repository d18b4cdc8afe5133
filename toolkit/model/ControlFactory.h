#pragma once
#include <memory>
#include <string_view>

#include "model/Control.h"

namespace ui {

// A new control of the model's classes for a layout element name (compared without regard to
// case): "VerticalLayout", "HorizontalLayout", "TileLayout", "Container", "Control". Null for any
// other name; the standard controls ("Label", "Button", ...) come from controls/.
std::unique_ptr<CControlUI> CreateToolkitControl(std::wstring_view elementName);

}  // namespace ui
