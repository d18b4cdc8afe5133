#pragma once
#include <memory>
#include <string_view>

#include "Control.h"

namespace ui {

// A new control of the toolkit class for a layout element name (compared without regard to
// case): "VerticalLayout", "HorizontalLayout", "TileLayout", "Container", "Control", "Label",
// "Text", "Button", "RichEdit", "GifAnim". Null for any other name.
std::unique_ptr<CControlUI> CreateToolkitControl(std::wstring_view elementName);

}  // namespace ui
